#pragma once
// The host's walk over the practice database for the lab-turnover statistics: it
// reads the lab hits of a period in one query, merges them into invoice rows,
// finishes every row (liquidation number, invoice data, VAT, cancellation) and
// records what it finds wrong as errors. The writer (CLU2File) then puts the
// accumulator into the hit file. docs/lab-turnover-walk.md describes the modes.
#include "app/LuMode.h"
#include "host/CString.h"

#include <cstddef>

class CLUDefault;
class CLUSum;
class CStatAccu;

// From this many invoices on, a walk reads the patients' names, the bills and the
// records the liquidation-number search looks at in one query each, rather than
// asking the database per patient, plan and bill: reading a table whole costs
// about as much as 20,000 invoices' worth of single questions.
constexpr long kLuVorabAb = 20000;

struct LuWalkRequest {
    CString strAb;      // first day, database date "YYYYMMDD"
    CString strBis;     // last day, included
    CString strMandant; // practice owner, "" for all
    LuMode eMode = LuMode::Invoices;
    long nVorabAb = kLuVorabAb; // the answers are the same either way
};

// True when strAb and strBis are calendar days and strAb is not after strBis;
// otherwise false with a German strError.
bool CheckLuPeriod(const CString& strAb, const CString& strBis, CString& strError);

// Fills sum with the rows and accu with period, owner, owner list, plan kinds,
// total and errors; both are emptied first. Shows a progress box. False with a
// German strError for an invalid period or an unknown owner, when the database
// cannot be read, or when the user cancels. *pnGeaenderteTexte, when given, gets the
// number of texts read whose characters Windows-1252 lacks (changed to "?"; also an
// error of accu).
bool RunLuWalk(const LuWalkRequest& req, const CLUDefault& settings, CStatAccu& accu, CLUSum& sum,
               CString& strError, std::size_t* pnGeaenderteTexte = nullptr);
