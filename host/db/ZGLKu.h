#pragma once
// Customers of the commercial lab.
#include "host/db/TKRSet.h"

class CZGLKu : public CTKRSet {
public:
    explicit CZGLKu(CDatabase* pDb = &dbDatabaseRO);

    CString m_strKuNr;
    CString m_strName;
    CString m_strAdrId; // the customer's address (CZAdr)
};
