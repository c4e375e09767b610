// The technician ranking computed from invoices, with the database replaced by
// maps: entries and details, order and ties, shares, and the two data tables.
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
            return m_mapBehandler[{strPatNr, strPlanNr}];
        };
        m_quellen.fnLebName = [this](const CString& strId) { return m_mapNamen[strId]; };
        for (CWPFDataTable* pTable : {&m_t1, &m_t2})
            pTable->AddColumns({"Id", "Folge", "Name", "TechnLst", "Labor", "Gesamt", "Proz"});
    }
    // An invoice of a technician for a patient whose plan the given dentist treats.
    CLULabRech& Add(const CString& strTechniker, const CString& strPatNr,
                    const CString& strZahnarzt, std::int64_t nLst, std::int64_t nMat = 0) {
        CLULabRech& r = m_vecRecords.emplace_back(MakeRecord(strPatNr, "20240110", nLst, nMat));
        r.m_strTechniker = strTechniker;
        if (!strZahnarzt.empty()) m_mapBehandler[{strPatNr, r.m_strPlanNr}] = strZahnarzt;
        return r;
    }
    // The rows of a table, cells joined by "|", rows ended by "\n".
    CString Run(const CWPFDataTable& t) {
        if (m_t1.IsEmpty()) {
            CalcRanking(m_vecLeb, m_vecRecords, m_quellen, m_vecRanking, m_total);
            FillRankingTables(m_vecRanking, m_total, m_t1, m_t2);
        }
        CString s;
        for (int nRow = 0; nRow < t.GetRowCount(); ++nRow)
            for (int nCol = 0; nCol < t.GetColumnCount(); ++nCol)
                s += t.GetRow(nRow).GetValue(nCol) + (nCol + 1 < t.GetColumnCount() ? "|" : "\n");
        return s;
    }

    std::vector<StructLeb> m_vecLeb;
    std::vector<CLULabRech> m_vecRecords;
    std::map<std::pair<CString, CString>, CString> m_mapBehandler;
    std::map<CString, CString> m_mapNamen = {
        {"T1", "Adler"}, {"T2", "Berger"}, {"Z1", "Zahn"}, {"Z2", "Kron"}};
    LURankingQuellen m_quellen;
    int m_nLookups = 0;
    std::vector<StructRanking> m_vecRanking;
    CDBetrag m_total;
    CWPFDataTable m_t1{"Ranking1"}, m_t2{"Ranking2"};
};

TEST_F(LURankingTest, TechniciansAndTreatersRankedWithSumsAndShares) {
    m_vecLeb = {{"T1", "T1"}, {"T2", "T2"}};
    Add("T1", "100", "Z1", 10000);
    Add("T1", "101", "Z2", 30000, 5000); // material counts as "Labor"
    Add("T1", "100", "Z1", 20000);       // the same treater: one detail
    Add("T2", "102", "Z1", 140000);
    Add("T9", "103", "Z1", 99900); // no valid technician: not counted
    EXPECT_EQ(Run(m_t1), "1|1|Berger (T2)|1.400,00||1.400,00|70.00\n"
                         "2|2|Adler (T1)|600,00|50,00|650,00|30.00\n");
    EXPECT_EQ(Run(m_t2), "1|1|Zahn (Z1)|1.400,00||1.400,00|100.00\n"
                         "2|1|Zahn (Z1)|300,00||300,00|50.00\n"
                         "2|2|Kron (Z2)|300,00|50,00|350,00|50.00\n");
    EXPECT_EQ(m_total, Cent(200000));
    EXPECT_EQ(m_nLookups, 3); // patient 100's plan once, nothing for T9
}

TEST_F(LURankingTest, TiesKeepTheListOrderAndZeroServicesRankLastWithoutShares) {
    m_vecLeb = {{"T2", "T2"}, {"T1", "T1"}, {"T3", "T3"}};
    m_mapNamen["T3"] = "Ciesla";
    Add("T3", "104", "Z1", 0, 8000); // only material
    Add("T1", "100", "Z1", 5000);
    Add("T1", "101", "Z2", 5000);
    Add("T2", "102", "Z2", 10000);
    Add("T2", "103", "Z1", 10000);
    EXPECT_EQ(Run(m_t1), "1|1|Berger (T2)|200,00||200,00|66.67\n"
                         "2|2|Adler (T1)|100,00||100,00|33.33\n"
                         "3|3|Ciesla (T3)||80,00|80,00|0.00\n");
    EXPECT_EQ(Run(m_t2), "1|1|Kron (Z2)|100,00||100,00|50.00\n"
                         "1|2|Zahn (Z1)|100,00||100,00|50.00\n"
                         "2|1|Zahn (Z1)|50,00||50,00|50.00\n"
                         "2|2|Kron (Z2)|50,00||50,00|50.00\n"
                         "3|1|Zahn (Z1)||80,00|80,00|\n");
}

TEST(LURanking, SharesHaveAPointAndTwoDecimalsAndNeedAPositiveWhole) {
    const struct {
        std::int64_t nTeil, nGanzes;
        const char* szProz;
    } faelle[] = {{125, 1000, "12.50"}, {1, 3, "33.33"}, {2, 3, "66.67"},
                  {-5, 10, "-50.00"},   {5, 0, ""},      {5, -10, ""}};
    for (const auto& f : faelle)
        EXPECT_EQ(RankingProzent(Cent(f.nTeil), Cent(f.nGanzes)), f.szProz) << f.nTeil;
}

TEST_F(LURankingTest, IdsCompareExactlyAndSharedKeysMergeUnderTheFirstName) {
    m_vecLeb = {{" T1", "K"}, {"T2", "K"}};
    m_mapNamen[" T1"] = "Adler";
    Add("T2", "100", "Z1", 1000);
    Add(" T1", "101", "Z1", 2000);
    Add("T1", "102", "Z1", 9000); // without the blank: another id
    Add("t2", "103", "Z1", 9000); // in other case: another id
    Add("T2", "104", "Z2", 4000);
    EXPECT_EQ(Run(m_t1), "1|1|Adler (T1)|70,00||70,00|100.00\n");
    EXPECT_EQ(Run(m_t2), "1|1|Kron (Z2)|40,00||40,00|57.14\n"
                         "1|2|Zahn (Z1)|30,00||30,00|42.86\n");
}

TEST_F(LURankingTest, UnreadablePlansFormOneDetailAndCancelledInvoicesCountAsStored) {
    m_vecLeb = {{"T1", "T1"}};
    Add("T1", "100", "Z1", 1000);
    for (const char* szPatNr : {"200", "201"}) { // no plan in the database
        CLULabRech& r = Add("T1", szPatNr, "", 3000);
        r.m_nStornoTyp = kStornoImZeitraum;
        r.m_LstAlle.m_TechnLstFrei = Cent(500); // VAT-free services are services
        r.m_LstAlle.m_MwStTechnLst7 = Cent(70);
        r.m_LstAlle.m_MwStMetall5 = Cent(5);
        r.m_LstAlle.m_MwSt = Cent(99999); // not part of the invoice total
    }
    EXPECT_EQ(Run(m_t2), "1|1| ()|70,00|1,50|71,50|87.50\n"
                         "1|2|Zahn (Z1)|10,00||10,00|12.50\n");
}

} // namespace
