// The technician ranking computed from invoices: entries, details, order, ties,
// percentages and the two data tables, with the database replaced by maps.
#include "dialog/LURanking.h"
#include "host/gui/WPFDataTable.h"

#include "LUTestRecords.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace {

class LURankingTest : public ::testing::Test {
protected:
    LURankingTest() {
        m_quellen.fnZaLebId = [this](const CString& strPatNr, const CString& strPlanNr) {
            ++m_nLookups;
            const auto it = m_mapBehandler.find({strPatNr, strPlanNr});
            return it == m_mapBehandler.end() ? CString() : it->second;
        };
        m_quellen.fnLebName = [this](const CString& strId) {
            const auto it = m_mapNamen.find(strId);
            return it == m_mapNamen.end() ? CString() : it->second;
        };
        const std::vector<CString> vecCols = {"Id",    "Folge",  "Name", "TechnLst",
                                              "Labor", "Gesamt", "Proz"};
        m_t1.AddColumns(vecCols);
        m_t2.AddColumns(vecCols);
    }

    // An invoice of a technician for a patient whose plan the given dentist treats.
    void Add(const CString& strTechniker, const CString& strPatNr, const CString& strZahnarzt,
             std::int64_t nLst, std::int64_t nMat = 0) {
        CLULabRech r = MakeRecord(strPatNr, "20240110", nLst, nMat);
        r.m_strTechniker = strTechniker;
        m_mapBehandler[{strPatNr, r.m_strPlanNr}] = strZahnarzt;
        m_vecRecords.push_back(r);
    }
    void Run() {
        CalcRanking(m_vecLeb, m_vecRecords, m_quellen, m_vecRanking, m_total);
        FillRankingTables(m_vecRanking, m_total, m_t1, m_t2);
    }
    // The row's cells "Id" .. "Proz" joined by "|".
    static CString Row(const CWPFDataTable& t, int nRow) {
        CString s;
        for (int nCol = 0; nCol < t.GetColumnCount(); ++nCol)
            s += (nCol ? "|" : "") + t.GetRow(nRow).GetValue(nCol);
        return s;
    }

    std::vector<StructLeb> m_vecLeb;
    std::vector<CLULabRech> m_vecRecords;
    std::map<std::pair<CString, CString>, CString> m_mapBehandler;
    std::map<CString, CString> m_mapNamen = {
        {"T1", "Adler, Anna"}, {"T2", "Berger, Bernd"}, {"Z1", "Zahn, Zora"}, {"Z2", "Kron, Karl"}};
    LURankingQuellen m_quellen;
    int m_nLookups = 0;
    std::vector<StructRanking> m_vecRanking;
    CDBetrag m_total;
    CWPFDataTable m_t1{"Ranking1"}, m_t2{"Ranking2"};
};

TEST_F(LURankingTest, TechniciansAndTreatersRankedWithSumsAndShares) {
    m_vecLeb = {{"T1", "T1"}, {"T2", "T2"}};
    Add("T1", "100", "Z1", 10000); // 100,00 at 19 %: total 119,00 is not the ranking's total
    Add("T1", "101", "Z2", 30000, 5000);
    Add("T1", "100", "Z1", 20000);
    Add("T2", "102", "Z1", 140000);
    Run();
    ASSERT_EQ(m_t1.GetRowCount(), 2);
    // Technical services 1.400 of 2.000: 70 %; the material is "Labor".
    EXPECT_EQ(Row(m_t1, 0), "1|1|Berger, Bernd (T2)|1.400,00||1.400,00|70.00");
    EXPECT_EQ(Row(m_t1, 1), "2|2|Adler, Anna (T1)|600,00|50,00|650,00|30.00");
    ASSERT_EQ(m_t2.GetRowCount(), 3);
    EXPECT_EQ(Row(m_t2, 0), "1|1|Zahn, Zora (Z1)|1.400,00||1.400,00|100.00");
    // Two invoices for one treater make one detail; shares of the technician's 600.
    EXPECT_EQ(Row(m_t2, 1), "2|1|Zahn, Zora (Z1)|300,00||300,00|50.00");
    EXPECT_EQ(Row(m_t2, 2), "2|2|Kron, Karl (Z2)|300,00|50,00|350,00|50.00");
    EXPECT_EQ(m_total, Cent(200000));
    EXPECT_EQ(m_nLookups, 3); // patient 100's plan once
}

