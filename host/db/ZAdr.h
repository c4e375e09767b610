#pragma once
// Addresses.
#include "host/db/TKRSet.h"

class CZAdr : public CTKRSet {
public:
    explicit CZAdr(CDatabase* pDb = &dbDatabaseRO);

    CString m_strAdrId;
    CString m_strName1;
    CString m_strName2;
    CString m_strName3;
    CString m_strName4;
    CString m_strStrasse;
    CString m_strPlz;
    CString m_strOrt;
};
