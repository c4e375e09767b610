#pragma once
// The lab-turnover settings record of the parameter pool, read and written
// directly, beside the settings class under test.
#include "host/CString.h"
#include "host/db/Database.h"
#include "host/db/ZParPool.h"

#include <gtest/gtest.h>

// The stored settings text, or "<none>" without a record.
inline CString StoredSettingsText() {
    CZParPool pool(&dbDatabaseRO);
    pool.m_strNr = " 54";
    pool.m_strOwner = "DEFAULT";
    return pool.GetByK1(0) == 0 ? pool.m_strWert : CString("<none>");
}

// Replaces the stored settings text as it stands.
inline void StoreSettingsText(const CString& text) {
    CZParPool pool(&dbDatabase);
    pool.m_strNr = " 54";
    pool.m_strOwner = "DEFAULT";
    pool.m_strWert = text;
    ASSERT_EQ(pool.Write(""), 0);
}