TEST_F(LURankingTest, TiesKeepTheOrderOfTheTechnicianListAndOfTheFirstInvoices) {
    m_vecLeb = {{"T2", "T2"}, {"T1", "T1"}};
    Add("T1", "100", "Z1", 5000);
    Add("T1", "101", "Z2", 5000);
    Add("T2", "102", "Z2", 10000);
    Run();
    ASSERT_EQ(m_t1.GetRowCount(), 2);
    EXPECT_EQ(m_t1.GetRow(0).GetValue("Name"), "Berger, Bernd (T2)");
    EXPECT_EQ(m_t1.GetRow(0).GetValue("Folge"), "1");
    EXPECT_EQ(m_t1.GetRow(1).GetValue("Name"), "Adler, Anna (T1)");
    EXPECT_EQ(m_t2.GetRow(1).GetValue("Name"), "Zahn, Zora (Z1)");
    EXPECT_EQ(m_t2.GetRow(2).GetValue("Name"), "Kron, Karl (Z2)");
}

TEST_F(LURankingTest, MaterialOnlyTechnicianRanksBelowAndHasNoShares) {
    m_vecLeb = {{"T1", "T1"}, {"T2", "T2"}};
    Add("T1", "100", "Z1", 0, 8000);
    Add("T2", "101", "Z1", 100);
    Run();
    ASSERT_EQ(m_t1.GetRowCount(), 2);
    EXPECT_EQ(Row(m_t1, 0), "1|1|Berger, Bernd (T2)|1,00||1,00|100.00");
    EXPECT_EQ(Row(m_t1, 1), "2|2|Adler, Anna (T1)||80,00|80,00|0.00");
    EXPECT_EQ(m_t2.GetRow(1).GetValue("Proz"), ""); // the technician's services are zero
}

TEST_F(LURankingTest, SharesHaveTwoDecimalsWithAPoint) {
    m_vecLeb = {{"T1", "T1"}, {"T2", "T2"}};
    Add("T1", "100", "Z1", 125);
    Add("T2", "101", "Z1", 600);
    Add("T2", "102", "Z2", 275);
    Run();
    EXPECT_EQ(m_t1.GetRow(1).GetValue("Proz"), "12.50"); // one eighth
    EXPECT_EQ(m_t2.GetRow(0).GetValue("Proz"), "68.57"); // 600 of T2's 875
    EXPECT_EQ(RankingProzent(Cent(1), Cent(3)), "33.33");
    EXPECT_EQ(RankingProzent(Cent(-5), Cent(10)), "-50.00");
    EXPECT_EQ(RankingProzent(Cent(5), Cent(0)), "");
    EXPECT_EQ(RankingProzent(Cent(5), Cent(-10)), "");
}

TEST_F(LURankingTest, NegativeTotalLeavesEveryTopShareEmpty) {
    m_vecLeb = {{"T1", "T1"}};
    Add("T1", "100", "Z1", -500);
    Run();
    ASSERT_EQ(m_t1.GetRowCount(), 1);
    EXPECT_EQ(m_t1.GetRow(0).GetValue("TechnLst"), "-5,00");
    EXPECT_EQ(m_t1.GetRow(0).GetValue("Proz"), "");
    EXPECT_EQ(m_t2.GetRow(0).GetValue("Proz"), "");
}

TEST_F(LURankingTest, UnknownIdsAreNotCountedAndIdsCompareExactly) {
    m_vecLeb = {{" T1", " T1"}};
    m_mapNamen[" T1"] = "Adler, Anna";
    Add(" T1", "100", "Z1", 1000);
    Add("T1", "101", "Z1", 9000); // not the same id: no blanks
    Add("t1", "102", "Z1", 9000); // nor in other case
    Add("", "103", "Z1", 9000);   // no technician
    Add("T9", "104", "Z1", 9000); // not a valid technician
    Run();
    ASSERT_EQ(m_t1.GetRowCount(), 1);
    EXPECT_EQ(Row(m_t1, 0), "1|1|Adler, Anna (T1)|10,00||10,00|100.00");
    EXPECT_EQ(m_total, Cent(1000));
    EXPECT_EQ(m_nLookups, 1); // nothing looked up for invoices not counted
}

