// The records of the liquidation-number search read at once for every plan, and
// the bills read at once: both must answer exactly as the lookups they replace.
#include "host/Cp1252.h"
#include "host/db/Bill.h"
#include "host/db/Database.h"
#include "host/db/ZBeh.h"
#include "host/db/ZPlan.h"
#include "host/stat/BehLiqIndex.h"
#include "host/stat/StatAccu.h"
#include "host/db_test_records.h"
#include "support/TempPracticeDb.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const CString kArten = "'k','g','p','q'";

// Kind and bill of every record the treatment query gives, in its order.
std::vector<CString> FromQuery(const CString& patNr, const CString& planNr) {
    CZBeh beh;
    beh.m_strPatNr = patNr;
    beh.m_strPlanNr = planNr;
    CString strArten = kArten, s4;
    std::vector<CString> vec;
    for (int rc = beh.GetForEvaluate("", "", "", s4, strArten, true, false, false, 0, 0); rc == 0;
         rc = beh.Next())
        vec.push_back(beh.m_strArt + "/" + beh.m_strBillKey);
    return vec;
}

std::vector<CString> FromIndex(const std::vector<CLiqSatz>& vecSaetze) {
    std::vector<CString> vec;
    for (const CLiqSatz& satz : vecSaetze)
        vec.push_back(satz.strArt + "/" + satz.strBillKey);
    return vec;
}

TEST(BehLiqIndex, GivesWhatTheTreatmentQueryGivesPlanByPlan) {
    TempPracticeDb db;
    AddPlan("P1", "1", "k");
    AddPlan("P1", "3", "x");
    AddPlan("1", "23", "k");
    AddPlan("12", "3", "p");
    AddBeh(4, "P1", "1", "20240301", "z", "1", "R1"); // the plan's kind, not flag1
    AddBeh(2, "P1", "1", "20240201", "z", "4", "R2");
    AddBeh(3, "P1", "1", "20240201", "z", "2", "");   // the same day: by id
    AddBeh(6, "P1", "2", "20240105", "g", "7", "R3"); // no plan: flag1 decides
    AddBeh(7, "P1", "2", "20240104", "z", "1", "R3");
    AddBeh(8, "P1", "3", "20240101", "k", "1", "R1"); // a plan of another kind
    AddBeh(9, "1", "23", "20240101", "", "3", "A");   // patient and plan that join to
    AddBeh(10, "12", "3", "20240101", "", "8", "B");  // the same text as the next
    AddBeh(11, "P4", "1", "20240101", "k", "1", "R9");
    AddBeh(12, "P4", "2", "20240101", "k", "1", "R9");
    AddBeh(13, "P5", "1", "20240101", "k", "1", "R9");
    // Texts that Windows-1252 cannot hold: in a column the search only reads, and
    // in a patient number.
    dbDatabase.Conn().Execute("UPDATE beh SET text = 'Łukasz' WHERE beh_id = 11");
    dbDatabase.Conn().Execute("UPDATE beh SET pat_nr = 'P☃' WHERE beh_id = 13");

    CBehLiqIndex idx;
    EXPECT_EQ(idx.Find("P1", "1"), nullptr) << "nothing read yet";
    idx.Load(dbDatabaseRO.Conn(), kArten);
    const struct {
        CString patNr, planNr;
        std::size_t nSaetze;
    } cases[] = {{"P1", "1", 3}, {"P1", "2", 1}, {"P1", "3", 0}, {"1", "23", 1}, {"12", "3", 1},
                 {"P4", "2", 1}, {"P9", "1", 0}, {"P?", "1", 0}, {"P5", "1", 0}, {"", "", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.patNr + " " + c.planNr);
        const std::vector<CLiqSatz>* pSaetze = idx.Find(c.patNr, c.planNr);
        ASSERT_NE(pSaetze, nullptr);
        EXPECT_EQ(pSaetze->size(), c.nSaetze);
        EXPECT_EQ(FromIndex(*pSaetze), FromQuery(c.patNr, c.planNr));
    }
    // The plan with the text that loses characters is left to the query, which
    // reports the loss as it reads.
    EXPECT_EQ(idx.Find("P4", "1"), nullptr);
}

void StoreBill(const CString& strPatNr, const CString& strBillKey, const CString& strStatus,
               int nAbgerechnet, const CString& strLiqNr) {
    CBill bill(&dbDatabase);
    bill.m_strPatNr = strPatNr;
    bill.m_strBillKey = strBillKey;
    bill.m_strStatus = strStatus;
    bill.m_nAbgerechnet = nAbgerechnet;
    bill.m_strLiqNr = strLiqNr;
    bill.m_strDatum = "20240101";
    ASSERT_EQ(bill.Write(), CTKRSet::kOk) << bill.GetLastError();
}

TEST(BehLiqIndex, BillsReadAtOnceAnswerAsLookedUp) {
    TempPracticeDb db;
    StoreBill("1", "R1", "b", 0, "L-1");
    StoreBill("1", "R2", "", 1, "");
    StoreBill("2", "R1", "p", 0, "L-3");
    dbDatabase.Conn().Execute("UPDATE bill SET liq_nr = 'L-Ł' WHERE pat_nr = '2'");

    CStatAccu accu;
    accu.LoadAllBills(dbDatabaseRO.Conn());
    // Changes after the reading do not reach the answers: none is looked up again.
    StoreBill("1", "R1", "x", 1, "L-geaendert");
    StoreBill("1", "R3", "b", 1, "L-neu");
    const CBill* pBill = accu.GetBill("1", "R1");
    ASSERT_NE(pBill, nullptr);
    EXPECT_EQ(pBill->GetLiqNr(), "L-1");
    EXPECT_EQ(pBill->GetStatus(), 'b');
    EXPECT_FALSE(pBill->IsAbgerechnet());
    EXPECT_EQ(pBill->m_strDatum, "20240101");
    EXPECT_EQ(accu.GetBill("1", "R1"), pBill);
    ASSERT_NE(accu.GetBill("1", "R2"), nullptr);
    EXPECT_TRUE(accu.GetBill("1", "R2")->IsAbgerechnet());
    EXPECT_EQ(accu.GetBill("1", "R3"), nullptr);
    EXPECT_EQ(accu.GetBill("R1", "1"), nullptr);
    // A bill with a text that loses characters is read when asked for, and its
    // loss reported then.
    const CCp1252Verluste verluste;
    ASSERT_NE(accu.GetBill("2", "R1"), nullptr);
    EXPECT_EQ(accu.GetBill("2", "R1")->GetLiqNr(), "L-?");
    EXPECT_EQ(verluste.GetAnzahl(), 1u);
}

} // namespace
