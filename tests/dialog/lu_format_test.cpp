// Amount texts, row cells, column views, sum texts and tab stops of the lab-turnover list.
#include "core/LUDefault.h"
#include "dialog/Format2Nk.h"
#include "dialog/LUColumns.h"
#include "dialog/LURowBuilder.h"
#include "dialog/LUSums.h"
#include "dialog/LUTabStops.h"
#include "host/Cp1252.h"
#include "host/gui/WPFMatrix.h"

#include "LUTestRecords.h"
#include "support/GuiTestApp.h"

#include <gtest/gtest.h>

namespace {

TEST(LUFormat, CellsHideZeroAndShowCancellationsBySignOrParentheses) {
    EXPECT_EQ(Format2Nk(Cent(0), 'e'), "0,00");
    EXPECT_EQ(Format2Nk(Cent(123456), 'e'), "1234,56");
    EXPECT_EQ(Format2Nk(Cent(0), kStornoDanach, 'e'), "");
    EXPECT_EQ(Format2Nk(Cent(150), kStornoDavor, 'e'), "-1,50");
    EXPECT_EQ(Format2Nk(Cent(150), kStornoImZeitraum, 'e'), "(1,50)");
    EXPECT_EQ(Format2Nk(Cent(150), 5, 'e'), "");
    EXPECT_EQ(Format2Nk(Cent(100'000'000'000), kStornoDanach, 'e'), "1000000000,00");
}

class LURowTest : public ::testing::Test {
protected:
    void SetUp() override { GuiTestApp(); }
    // The cells of one row of r on the tab.
    std::vector<CString> Row(const CLULabRech& r, int nTab, bool bTechnMat = false) {
        CWPFMatrix<26> matrix;
        LURowContext ctx;
        ctx.nTab = nTab;
        ctx.bTechnMat = bTechnMat;
        ctx.pSettings = &m_settings;
        int nRow = -1;
        BuildLURow(matrix, nRow, r, r.Block(nTab), r.m_nStornoTyp, ctx);
        EXPECT_EQ(nRow, 0);
        std::vector<CString> cells;
        for (int c = 0; c < 25; ++c)
            cells.push_back(matrix.GetValue(0, c));
        return cells;
    }
    CLUDefault m_settings;
};

TEST_F(LURowTest, TextColumnsFollowPlanKindNumberAndRunningNumber) {
    CLULabRech r = MakeRecord("100", "20200315", 10000);
    r.m_strPlanNr = "7";
    r.m_strFortlRgNr = "2020-0042";
    auto c = Row(r, 0);
    EXPECT_EQ(c[0], "False");
    EXPECT_EQ(c[1], "");
    EXPECT_EQ(c[2], "15.03.2020");
    EXPECT_EQ(c[5], " 7");
    EXPECT_EQ(c[6], "ZE");
    EXPECT_EQ(c[7], " 1/100/1");
    m_settings.SetMitFortlRgNr(true);
    EXPECT_EQ(Row(r, 0)[7], "2020-0042");
    r.m_strRechDatum = "20191231"; // running numbers start after 2019
    EXPECT_EQ(Row(r, 0)[7], " 1/100/1");
    r.m_strPlanNr = "0";
    r.m_cPlanArt = 0;
    r.m_strZusatzText = "Reparatur";
    c = Row(r, 0);
    EXPECT_EQ(c[5], "");
    EXPECT_EQ(c[6], "Reparatur");
}

TEST_F(LURowTest, AmountColumnsPerTabAndCancellationType) {
    CLULabRech r = MakeRecord("100", "20240115", 10000, 2000, 500, kStornoDavor);
    r.m_LstAlle.m_TechnLstFrei = Cent(300);
    auto c = Row(r, 0);
    EXPECT_EQ(c[1], "113");
    EXPECT_EQ(c[8], "-103,00"); // services with VAT and free of VAT on tab 0
    EXPECT_EQ(c[11], "-20,00");
    EXPECT_EQ(c[20], "-23,75");
    EXPECT_EQ(c[17], "");
    EXPECT_EQ(c[24], "01.06.2024");
    r.m_nStornoTyp = kStornoImZeitraum;
    c = Row(r, 6);
    EXPECT_EQ(c[1], "114");
    EXPECT_EQ(c[8], "(100,00)");
    EXPECT_EQ(c[23], "(148,75)");
    r.m_LstOhneMwSt = r.m_LstAlle;
    c = Row(r, 2);
    EXPECT_EQ(c[21], ""); // no VAT column on the tab without VAT
    EXPECT_EQ(c[20], "");
}

TEST_F(LURowTest, TechnicalMaterialColumnsSplitMaterialAndReducedVat) {
    CLULabRech r = MakeRecord("100", "20240115", 0, 5000);
    r.m_Lst7.m_bBelegt = true;
    r.m_Lst7.m_TechnMat = Cent(1500);
    r.m_Lst7.m_MwStMetall7 = Cent(35);
    r.m_LstAlle.m_MwStTechnLst7 = Cent(700);
    r.m_LstAlle.m_TechnLst = Cent(10000);
    auto c = Row(r, 0, true);
    EXPECT_EQ(c[8], "100,00");
    EXPECT_EQ(c[9], "");
    EXPECT_EQ(c[11], "15,00");
    EXPECT_EQ(c[12], "35,00"); // practice material = material - technical material
    EXPECT_EQ(c[14], "7,00");
    EXPECT_EQ(c[15], "0,35");
    EXPECT_EQ(c[16], "1,05");
    r.m_LstAlle.m_Material = Cent(1000); // less than the technical material: no practice material
    EXPECT_EQ(Row(r, 0, true)[12], "");
    c = Row(r, 4, true);
    EXPECT_EQ(c[11], "15,00");
    EXPECT_EQ(c[12], "");
}

TEST(LUColumns, ViewsMapTheirColumnsWithTitlesAndToolTips) {
    std::vector<int> vecMap;
    for (const LUColumn& col : LUViewColumns(kViewNormal, false, false))
        vecMap.push_back(col.nMatrixCol);
    EXPECT_EQ(vecMap, (std::vector<int>{2, 3, 5, 6, 7, 8, 11, 13, 17, 18, 19, 20, 21, 22, 23}));
    const auto tech = LUViewColumns(kViewTechnMat, true, true);
    ASSERT_EQ(tech.size(), 6u + 15u + 1u);
    EXPECT_EQ(tech[2].strTitle, "Patient");
    EXPECT_EQ(tech[8].strTitle, "Metall"); // before "T.Mat." although column 13
    EXPECT_EQ(tech[9].nMatrixCol, 11);
    EXPECT_EQ(tech.back().strToolTip, "Stornodatum");
    EXPECT_EQ(CString(kLUSortTypes).size(), 25u);
}

TEST(LUTabStops, TablesHaveTheirPairsAndCloseWithNull) {
    const auto Count = [](const LUTabStop* p) {
        int n = 0;
        while (p[n].szAlign)
            ++n;
        return n;
    };
    EXPECT_EQ(Count(AbsTabsLuListBox), 31);
    EXPECT_EQ(Count(AbsTabsLuListBoxMitTechnMat), 38);
    EXPECT_STREQ(AbsTabsLuListBox[30].szWidth, "");
    EXPECT_STREQ(AbsTabsLuListBoxMitTechnMat[19].szWidth, "9");
}

TEST(LUSums, NormalTextsShowTheTabsRateAndMaterialLeavesNetWithTheSetting) {
    LUSummen sums;
    sums.s.m_Material = Cent(1000);
    sums.s.m_Netto = Cent(5000);
    sums.s.m_Brutto = Cent(5950);
    sums.s7.m_MwSt = Cent(70);
    sums.s19.m_MwSt = Cent(190);
    auto t = NormalSumTexts(4, 'e', true, sums);
    EXPECT_EQ(t[1], "10,00");
    EXPECT_EQ(t[4], "0,70");
    EXPECT_EQ(t[3], "0,00");
    EXPECT_EQ(t[6], "0,00");
    EXPECT_EQ(t[8], "40,00");
    EXPECT_EQ(t[9], "49,50");
    t = NormalSumTexts(0, 'e', false, sums);
    EXPECT_EQ(t[6], "1,90");
}

TEST(LUSums, TechTextsLeaveUnusedOutputsAndAddTheRoundingNote) {
    CLULabRechLst s, s5, s7, s16, s19;
    s.m_RundDiff = Cent(-2);
    s.m_nRundDiff = 3;
    LUTechTexts t;
    FormatTechSums(0, 'e', s, s5, s7, s16, s19, t);
    EXPECT_EQ(t[0], "0,00");
    EXPECT_EQ(t[18], Utf8ToCp1252("Hinweis: Durch unvermeidbare Rundungsfehler bei der "
                                  "Aufsplittung der USt. (bei 3 Rechnungen) auf tech.Lst., "
                                  "Metall, tech. Mat. ist die Summe dieser drei insgesamt 0,02 "
                                  "niedriger als die tatsächlich anfallende USt."));
    LUTechTexts t2;
    FormatTechSums(2, 'e', s, s5, s7, s16, s19, t2);
    EXPECT_EQ(t2[0], ""); // tab 2 leaves the services with VAT alone
    EXPECT_EQ(t2[18], "");
    LUTechTexts t3;
    FormatTechSums(3, 'e', s, s5, s7, s16, s19, t3);
    EXPECT_EQ(t3[1], "");
    EXPECT_EQ(t3[18], ""); // the 5 % block has no difference
    s.m_RundDiff = Cent(0);
    LUTechTexts t4;
    FormatTechSums(1, 'e', s, s5, s7, s16, s19, t4);
    EXPECT_EQ(t4[18], "");
}

} // namespace

namespace {

// A click changes the sums by its rows; they must stay those of a new computation,
// with the rounding count and the sign of cancelled invoices.
TEST(LUSums, RowSharesAddUpToTheFullSumsAndTakeAwayAgain) {
    std::vector<CLULabRech> recs = {MakeRecord("1", "20240101", 10001, 333, 7),
                                    MakeRecord("2", "20240102", 5000, 0, 0, kStornoDavor),
                                    MakeRecord("3", "20240103", 777, 0, 0, kStornoImZeitraum)};
    for (CLULabRech& r : recs) {
        r.m_bMarkiert = true;
        r.m_Lst19.m_MwSt = Cent(1); // one cent the split VAT does not explain
        r.m_Lst19.m_TechnMat7 = Cent(1001);
    }
    const std::vector<LURowEntry> rows = {{0, 0}, {0, 1}, {0, 2}};
    const LUSummen full = BerechneLUSummen(recs, rows, 0, true);
    LUSummen part;
    for (const CLULabRech& r : recs)
        AddLUZeile(part, r, 0, true, 1);
    const auto Same = [](const CLULabRechLst& a, const CLULabRechLst& b) {
        return a.m_Brutto == b.m_Brutto && a.m_MwSt == b.m_MwSt && a.m_TechnMat7 == b.m_TechnMat7 &&
               a.m_RundDiff == b.m_RundDiff && a.m_nRundDiff == b.m_nRundDiff;
    };
    EXPECT_TRUE(Same(full.s, part.s));
    EXPECT_TRUE(Same(full.s19, part.s19));
    EXPECT_EQ(part.s19.m_nRundDiff, 2);
    AddLUZeile(part, recs[1], 0, true, -1);
    recs[1].m_bMarkiert = false;
    EXPECT_TRUE(Same(BerechneLUSummen(recs, rows, 0, true).s19, part.s19));
}

} // namespace
