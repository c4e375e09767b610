#pragma once
// Which lab invoices a lab-turnover evaluation counts, and with which sign.
#include "core/StornoTyp.h"
#include "host/CString.h"

#include <optional>

class CLUDefault;
class CZFakt;

// The cancellation type of an invoice (or service) dated strDatum with the
// cancellation date strStorno ("" = not cancelled), for the period strAb..strBis:
//   1  dated inside the period, not cancelled or cancelled after it;
//   0  dated and cancelled inside the period;
//  -1  dated before the period, cancelled inside it.
// Anything else - dated outside the period and not cancelled in it, or cancelled
// before its own date or before the period - does not count (nullopt).
std::optional<STORNOTYP> LuStornoTyp(const CString& strDatum, const CString& strStorno,
                                     const CString& strAb, const CString& strBis);

// Whether a paid invoice counts. Only statutory patients (strVersArt "G") have
// insurance cases: group A of the invoice is the insurer's share (the fixed
// subsidy), group B the patient's share. Without patient share (a 100 % case) it
// counts with Mit100PoEA, with a subsidy at least as large as the patient's share
// with MitFestzGeEA; every other invoice counts.
bool LuBezahltZaehlt(const CZFakt& fakt, const CString& strVersArt, const CLUDefault& settings);
