#pragma once
// Practice owners (Mandanten).
#include "host/db/TKRSet.h"

class CZMandant : public CTKRSet {
public:
    explicit CZMandant(CDatabase* pDb = &dbDatabaseRO);

    CString m_strMdId;
    CString m_strName;
};
