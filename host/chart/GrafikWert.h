#pragma once
// The values of a chart: amount texts to exact amounts, and back to the texts on
// the bars.
#include "host/Betrag.h"
#include "host/CString.h"

// Reads a row's value. Accepted: the stored form with its currency letter
// ("e    123456", "d -50"), or the display form in euro with decimal comma and
// optional thousands dots ("1.234,56", "1.234", "-0,50"); a blank text is zero.
// Display forms with more than two decimals are rounded half away from zero to the
// cent. False for any other text (betrag is then zero).
bool GrafikWertLesen(const CString& strWert, CWBetragBasis& betrag);

// The label of a bar: display form with thousands dots and the currency mark,
// "1.234,56 €" (Windows-1252), "DM" for old amounts.
CString GrafikWertText(const CWBetragBasis& betrag);
