// The ranking tab of the lab-turnover dialog on a practice database: technicians
// and treaters from their master records, the grid with its details and titles.
#include "dialog/diaAwLU.h"
#include "host/HostServices.h"
#include "host/ScriptedHostServices.h"
#include "host/db/ZLeb.h"
#include "host/db/ZPat.h"
#include "host/db/ZPlan.h"
#include "host/stat/StatAccu.h"

#include "LUTestRecords.h"
#include "support/GuiTestApp.h"
#include "support/TempPracticeDb.h"

#include <QTreeView>
#include <gtest/gtest.h>

namespace {

class DiaAwLURankingTest : public ::testing::Test {
protected:
    void SetUp() override {
        GuiTestApp();
        m_previous = InstallHostServices(m_scripted);
        m_accu.SetPeriod("20240101", "20241231");
        m_accu.m_vecMandanten = {"1"};
    }
    void TearDown() override { InstallHostServices(m_previous); }

    static void WriteLeb(const CString& strId, const CString& strArt, const CString& strName) {
        CZLeb leb(&dbDatabase);
        leb.m_strLebId = strId;
        leb.m_strArt = strArt;
        leb.m_strName = strName;
        ASSERT_EQ(leb.Write(), 0) << leb.GetLastError();
    }
    static void WritePlan(const CString& strPatNr, const CString& strPlanNr,
                          const CString& strZaLebId) {
        CZPlan plan(&dbDatabase);
        plan.m_strPatNr = strPatNr;
        plan.m_strPlanNr = strPlanNr;
        plan.m_strZaLebId = strZaLebId;
        ASSERT_EQ(plan.Write(), 0) << plan.GetLastError();
    }
    static void WritePat(const CString& strPatNr, const CString& strZaLebId) {
        CZPat pat(&dbDatabase);
        pat.m_strPatNr = strPatNr;
        pat.m_strZaLebId = strZaLebId;
        ASSERT_EQ(pat.Write(), 0) << pat.GetLastError();
    }
    void Add(const CString& strTechniker, const CString& strPatNr, const CString& strPlanNr,
             std::int64_t nLst, std::int64_t nMat = 0) {
        CLULabRech r = MakeRecord(strPatNr, "20240110", nLst, nMat);
        r.m_strTechniker = strTechniker;
        r.m_strPlanNr = strPlanNr;
        m_sum.m_vecLabRech.push_back(r);
    }
    std::unique_ptr<CdiaAwLU> OpenRanking() {
        auto p =
            std::make_unique<CdiaAwLU>(m_sum, &m_accu, nullptr, true, false, false, false, "", "");
        EXPECT_TRUE(p->Create());
        p->GetDialog()->show();
        p->m_tabArt.SetSelectedIndex(CdiaAwLU::kTabRanking);
        QCoreApplication::processEvents();
        return p;
    }
    static QTreeView& Tree(CdiaAwLU& d) {
        return *static_cast<QTreeView*>(d.m_xgRanking.GetWidget());
    }

    TempPracticeDb m_db;
    std::shared_ptr<CScriptedHostServices> m_scripted = std::make_shared<CScriptedHostServices>();
    std::shared_ptr<IHostServices> m_previous;
    CStatAccu m_accu;
    CLUSum m_sum;
};

TEST_F(DiaAwLURankingTest, TechniciansWithTheirTreatersFromTheDatabase) {
    WriteLeb("T1", "T", "Adler");
    WriteLeb("T2", "T", "Berger");
    WriteLeb("Z1", "Z", "Zahn");
    WriteLeb("Z2", "Z", "Kron");
    WritePlan("100", "1", "Z1");
    WritePat("200", "Z2"); // without a plan number the patient's dentist treats
    Add("T1", "100", "1", 10000);
    Add("T2", "100", "1", 25000, 1000);
    Add("T2", "200", "", 5000);
    Add("T2", "300", "7", 10000); // no such plan
    Add("T3", "100", "1", 99900); // not a valid technician
    auto d = OpenRanking();
    ASSERT_EQ(d->m_vecLeb.size(), 2u);
    ASSERT_EQ(d->m_dtRanking1.GetRowCount(), 2);
    EXPECT_EQ(d->m_dtRanking1.GetRow(0).GetValue("Name"), "Berger (T2)");
    EXPECT_EQ(d->m_dtRanking1.GetRow(0).GetValue("Gesamt"), "410,00");
    EXPECT_EQ(d->m_dtRanking1.GetRow(0).GetValue("Proz"), "80.00");
    EXPECT_EQ(d->m_dtRanking1.GetRow(1).GetValue("Name"), "Adler (T1)");
    ASSERT_EQ(d->m_dtRanking2.GetRowCount(), 4);
    EXPECT_EQ(d->m_dtRanking2.GetRow(0).GetValue("Name"), "Zahn (Z1)");
    EXPECT_EQ(d->m_dtRanking2.GetRow(1).GetValue("Name"), " ()");
    EXPECT_EQ(d->m_dtRanking2.GetRow(2).GetValue("Name"), "Kron (Z2)");
    EXPECT_EQ(d->m_dtRanking2.GetRow(3).GetValue("Id"), "2");
    // The relation the print and the export follow.
    EXPECT_EQ(d->m_dsRanking.GetTable("Ranking1"), &d->m_dtRanking1);
    const CWPFDataSet::Relation* pRelation = d->m_dsRanking.FindChildRelation(d->m_dtRanking1);
    ASSERT_NE(pRelation, nullptr);
    EXPECT_EQ(pRelation->strName, "Relation5");

    QTreeView& tree = Tree(*d);
    const QAbstractItemModel& model = *tree.model();
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Techniker");
    EXPECT_EQ(model.headerData(5, Qt::Horizontal).toString(), "Praxis-%");
    EXPECT_EQ(model.rowCount(model.index(0, 0)), 3);
    EXPECT_EQ(model.index(0, 1, model.index(0, 0)).data().toString(), "Zahn (Z1)");
    EXPECT_TRUE(tree.isExpanded(model.index(0, 0)));
    EXPECT_TRUE(tree.isExpanded(model.index(1, 0)));
    EXPECT_EQ(d->m_xgRanking.GetCurrentIndex(), 0);
    EXPECT_FALSE(SaveScreenshot(*d->GetDialog(), "diaAwLU_ranking_baum").isEmpty());

    // Back on a list tab and again on the ranking: the tables are filled anew, not added to.
    d->m_tabArt.SetSelectedIndex(0);
    d->m_tabArt.SetSelectedIndex(CdiaAwLU::kTabRanking);
    EXPECT_EQ(d->m_dtRanking1.GetRowCount(), 2);
    EXPECT_EQ(d->m_dtRanking2.GetRowCount(), 4);
}

TEST_F(DiaAwLURankingTest, OnlyUnknownTechniciansOrNoneGiveEmptyTables) {
    WriteLeb("Z1", "Z", "Zahn");
    Add("T1", "100", "1", 10000);
    Add("", "101", "1", 10000);
    auto d = OpenRanking();
    EXPECT_TRUE(d->m_vecLeb.empty());
    EXPECT_TRUE(d->m_dtRanking1.IsEmpty());
    EXPECT_TRUE(d->m_dtRanking2.IsEmpty());
    EXPECT_EQ(Tree(*d).model()->rowCount(), 0);
    EXPECT_EQ(d->m_xgRanking.GetCurrentIndex(), -1);
}

} // namespace
