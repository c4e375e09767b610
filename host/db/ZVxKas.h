#pragma once
// Insurance funds; a fund's data may change from a date on.
#include "host/db/TKRSet.h"

class CZVxKas : public CTKRSet {
public:
    explicit CZVxKas(CDatabase* pDb = &dbDatabaseRO);

    // Loads the fund's record valid at strDatum: the greatest gueltig_ab not after it.
    int GetActKasse(const CString& strKassenNr, const CString& strDatum);

    CString m_strKassenNr;
    CString m_strGueltigAb; // valid from
    CString m_strName;
};
