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

TEST(DiaAwLURanking, TechniciansWithTheirTreatersFromTheDatabase) {
    GuiTestApp();
    TempPracticeDb db;
    auto previous = InstallHostServices(std::make_shared<CScriptedHostServices>());
    CStatAccu accu;
    accu.SetPeriod("20240101", "20241231");
    CLUSum sum;
    const auto Add = [&](const CString& strTechniker, const CString& strPatNr,
                         const CString& strPlanNr, std::int64_t nLst) {
        CLULabRech& r = sum.m_vecLabRech.emplace_back(MakeRecord(strPatNr, "20240110", nLst, 100));
        r.m_strTechniker = strTechniker;
        r.m_strPlanNr = strPlanNr;
    };
    Add("T1", "100", "1", 10000);
    Add("T2", "100", "1", 25000);
    Add("T2", "200", "", 5000);   // without a plan number the patient's dentist treats
    Add("T2", "300", "7", 10000); // no such plan
    const auto Open = [&] {
        auto p = std::make_unique<CdiaAwLU>(sum, &accu, nullptr, true, false, false, false, "", "");
        EXPECT_TRUE(p->Create());
        p->GetDialog()->show();
        p->m_tabArt.SetSelectedIndex(CdiaAwLU::kTabRanking);
        QCoreApplication::processEvents();
        return p;
    };

    // Only unknown technician ids: empty tables and no current row.
    auto d = Open();
    EXPECT_TRUE(d->m_dtRanking1.IsEmpty());
    EXPECT_TRUE(d->m_dtRanking2.IsEmpty());
    EXPECT_EQ(d->m_xgRanking.GetCurrentIndex(), -1);

    CZLeb leb(&dbDatabase);
    for (const auto& [szId, szArt, szName] : {std::tuple{"T1", "T", "Adler"},
                                              {"T2", "T", "Berger"},
                                              {"Z1", "Z", "Zahn"},
                                              {"Z2", "Z", "Kron"}}) {
        leb.m_strLebId = szId;
        leb.m_strArt = szArt;
        leb.m_strName = szName;
        ASSERT_EQ(leb.Write(), 0) << leb.GetLastError();
    }
    CZPlan plan(&dbDatabase);
    plan.m_strPatNr = "100";
    plan.m_strPlanNr = "1";
    plan.m_strZaLebId = "Z1";
    ASSERT_EQ(plan.Write(), 0);
    CZPat pat(&dbDatabase);
    pat.m_strPatNr = "200";
    pat.m_strZaLebId = "Z2";
    ASSERT_EQ(pat.Write(), 0);
    d = Open();
    ASSERT_EQ(d->m_dtRanking1.GetRowCount(), 2);
    EXPECT_EQ(d->m_dtRanking1.GetRow(0).GetValue("Name"), "Berger (T2)");
    EXPECT_EQ(d->m_dtRanking1.GetRow(0).GetValue("Gesamt"), "403,00");
    EXPECT_EQ(d->m_dtRanking1.GetRow(0).GetValue("Proz"), "80.00");
    ASSERT_EQ(d->m_dtRanking2.GetRowCount(), 4);
    EXPECT_EQ(d->m_dtRanking2.GetRow(0).GetValue("Name"), "Zahn (Z1)");
    EXPECT_EQ(d->m_dtRanking2.GetRow(1).GetValue("Name"), " ()");
    EXPECT_EQ(d->m_dtRanking2.GetRow(2).GetValue("Name"), "Kron (Z2)");
    EXPECT_EQ(d->m_dsRanking.FindChildRelation(d->m_dtRanking1)->strName, "Relation5");

    const QTreeView& tree = *static_cast<QTreeView*>(d->m_xgRanking.GetWidget());
    const QAbstractItemModel& model = *tree.model();
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Techniker");
    EXPECT_EQ(model.headerData(5, Qt::Horizontal).toString(), "Praxis-%");
    EXPECT_EQ(model.rowCount(model.index(0, 0)), 3);
    EXPECT_EQ(model.index(2, 1, model.index(0, 0)).data().toString(), "Kron (Z2)");
    EXPECT_TRUE(tree.isExpanded(model.index(1, 0)));
    EXPECT_EQ(d->m_xgRanking.GetCurrentIndex(), 0);
    EXPECT_FALSE(SaveScreenshot(*d->GetDialog(), "diaAwLU_ranking_baum").isEmpty());

    // Each fill of the ranking tab computes the tables anew.
    d->m_tabArt.SetSelectedIndex(0);
    d->m_tabArt.SetSelectedIndex(CdiaAwLU::kTabRanking);
    EXPECT_EQ(d->m_dtRanking2.GetRowCount(), 4);
    InstallHostServices(previous);
}

} // namespace
