#pragma once
// Collective invoices of the commercial lab to one customer.
#include "host/db/TKRSet.h"

class CZGLKuFakt : public CTKRSet {
public:
    explicit CZGLKuFakt(CDatabase* pDb = &dbDatabaseRO);

    // The invoices dated strAb .. strBis (database dates, both included) of the
    // customer strKuNr, or of every customer when strKuNr is empty, ordered by date,
    // customer and invoice number; Next walks on.
    int GetByDatum(const CString& strAb, const CString& strBis, const CString& strKuNr);

    CString m_strKuNr;   // customer
    CString m_strRechNr; // invoice number
    CString m_strInfo1;
    CString m_strDatum; // invoice date
    CString m_strInfo2;
    CString m_strInfo3;
    CString m_strAnzRech; // number of invoices collected
    CString m_strInfo4;
    CString m_strInfo5;
    CString m_strStorno;   // cancellation mark, "0" none
    CString m_strBetraege; // fixed-width amount list
    CString m_strMwSt;     // VAT amount
};
