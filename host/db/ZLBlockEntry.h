#pragma once
// Entries of a lab block: a share of an amount.
#include "host/db/TKRSet.h"

class CZLBlockEntry : public CTKRSet {
public:
    explicit CZLBlockEntry(CDatabase* pDb = &dbDatabaseRO);

    CString m_strPatNr;
    CString m_strPlanNr;
    CString m_strLBlockNr; // lab block
    CString m_strEntryNr;
    CString m_strAnteil; // percentage share, "P050"
    CString m_strBetrag; // amount in its stored text form
};
