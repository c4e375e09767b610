#pragma once
// Service providers: lab technicians (art 'T') and treating dentists (art 'Z').
#include "host/db/TKRSet.h"

class CZLeb : public CTKRSet {
public:
    explicit CZLeb(CDatabase* pDb = &dbDatabaseRO);

    // The technicians valid today (GetTKDate() within their validity, bounds
    // included), by name, first name and id. 0 with the first loaded; Next continues.
    int GetValidTechnikerLebs();

    CString m_strLebId;
    CString m_strArt; // 'T' technician, 'Z' dentist
    CString m_strName;
    CString m_strVorname;
    CString m_strMdId;       // practice owner
    CString m_strGueltigAb;  // valid from, "" open
    CString m_strGueltigBis; // valid until, "" open
};
