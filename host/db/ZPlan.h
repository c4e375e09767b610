#pragma once
// Treatment plans of a patient.
#include "host/db/TKRSet.h"

class CZPlan : public CTKRSet {
public:
    explicit CZPlan(CDatabase* pDb = &dbDatabaseRO);

    CString m_strPatNr;
    CString m_strPlanNr;
    CString m_strPlanArt; // one-character plan kind
    CString m_strDatum;   // plan date
    CString m_strMdId;    // practice owner
    CString m_strZaLebId; // the plan's treating dentist
};
