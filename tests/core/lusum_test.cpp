// The accumulator: merging hits into rows (with its index against a plain search
// from the back) and finding liquidation numbers in the practice database.
#include "core/LUDefault.h"
#include "core/LUSum.h"
#include "host/BehHitLine.h"
#include "host/db/Bill.h"
#include "host/db/Database.h"
#include "host/db/ZBeh.h"
#include "host/db/ZPlan.h"
#include "host/stat/StatAccu.h"
#include "support/TempPracticeDb.h"

#include <gtest/gtest.h>

namespace {

CBehHitLine Hit(const char* pat, const char* plan, const char* key, std::int64_t cent) {
    CBehHitLine h;
    h.m_strMandant = "1";
    h.m_strPatNr = pat;
    h.m_strPlanNr = plan;
    h.m_strLBlockNr = "B1";
    h.m_strLabRechKey = key;
    h.m_strDatum = "20230110";
    h.m_cFlag1 = 'z';
    h.m_cArt = '1';
    h.m_Betrag = CDBetrag::FromCent(cent);
    h.m_nMwStSatz = 19;
    return h;
}

std::int64_t Netto(const CLULabRech& r) {
    return r.m_LstAlle.m_Netto.GetCent();
}

TEST(LUSumMerge, HitsJoinTheNewestMatchingRow) {
    CLUDefault settings;
    CLUSum sum;
    sum.MoveLabRech(Hit("7", "P1", "F1", 100), settings);
    sum.MoveLabRech(Hit("7", "P1", "F1", 200), settings);
    sum.MoveLabRech(Hit("8", "P2", "F2", 400), settings);
    sum.MoveLabRech(Hit("7", "P1", "F1", 800), settings);
    ASSERT_EQ(sum.m_vecLabRech.size(), 2u);
    EXPECT_EQ(Netto(sum.m_vecLabRech[0]), 1100);
    EXPECT_EQ(Netto(sum.m_vecLabRech[1]), 400);
}

TEST(LUSumMerge, ServiceDatesSplitRowsWithStetsLstDatum) {
    CLUDefault settings;
    settings.SetStetsLstDatum(true);
    CLUSum sum;
    CBehHitLine later = Hit("7", "P1", "F1", 200);
    later.m_strDatum = "20230111";
    sum.MoveLabRech(Hit("7", "P1", "F1", 100), settings);
    sum.MoveLabRech(later, settings);
    EXPECT_EQ(sum.m_vecLabRech.size(), 2u);
    settings.SetStetsLstDatum(false);
    sum.Init();
    sum.MoveLabRech(Hit("7", "P1", "F1", 100), settings);
    sum.MoveLabRech(later, settings);
    EXPECT_EQ(sum.m_vecLabRech.size(), 1u);
}

TEST(LUSumMerge, RowsAddedOrRemovedFromOutsideAreStillFound) {
    CLUDefault settings;
    CLUSum sum;
    sum.MoveLabRech(Hit("7", "P1", "F1", 100), settings);
    CLUSum copy = sum;
    copy.m_vecLabRech.clear();
    copy.MoveLabRech(Hit("7", "P1", "F1", 5), settings);
    ASSERT_EQ(copy.m_vecLabRech.size(), 1u);
    EXPECT_EQ(Netto(copy.m_vecLabRech[0]), 5);

    CLULabRech outside;
    outside.Clear();
    outside.MoveBeh(Hit("9", "P9", "F9", 1));
    sum.m_vecLabRech.push_back(outside);
    sum.MoveLabRech(Hit("9", "P9", "F9", 2), settings);
    ASSERT_EQ(sum.m_vecLabRech.size(), 2u);
    EXPECT_EQ(Netto(sum.m_vecLabRech[1]), 3);
}

// A practice database with bills and treatment records for liquidation numbers.
class LUSumLiqNr : public ::testing::Test {
protected:
    void SetUp() override {
        Plan("7", "P1", "k");
        Plan("8", "P1", "k");
        Plan("9", "P1", "z"); // a plan kind the query leaves out
        Bill("7", "R1", "o", 0, "LIQ-OPEN");
        Bill("7", "R2", "b", 0, "LIQ-7");
        Bill("8", "R1", "", 1, "LIQ-8");
        Bill("9", "R1", "b", 0, "LIQ-9");
        Beh(1, "7", "20230101", "1", "R1"); // bill not billed: skipped
        Beh(2, "7", "20230102", "5", "R2"); // kind 5: skipped
        Beh(3, "7", "20230103", "2", "R2"); // qualifies
        Beh(4, "8", "20230101", "1", "R1");
        Beh(5, "9", "20230101", "1", "R1");
    }
    void Plan(const char* pat, const char* plan, const char* art) {
        CZPlan p(&dbDatabase);
        p.m_strPatNr = pat;
        p.m_strPlanNr = plan;
        p.m_strPlanArt = art;
        ASSERT_EQ(p.Write(""), 0);
    }
    void Bill(const char* pat, const char* key, const char* status, int abgerechnet,
              const char* liq) {
        CBill b(&dbDatabase);
        b.m_strPatNr = pat;
        b.m_strBillKey = key;
        b.m_strStatus = status;
        b.m_nAbgerechnet = abgerechnet;
        b.m_strLiqNr = liq;
        ASSERT_EQ(b.Write(""), 0);
    }
    void Beh(int id, const char* pat, const char* datum, const char* art, const char* bill) {
        CZBeh b(&dbDatabase);
        b.m_nBehId = id;
        b.m_strPatNr = pat;
        b.m_strPlanNr = "P1";
        b.m_strDatum = datum;
        b.m_strArt = art;
        b.m_strBillKey = bill;
        ASSERT_EQ(b.Write(""), 0);
    }
    CLULabRech Row(const char* pat, const char* plan = "P1", const char* block = "B1") {
        CLULabRech r;
        r.Clear();
        r.m_strPatNr = pat;
        r.m_strPlanNr = plan;
        r.m_strLBlockNr = block;
        return r;
    }

