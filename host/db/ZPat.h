#pragma once
// Patients.
#include "host/db/TKRSet.h"

class CZPat : public CTKRSet {
public:
    explicit CZPat(CDatabase* pDb = &dbDatabaseRO);

    CString m_strPatNr;
    CString m_strName;
    CString m_strVorname;
    CString m_strGebDatum; // date of birth
    CString m_strMdId;     // practice owner
    CString m_strZaLebId;  // the patient's dentist
};
