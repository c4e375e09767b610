// The technician ranking on an evaluation read back from the hit file: a pass over
// the demo database, the hit file written and read, and the dialog's ranking tab.
// The ranking of the rows read back is the ranking of the rows the pass built.
#include "app/DemoDatabase.h"
#include "app/LuHitFile.h"
#include "app/LuWalk.h"
#include "core/LUDefault.h"
#include "core/LUSum.h"
#include "dialog/diaAwLU.h"
#include "host/ScriptedHostServices.h"
#include "host/db/Database.h"
#include "host/gui/WPFDataTable.h"
#include "host/stat/StatAccu.h"
#include "support/GuiTestApp.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Every cell of a ranking table, row by row.
std::vector<std::vector<CString>> Cells(const CWPFDataTable& table) {
    std::vector<std::vector<CString>> rows;
    for (int n = 0; n < table.GetRowCount(); ++n) {
        std::vector<CString>& cells = rows.emplace_back();
        for (const char* pszColumn : {"Id", "Folge", "Name", "TechnLst", "Labor", "Gesamt", "Proz"})
            cells.push_back(table.GetRow(n).GetValue(pszColumn));
    }
    return rows;
}

struct RankingTables {
    std::vector<std::vector<CString>> techniker, behandler;
};

// The dialog on the rows, its ranking tab chosen as the user does.
RankingTables RankingOf(const CLUSum& sum, CStatAccu& accu) {
    CdiaAwLU dialog(sum, &accu, nullptr, true, false, false, false, "", "");
    EXPECT_TRUE(dialog.Create());
    dialog.m_tabArt.SetSelectedIndex(CdiaAwLU::kTabRanking);
    EXPECT_EQ(dialog.m_nSelectedTab, CdiaAwLU::kTabRanking);
    return {Cells(dialog.m_dtRanking1), Cells(dialog.m_dtRanking2)};
}

TEST(LuRankingEndToEnd, RankingOfTheHitFileEqualsThatOfThePass) {
    GuiTestApp();
    auto previous = InstallHostServices(std::make_shared<CScriptedHostServices>());
    std::random_device rd;
    const fs::path dir = fs::temp_directory_path() / ("vxstat-lu-ranking-" + std::to_string(rd()));
    fs::create_directories(dir);
    CString strError;
    ASSERT_TRUE(WriteDemoDatabase((dir / "praxis.db").string(), {300, 7}, strError)) << strError;
    ASSERT_TRUE(OpenPracticeDatabase((dir / "praxis.db").string(), strError)) << strError;

    LuWalkRequest req;
    req.strAb = "20230101";
    req.strBis = "20231231";
    const CLUDefault settings;
    CStatAccu walkAccu;
    CLUSum walked;
    ASSERT_TRUE(RunLuWalk(req, settings, walkAccu, walked, strError)) << strError;
    ASSERT_TRUE(WriteLuHitFile(walked, walkAccu, req.eMode, settings, dir.string(), strError))
        << strError;

    CLUSum read;
    CStatAccu readAccu;
    LuMode eMode = LuMode::Services;
    ASSERT_TRUE(ReadLuHitFile(read, readAccu, dir.string(), eMode, strError)) << strError;
    ASSERT_EQ(read.m_vecLabRech.size(), walked.m_vecLabRech.size());
    for (std::size_t i = 0; i < read.m_vecLabRech.size(); ++i)
        ASSERT_EQ(read.m_vecLabRech[i].m_strTechniker, walked.m_vecLabRech[i].m_strTechniker) << i;

    const RankingTables fromFile = RankingOf(read, readAccu);
    ASSERT_GE(fromFile.techniker.size(), 2u); // the demo's technicians of 2023
    ASSERT_GE(fromFile.behandler.size(), fromFile.techniker.size());
    const RankingTables fromPass = RankingOf(walked, walkAccu);
    EXPECT_EQ(fromFile.techniker, fromPass.techniker);
    EXPECT_EQ(fromFile.behandler, fromPass.behandler);

    ClosePracticeDatabase();
    InstallHostServices(previous);
    fs::remove_all(dir);
}

} // namespace
