#pragma once
// Plan and treatment records written straight into the open test database.
#include "host/CString.h"
#include "host/db/Database.h"
#include "host/db/ZBeh.h"
#include "host/db/ZPlan.h"

#include <gtest/gtest.h>

inline void AddPlan(const CString& patNr, const CString& planNr, const CString& planArt) {
    CZPlan plan(&dbDatabase);
    plan.m_strPatNr = patNr;
    plan.m_strPlanNr = planNr;
    plan.m_strPlanArt = planArt;
    ASSERT_EQ(plan.Write(), 0) << plan.GetLastError();
}

inline void AddBeh(int nId, const CString& patNr, const CString& planNr, const CString& datum,
                   const CString& flag1, const CString& art = "", const CString& billKey = "") {
    CZBeh beh(&dbDatabase);
    beh.m_nBehId = nId;
    beh.m_strPatNr = patNr;
    beh.m_strPlanNr = planNr;
    beh.m_strDatum = datum;
    beh.m_strFlag1 = flag1;
    beh.m_strArt = art;
    beh.m_strBillKey = billKey;
    ASSERT_EQ(beh.Write(), 0) << beh.GetLastError();
}