    TempPracticeDb m_db;
    CStatAccu m_accu;
    CZBeh m_beh;
    CLUSum m_sum;
};

TEST_F(LUSumLiqNr, FirstQualifyingRecordGivesTheNumber) {
    CLULabRech r = Row("7");
    m_sum.TestLabRech1(&m_accu, &m_beh, r, false);
    EXPECT_EQ(r.m_strLiqNr, "LIQ-7");
    EXPECT_EQ(m_sum.m_mapLiqNr.at("7P1"), "LIQ-7");

    CLULabRech billed = Row("8");
    m_sum.TestLabRech1(&m_accu, &m_beh, billed, false);
    EXPECT_EQ(billed.m_strLiqNr, "LIQ-8");
}

TEST_F(LUSumLiqNr, RowsWithoutPlanOrBlockAndOtherPlanKindsGetNothing) {
    for (CLULabRech r : {Row("7", ""), Row("7", "P1", ""), Row("9")}) {
        m_sum.TestLabRech1(&m_accu, &m_beh, r, false);
        EXPECT_TRUE(r.m_strLiqNr.empty()) << r.m_strPatNr << "/" << r.m_strPlanNr;
    }
    EXPECT_TRUE(m_sum.m_mapLiqNr.empty());
}

TEST_F(LUSumLiqNr, MapAnswersTheSecondRowAndOnlyIfEmptyKeepsANumber) {
    CLULabRech first = Row("7");
    m_sum.TestLabRech1(&m_accu, &m_beh, first, false);
    // A bill changed in the database now is not seen: the map answers.
    Bill("7", "R2", "b", 0, "LIQ-NEU");
    CLULabRech second = Row("7");
    m_sum.TestLabRech1(nullptr, nullptr, second, false);
    EXPECT_EQ(second.m_strLiqNr, "LIQ-7");

    CLULabRech kept = Row("7");
    kept.m_strLiqNr = "EIGEN";
    m_sum.TestLabRech1(&m_accu, &m_beh, kept, true);
    EXPECT_EQ(kept.m_strLiqNr, "EIGEN");

    CLULabRech fresh = Row("8");
    fresh.m_strLiqNr = "EIGEN";
    m_sum.TestLabRech1(&m_accu, &m_beh, fresh, true);
    EXPECT_EQ(fresh.m_strLiqNr, "EIGEN");
    EXPECT_EQ(m_sum.m_mapLiqNr.count("8P1"), 0u);

    m_sum.Init();
    EXPECT_TRUE(m_sum.m_mapLiqNr.empty());
}

TEST_F(LUSumLiqNr, NothingFoundLeavesNoMapEntry) {
    Bill("7", "R2", "b", 0, ""); // the qualifying bill has no number
    CLULabRech r = Row("7");
    r.m_strLiqNr = "ALT";
    m_sum.TestLabRech1(&m_accu, &m_beh, r, false);
    EXPECT_EQ(r.m_strLiqNr, "ALT");
    EXPECT_TRUE(m_sum.m_mapLiqNr.empty());
}

} // namespace