TEST_F(LURankingTest, TechniciansSharingAKeyFormOneEntryUnderTheFirstName) {
    m_vecLeb = {{"T1", "K"}, {"T2", "K"}};
    Add("T2", "100", "Z1", 1000);
    Add("T1", "101", "Z1", 2000);
    Add("T2", "102", "Z2", 4000);
    Run();
    ASSERT_EQ(m_t1.GetRowCount(), 1);
    EXPECT_EQ(Row(m_t1, 0), "1|1|Adler, Anna (T1)|70,00||70,00|100.00");
    ASSERT_EQ(m_t2.GetRowCount(), 2);
    EXPECT_EQ(Row(m_t2, 0), "1|1|Kron, Karl (Z2)|40,00||40,00|57.14");
    EXPECT_EQ(Row(m_t2, 1), "1|2|Zahn, Zora (Z1)|30,00||30,00|42.86");
}

TEST_F(LURankingTest, UnreadablePlansFormOneDetailAndCancelledInvoicesCount) {
    m_vecLeb = {{"T1", "T1"}};
    Add("T1", "100", "Z1", 1000);
    CLULabRech r = MakeRecord("200", "20240110", 3000, 0, 0, kStornoImZeitraum);
    r.m_strTechniker = "T1";
    r.m_LstAlle.m_TechnLstFrei = Cent(500); // VAT-free services count as services
    r.m_LstAlle.m_MwStTechnLst7 = Cent(70);
    r.m_LstAlle.m_Metall = Cent(100);
    r.m_LstAlle.m_MwStMetall5 = Cent(5);
    r.m_LstAlle.m_MwSt = Cent(99999); // the VAT total is not part of the invoice total
    m_vecRecords.push_back(r);
    r.m_strPatNr = "201";
    m_vecRecords.push_back(r);
    Run();
    ASSERT_EQ(m_t2.GetRowCount(), 2);
    EXPECT_EQ(Row(m_t2, 0), "1|1| ()|70,00|3,50|73,50|87.50");
    EXPECT_EQ(Row(m_t2, 1), "1|2|Zahn, Zora (Z1)|10,00||10,00|12.50");
    EXPECT_EQ(RankingTechnLst(r), Cent(3500));
    EXPECT_EQ(RankingGesamt(r), Cent(3675));
}

TEST_F(LURankingTest, NoTechniciansOrNoInvoicesGiveEmptyTables) {
    Add("T1", "100", "Z1", 1000);
    Run();
    EXPECT_TRUE(m_t1.IsEmpty());
    EXPECT_TRUE(m_t2.IsEmpty());
    m_vecLeb = {{"T1", "T1"}};
    m_vecRecords.clear();
    Run();
    EXPECT_TRUE(m_t1.IsEmpty());
    EXPECT_TRUE(m_total.IsZero());
}

TEST(LURankingFind, FirstMatchByKeyAndOptionallyTreater) {
    std::vector<StructRanking> vec(3);
    vec[0].m_strLebKey = "A";
    vec[0].m_strZaLebId = "Z1";
    vec[1].m_strLebKey = "B";
    vec[1].m_strZaLebId = "Z1";
    vec[2].m_strLebKey = "B";
    vec[2].m_strZaLebId = "Z2";
    StructRanking key;
    key.m_strLebKey = "B";
    key.m_strZaLebId = "Z2";
    EXPECT_EQ(FindRanking(vec, key, false), 1);
    EXPECT_EQ(FindRanking(vec, key, true), 2);
    key.m_strLebKey = "b";
    EXPECT_EQ(FindRanking(vec, key, false), -1);
    EXPECT_EQ(FindRanking({}, key, false), -1);
}

} // namespace
