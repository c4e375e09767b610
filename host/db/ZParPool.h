#pragma once
// Parameter pool: settings records by number key and owner key.
#include "host/db/TKRSet.h"

class CZParPool : public CTKRSet {
public:
    explicit CZParPool(CDatabase* pDb = &dbDatabaseRO);

    CString m_strNr;    // number key of the setting
    CString m_strOwner; // owner key
    CString m_strWert;  // the setting's text
};
