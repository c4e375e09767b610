// The accumulator looks each bill up once.
#include "host/db/Bill.h"
#include "host/stat/StatAccu.h"
#include "support/TempPracticeDb.h"

#include <gtest/gtest.h>

namespace {

void StoreBill(const CString& strPatNr, const CString& strBillKey, const CString& strLiqNr) {
    CBill bill(&dbDatabase);
    bill.m_strPatNr = strPatNr;
    bill.m_strBillKey = strBillKey;
    bill.m_strStatus = "b";
    bill.m_nAbgerechnet = 1;
    bill.m_strLiqNr = strLiqNr;
    ASSERT_EQ(bill.Write(), CTKRSet::kOk) << bill.GetLastError();
}

TEST(StatAccuBill, EachBillIsQueriedOnce) {
    CStatAccu accu;
    EXPECT_EQ(accu.GetBill("1", "R1"), nullptr) << "no database open yet";

    TempPracticeDb db;
    StoreBill("1", "R1", "L-1");
    CBill* pBill = accu.GetBill("1", "R1");
    ASSERT_NE(pBill, nullptr) << "a fault must not be remembered as 'no bill'";
    EXPECT_EQ(pBill->GetLiqNr(), "L-1");
    EXPECT_TRUE(pBill->IsAbgerechnet());
    EXPECT_EQ(pBill->GetStatus(), 'b');
    EXPECT_EQ(accu.GetBill("1", "R2"), nullptr);

    // Changes in the database no longer reach this accumulator: proof that
    // neither the bill nor the missing one is queried again.
    StoreBill("1", "R1", "L-geaendert");
    StoreBill("1", "R2", "L-2");
    EXPECT_EQ(accu.GetBill("1", "R1"), pBill);
    EXPECT_EQ(pBill->GetLiqNr(), "L-1");
    EXPECT_EQ(accu.GetBill("1", "R2"), nullptr);
    // The key is the pair, not the joined text.
    StoreBill("1R", "1", "L-3");
    ASSERT_NE(accu.GetBill("1R", "1"), nullptr);
    EXPECT_EQ(accu.GetBill("1R", "1")->GetLiqNr(), "L-3");

    CStatAccu fresh;
    ASSERT_NE(fresh.GetBill("1", "R2"), nullptr);
    EXPECT_EQ(fresh.GetBill("1", "R1")->GetLiqNr(), "L-geaendert");
}

} // namespace
