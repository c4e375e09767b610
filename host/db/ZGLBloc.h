#pragma once
// Invoice blocs of the commercial lab.
#include "host/db/TKRSet.h"

class CZGLBloc : public CTKRSet {
public:
    explicit CZGLBloc(CDatabase* pDb = &dbDatabaseRO);

    CString m_strNr;     // bloc key
    CString m_strRechNr; // invoice number
    CString m_strStatus;
    CString m_strKuNr;     // customer
    CString m_strKufaktNr; // collective invoice the bloc went into
    CString m_strDatum;
    CString m_strTexte;    // further texts, separated by tabs
    CString m_strBetraege; // fixed-width amount list
    CString m_strMwSt;     // VAT amount
};
