#pragma once
// Bills of the practice: status character, billed flag, liquidation number.
#include "host/db/TKRSet.h"

class CBill : public CTKRSet {
public:
    explicit CBill(CDatabase* pDb = &dbDatabaseRO);

    bool IsAbgerechnet() const { return m_nAbgerechnet != 0; }
    char GetStatus() const { return m_strStatus.empty() ? 0 : m_strStatus[0]; }
    const CString& GetLiqNr() const { return m_strLiqNr; }

    CString m_strPatNr;
    CString m_strBillKey;
    CString m_strStatus;    // one status character
    int m_nAbgerechnet = 0; // not 0 when billed
    CString m_strLiqNr;     // liquidation number
    CString m_strDatum;
};
