#pragma once
// Insurance of a patient from a date on.
#include "host/db/TKRSet.h"

class CZVDesc : public CTKRSet {
public:
    explicit CZVDesc(CDatabase* pDb = &dbDatabaseRO);

    // Loads the patient's entry valid at strDatum: the one with the greatest
    // gueltig_ab not after it. The int is accepted for callers that pass one.
    int FindMatching(const CString& strPatNr, const CString& strDatum, int);

    CString m_strPatNr;
    CString m_strGueltigAb; // valid from
    CString m_strKassenNr;  // insurance fund (CZVxKas)
    CString m_strVersArt;   // 'G' statutory, 'P' private
};
