// Merging treatment hits into lab invoice rows: classification, VAT views, VAT per
// group, invoice numbers, matching and sums.
#include "core/LUDefault.h"
#include "core/LULabRech.h"
#include "host/BehHitLine.h"
#include "host/LabBetrag.h"
#include "host/TextUtil.h"
#include "host/db/ZFakt.h"

#include <gtest/gtest.h>

namespace {

CDBetrag Cent(std::int64_t n) { return CDBetrag::FromCent(n); }

CBehHitLine Hit(char art, char subArt, std::int64_t cent, int satz) {
    CBehHitLine h;
    h.m_strMandant = "1";
    h.m_strPatNr = "7";
    h.m_strPlanNr = "P1";
    h.m_strLBlockNr = "B1";
    h.m_strLabRechKey = "F1";
    h.m_strDatum = "20230110";
    h.m_cFlag1 = 'z';
    h.m_cArt = art;
    h.m_cSubArt = subArt;
    h.m_Betrag = Cent(cent);
    h.m_nMwStSatz = satz;
    h.m_strPatName = "M\xFCller, J\xFCrgen";
    return h;
}

CLULabRech Row() {
    CLULabRech r;
    r.Clear();
    return r;
}

struct ClassCase {
    char art, subArt;
    bool technLst, material, technMat, metall;
};

class Classification : public ::testing::TestWithParam<ClassCase> {};

TEST_P(Classification, AmountLandsInItsSlotsAndAlwaysInNet) {
    const ClassCase c = GetParam();
    CLULabRechLst block;
    block.MoveLabLstBetrag(Hit(c.art, c.subArt, 1234, 19));
    EXPECT_TRUE(block.m_bBelegt);
    EXPECT_EQ(block.m_Netto.GetCent(), 1234);
    EXPECT_EQ(block.m_TechnLst.GetCent(), c.technLst ? 1234 : 0);
    EXPECT_EQ(block.m_Material.GetCent(), c.material ? 1234 : 0);
    EXPECT_EQ(block.m_TechnMat.GetCent(), c.technMat ? 1234 : 0);
    EXPECT_EQ(block.m_Metall.GetCent(), c.metall ? 1234 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, Classification,
    ::testing::Values(ClassCase{'1', 0, true, false, false, false},
                      ClassCase{'4', 'x', true, false, false, false},
                      ClassCase{'7', '3', false, true, false, false},  // practice material
                      ClassCase{'7', '9', false, true, false, false},
                      ClassCase{'7', 'A', false, true, true, false},   // technical material
                      ClassCase{'7', '0', false, true, true, false},
                      ClassCase{'7', 0, false, true, true, false},
                      ClassCase{'8', 0, false, false, false, true},
                      ClassCase{'5', 0, false, false, false, false},
                      ClassCase{'6', 0, false, false, false, false},
                      ClassCase{'9', 0, false, false, false, false}));

TEST(LabRechDistribution, RateZeroFillsOnlyAllAndFree) {
    CLULabRech r = Row();
    r.MoveBeh(Hit('1', 0, 1000, 0));
    r.BerechneMwStSummen();
    EXPECT_TRUE(r.m_LstAlle.m_bBelegt);
    EXPECT_TRUE(r.m_LstOhneMwSt.m_bBelegt);
    for (int v : {1, 3, 4, 5, 6}) EXPECT_FALSE(r.Block(v).m_bBelegt) << v;
    EXPECT_TRUE(r.m_vecMwStGruppen.empty());
    EXPECT_TRUE(r.m_LstAlle.m_MwSt.IsZero());
    EXPECT_EQ(r.m_LstAlle.m_Brutto.GetCent(), 1000);
    EXPECT_EQ(r.m_LstOhneMwSt.m_Brutto.GetCent(), 1000);
}

TEST(LabRechDistribution, EachRateFeedsItsBlock) {
    const std::pair<int, int> rates[] = {{5, 3}, {7, 4}, {16, 5}, {19, 6}};
    for (auto [satz, view] : rates) {
        CLULabRech r = Row();
        r.MoveBeh(Hit('1', 0, 10000, satz));
        r.BerechneMwStSummen();
        EXPECT_TRUE(r.Block(view).m_bBelegt) << satz;
        EXPECT_EQ(r.Block(view).m_MwSt.GetCent(), 100 * satz) << satz;
        EXPECT_EQ(r.m_LstMitMwSt.m_MwSt.GetCent(), 100 * satz);
        EXPECT_EQ(r.m_LstAlle.m_Brutto.GetCent(), 10000 + 100 * satz);
        EXPECT_FALSE(r.m_LstOhneMwSt.m_bBelegt);
    }
}

TEST(LabRechDistribution, UnknownRateCountsInAllAndWithVatOnly) {
    CLULabRech r = Row();
    r.MoveBeh(Hit('1', 0, 10000, 12));
    r.BerechneMwStSummen();
    ASSERT_EQ(r.m_vecMwStGruppen.size(), 1u);
    EXPECT_EQ(r.m_vecMwStGruppen[0].first, "P1B10|12");
    for (int v : {2, 3, 4, 5, 6}) EXPECT_FALSE(r.Block(v).m_bBelegt) << v;
    EXPECT_EQ(r.m_LstAlle.m_MwSt.GetCent(), 1200);
    EXPECT_EQ(r.m_LstMitMwSt.m_MwSt.GetCent(), 1200);
}

TEST(LabRechVat, ComputedOnTheGroupSumNotPerHit) {
    // Three hits of 0.03 at 19 %: per hit 0.0057 would round to 0.01 each (0.03);
    // on the group's 0.09 the VAT is 0.0171, i.e. 0.02.
    CLULabRech r = Row();
    for (int i = 0; i < 3; ++i) r.MoveBeh(Hit('1', 0, 3, 19));
    r.BerechneMwStSummen();
    ASSERT_EQ(r.m_vecMwStGruppen.size(), 1u);
    EXPECT_EQ(r.m_LstAlle.m_MwSt.GetCent(), 2);
    EXPECT_EQ(r.m_Lst19.m_Brutto.GetCent(), 11);
}

TEST(LabRechVat, OppositeSecondFlagsGiveTwoGroups) {
    CLULabRech r = Row();
    CBehHitLine a = Hit('1', 0, 3, 19), b = Hit('1', 0, 3, 19);
    b.m_cFlag2 = '1';
    r.MoveBeh(a);
    r.MoveBeh(b);
    r.MoveBeh(a);
    r.BerechneMwStSummen();
    ASSERT_EQ(r.m_vecMwStGruppen.size(), 2u);
    EXPECT_EQ(r.m_vecMwStGruppen[0].first, "P1B10|19");
    EXPECT_EQ(r.m_vecMwStGruppen[0].second.GetCent(), 6);
    EXPECT_EQ(r.m_vecMwStGruppen[1].first, "P1B11|19");
    EXPECT_EQ(r.m_LstAlle.m_MwSt.GetCent(), 1 + 1); // 0.0114 -> 0.01, 0.0057 -> 0.01
}

TEST(LabRechVat, MixedRatesSplitByBlock) {
    CLULabRech r = Row();
    r.MoveBeh(Hit('1', 0, 10000, 7));
    r.MoveBeh(Hit('8', 0, 5000, 19));
    r.MoveBeh(Hit('7', 'A', 2000, 0));
    r.BerechneMwStSummen();
    EXPECT_EQ(r.m_LstAlle.m_Netto.GetCent(), 17000);
    EXPECT_EQ(r.m_LstAlle.m_MwSt.GetCent(), 700 + 950);
    EXPECT_EQ(r.m_Lst7.m_MwSt.GetCent(), 700);
    EXPECT_EQ(r.m_Lst19.m_MwSt.GetCent(), 950);
    EXPECT_EQ(r.m_Lst19.m_Metall.GetCent(), 5000);
    EXPECT_EQ(r.m_LstOhneMwSt.m_TechnMat.GetCent(), 2000);
    EXPECT_EQ(r.m_LstMitMwSt.m_Brutto.GetCent(), 15000 + 1650);
}

TEST(LabRechLabBetrag, TotalsFromTheHostCountTechnicalServicesInNetOnly) {
    LabBetrag lab;
    for (int i = 0; i < 5; ++i) lab.m_A[i] = lab.m_B[i] = Cent(0);
    lab.m_A[LabBetrag::TechnLst] = Cent(10000);
    lab.m_B[LabBetrag::TechnLst] = Cent(500);
    lab.m_A[LabBetrag::Material1] = Cent(200);
    lab.m_B[LabBetrag::Material2] = Cent(300);
    lab.m_A[LabBetrag::Metall] = Cent(4000);
    lab.m_A[LabBetrag::MwSt] = Cent(1050);

    CLULabRech r = Row();
    r.MoveLabLstBetrag(Hit('1', 0, 0, 7), lab);
    EXPECT_EQ(r.m_LstAlle.m_Netto.GetCent(), 10500 + 500 + 4000);
    EXPECT_TRUE(r.m_LstAlle.m_TechnLst.IsEmpty());
    EXPECT_EQ(r.m_LstAlle.m_Material.GetCent(), 500);
    EXPECT_EQ(r.m_LstAlle.m_Metall.GetCent(), 4000);
    EXPECT_EQ(r.m_Lst7.m_MwSt.GetCent(), 1050);
    EXPECT_TRUE(r.m_LstMitMwSt.m_bBelegt);
    EXPECT_FALSE(r.m_LstOhneMwSt.m_bBelegt);
    EXPECT_TRUE(r.m_vecMwStGruppen.empty());

    lab.m_A[LabBetrag::MwSt] = Cent(0);
    CLULabRech frei = Row();
    frei.MoveLabLstBetrag(Hit('1', 0, 0, 7), lab);
    EXPECT_TRUE(frei.m_LstOhneMwSt.m_bBelegt);
    EXPECT_FALSE(frei.m_LstMitMwSt.m_bBelegt);
    EXPECT_FALSE(frei.m_Lst7.m_bBelegt);
}

TEST(LabRechMerge, SecondLiquidationNumberMovesInvoiceDateUpToToday) {
    SetTKDateOverride("20230201");
    CLULabRech r = Row();
    CBehHitLine h = Hit('1', 0, 100, 19);
    h.m_strLiqNr1 = "L1";
    r.MoveBeh(h);
    EXPECT_EQ(r.m_strLiqNr, "L1");
    EXPECT_TRUE(r.m_strRechDatum.empty());

    h.m_strLiqNr2 = "L2";
    r.MoveBeh(h);
    EXPECT_EQ(r.m_strLiqNr, "L2");
    EXPECT_EQ(r.m_strRechDatum, "20230110");

    h.m_strDatum = "20230301"; // later than today: the date stays
    r.MoveBeh(h);
    EXPECT_EQ(r.m_strRechDatum, "20230110");
    EXPECT_EQ(r.m_strLstDatum, "20230301");
    SetTKDateOverride("");
}

TEST(LabRechNumbers, RunningNumberOnlyAfter2019) {
    struct Case {
        const char *jahr, *prefix, *lfd, *expected;
    } cases[] = {{"2019", "A", "17", ""},
                 {"2020", "A 1", "17", "A1/17/2020"},
                 {"2024", "", " 5", "/5/2024"},
                 {"2024", "R", "", ""},
                 {"", "R", "3", ""}};
    for (const Case& c : cases) {
        CZFakt fakt;
        fakt.m_strDatum = "20240105";
        fakt.m_strJahr = c.jahr;
        fakt.m_strPrefix = c.prefix;
        fakt.m_strLfdNr = c.lfd;
        fakt.m_strPatRechNr = "42";
        CLULabRech r = Row();
        r.m_strMandant = "1";
        r.m_strPatNr = "7";
        r.m_strFortlRgNr = "alt";
        r.MoveFakt(&fakt);
        EXPECT_EQ(r.m_strFortlRgNr, c.expected) << c.jahr << "/" << c.lfd;
        EXPECT_EQ(r.m_strRechDatum, "20240105");
        EXPECT_EQ(r.m_strRechNr, "1/7/42");
    }
}

TEST(LabRechNumbers, InvoiceNumberWithoutLeadingBlanks) {
    CLULabRech r = Row();
    r.m_strMandant = "1";
    r.m_strPatNr = " 7";
    r.CreateRechnungsNr(" 42");
    EXPECT_EQ(r.m_strRechNr, "1/7/42");
    r.m_strMandant = "  2";
    r.CreateRechnungsNr("9");
    EXPECT_EQ(r.m_strRechNr, "2/7/9");
}

TEST(LabRechCompare, EachConditionDecides) {
    CLUDefault settings;
    CLULabRech r = Row();
    r.MoveBeh(Hit('1', 0, 100, 19));
    const CBehHitLine base = Hit('1', 0, 100, 19);
    EXPECT_TRUE(r.Compare(base, settings));

    struct Case {
        const char* what;
        void (*change)(CBehHitLine&);
        bool expected;
    } cases[] = {
        {"other patient", [](CBehHitLine& h) { h.m_strPatNr = "8"; }, false},
        {"other plan", [](CBehHitLine& h) { h.m_strPlanNr = "P2"; }, false},
        {"other invoice", [](CBehHitLine& h) { h.m_strLabRechKey = "F2"; }, false},
        {"other lab block", [](CBehHitLine& h) { h.m_strLBlockNr = "B2"; }, false},
        {"other plan kind without liq nr", [](CBehHitLine& h) { h.m_cFlag1 = 'k'; }, false},
        {"other date", [](CBehHitLine& h) { h.m_strDatum = "20230111"; }, true},
        {"other amount and rate", [](CBehHitLine& h) { h.m_nMwStSatz = 7; }, true},
    };
    for (const Case& c : cases) {
        CBehHitLine h = base;
        c.change(h);
        EXPECT_EQ(r.Compare(h, settings), c.expected) << c.what;
    }

    // With a liquidation number the plan kind no longer matters...
    r.m_strLiqNr = "L1";
    CBehHitLine kind = base;
    kind.m_cFlag1 = 'k';
    EXPECT_TRUE(r.Compare(kind, settings));
    // ...but without a plan number the plan kind stands in for it.
    r.m_strPlanNr.clear();
    EXPECT_FALSE(r.Compare(kind, settings));
    // An empty invoice key in the row accepts any invoice.
    r.m_strPlanNr = "P1";
    r.m_strLabRechNr.clear();
    CBehHitLine other = base;
    other.m_strLabRechKey = "F9";
    EXPECT_TRUE(r.Compare(other, settings));
}

TEST(LabRechCompare, ServiceDateCountsWithStetsLstDatum) {
    CLUDefault settings;
    settings.SetStetsLstDatum(true);
    CLULabRech r = Row();
    r.MoveBeh(Hit('1', 0, 100, 19));
    CBehHitLine later = Hit('1', 0, 100, 19);
    later.m_strDatum = "20230111";
    EXPECT_FALSE(r.Compare(later, settings));
    EXPECT_TRUE(r.Compare(Hit('1', 0, 1, 0), settings));
}

TEST(LabRechEquality, EmptinessOfTheLeftRowDecides) {
    CLULabRech a = Row(), b = Row();
    for (CLULabRech* r : {&a, &b}) {
        r->m_strPatNr = "7";
        r->m_strPlanNr = "P1";
        r->m_strLBlockNr = "B1";
        r->m_cPlanArt = 'z';
    }
    a.m_strRechNr = "1/7/42";
    EXPECT_FALSE(a == b);
    EXPECT_TRUE(b == a); // b has no invoice number: it does not compare it
    b.m_strRechNr = "1/7/42";
    EXPECT_TRUE(a == b);

    a.m_strFortlRgNr = "A/1/2024";
    EXPECT_FALSE(a == b);
    EXPECT_TRUE(b == a);
    b.m_strFortlRgNr = a.m_strFortlRgNr;

    b.m_nStornoTyp = kStornoImZeitraum;
    EXPECT_FALSE(a == b);
    b.m_nStornoTyp = a.m_nStornoTyp;
    b.m_strZusatzKey = "X";
    EXPECT_FALSE(a == b);
    b.m_strZusatzKey.clear();

    // Without a liquidation number the plan kind must match.
    b.m_cPlanArt = 'k';
    EXPECT_FALSE(a == b);
    a.m_strLiqNr = b.m_strLiqNr = "L1";
    EXPECT_TRUE(a == b);
    b.m_strPlanNr = "P2";
    EXPECT_FALSE(a == b);
}

TEST(LabRechSums, FactorSignsTheSumAndMaterialVatIsCollected) {
    CLULabRechLst row;
    row.m_Brutto = Cent(11900);
    row.m_Netto = Cent(10000);
    row.m_MwSt = Cent(1900);
    row.m_TechnMat5 = Cent(1000);
    row.m_TechnMat7 = Cent(2000);
    row.m_MwStTechnLst7 = Cent(1900 - 140 - 50); // parts add up to the row's VAT

    CLULabRechLst sum;
    sum.AddSummen(row, false, kStornoDanach);
    sum.AddSummen(row, false, kStornoDavor);
    sum.AddSummen(row, false, kStornoDanach);
    EXPECT_EQ(sum.m_Brutto.GetCent(), 11900);
    EXPECT_EQ(sum.m_Netto.GetCent(), 10000);
    EXPECT_EQ(sum.m_TechnMat5.GetCent(), 50);
    EXPECT_EQ(sum.m_TechnMat7.GetCent(), 140);
    EXPECT_EQ(sum.m_nRundDiff, 0);

    CLULabRechLst zero;
    zero.AddSummen(row, false, kStornoImZeitraum);
    EXPECT_TRUE(zero.m_Netto.IsZero());
    EXPECT_TRUE(zero.m_TechnMat7.IsZero());
}

TEST(LabRechSums, RoundingDifferencesStrictlyInsideTwoEuroAreCounted) {
    struct Case {
        std::int64_t diff;
        bool counted;
    } cases[] = {{1, true}, {-1, true}, {199, true}, {-199, true},
                 {200, false}, {-200, false}, {0, false}};
    for (const Case& c : cases) {
        CLULabRechLst row;
        row.m_MwSt = Cent(1000);
        row.m_MwStTechnLst7 = Cent(1000 + c.diff);
        CLULabRechLst sum;
        sum.AddSummen(row, false, kStornoImZeitraum); // factor 0 still checks
        EXPECT_EQ(sum.m_nRundDiff, c.counted ? 1 : 0) << c.diff;
        EXPECT_EQ(sum.m_RundDiff.GetCent(), c.counted ? c.diff : 0) << c.diff;
    }
}

TEST(LabRechSums, SkipFlagIgnoresRowsWithoutReducedRateVat) {
    CLULabRechLst row;
    row.m_Netto = Cent(500);
    CLULabRechLst sum;
    sum.AddSummen(row, true, false, kStornoDanach);
    EXPECT_TRUE(sum.m_Netto.IsEmpty());
    row.m_MwStTechnLst5 = Cent(25);
    sum.AddSummen(row, true, false, kStornoDanach);
    EXPECT_EQ(sum.m_Netto.GetCent(), 500);
}

TEST(LabRechClear, EmptiesEverythingButKeepsRoundingOfBlocks) {
    CLULabRech r = Row();
    r.MoveBeh(Hit('1', 0, 100, 19));
    r.m_bMarkiert = r.m_bFlag2 = true;
    r.m_nStornoTyp = kStornoDavor;
    r.m_LstAlle.m_RundDiff = Cent(3);
    r.m_LstAlle.m_nRundDiff = 1;
    r.Clear();
    EXPECT_TRUE(r.m_strPatNr.empty());
    EXPECT_TRUE(r.m_strPatName.empty());
    EXPECT_EQ(r.m_cPlanArt, 0);
    EXPECT_FALSE(r.m_bMarkiert);
    EXPECT_EQ(r.m_nStornoTyp, kStornoDanach);
    EXPECT_TRUE(r.m_vecMwStGruppen.empty());
    EXPECT_FALSE(r.m_LstAlle.m_bBelegt);
    EXPECT_TRUE(r.m_LstAlle.m_Netto.IsEmpty());
    EXPECT_EQ(r.m_LstAlle.m_nRundDiff, 1);
}

} // namespace
