#pragma once
// Treatment records. A record with lab amounts carries its lab invoice (fakt_key)
// and lab block.
#include "host/db/TKRSet.h"

#include <cstdint>
#include <vector>

class CZBeh : public CTKRSet {
public:
    explicit CZBeh(CDatabase* pDb = &dbDatabaseRO);

    // The records of the patient and plan in m_strPatNr and m_strPlanNr whose plan
    // kind is in strPlanArten, by date and id. The plan kind is the plan's plan_art,
    // or the record's flag1 when the plan is missing. strPlanArten lists quoted
    // characters, "'k','g','p','q'"; an empty list takes every kind. 0 with the first
    // record loaded; Next continues.
    // The other arguments are kept for callers that pass them and are not used.
    int GetForEvaluate(CString s1, CString s2, CString s3, CString& s4, CString& strPlanArten,
                       bool b1, bool b2, bool b3, int n1, int nShowGpLst);
    // The plan kinds of a list as GetForEvaluate takes it, unquoted.
    static std::vector<CString> ParsePlanArten(const CString& strPlanArten);
    // The records of one lab invoice, in the order they were recorded. 0 with the
    // first record loaded; Next continues.
    int GetByFaktKey(const CString& strFaktKey);

    int m_nBehId = 0;
    CString m_strMdId; // practice owner
    CString m_strPatNr;
    CString m_strPlanNr;
    CString m_strDatum;  // service date
    CString m_strArt;    // amount kind '1'..'9'
    CString m_strSubArt; // its sub-kind
    CString m_strText;
    std::int64_t m_nBetragCent = 0;
    CString m_strWaehrung; // 'e' euro, 'd' Deutsche Mark
    int m_nMwStSatz = 0;   // VAT rate in percent
    CString m_strFaktKey;  // lab invoice
    CString m_strFlag1;    // plan kind
    CString m_strFlag2;    // '1' set
    CString m_strLiqNr1;
    CString m_strLiqNr2;
    CString m_strLBlockNr;      // lab block
    CString m_strLBlockEntryNr; // lab-block entry
    CString m_strBillKey;       // the bill (CBill) of the record
    CString m_strTechnikerId;
};
