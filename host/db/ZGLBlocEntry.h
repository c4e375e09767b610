#pragma once
// Entries (positions) of a commercial-lab invoice bloc.
#include "host/db/TKRSet.h"

class CZGLBlocEntry : public CTKRSet {
public:
    explicit CZGLBlocEntry(CDatabase* pDb = &dbDatabaseRO);

    CString m_strNr;       // bloc key
    CString m_strRechNr;   // invoice number
    CString m_strPos;      // position
    CString m_strMwStCode; // "0" free, "7" reduced, "g" general rate
    CString m_strPreis;    // price, currency letter first
    CString m_strMenge;    // quantity
};
