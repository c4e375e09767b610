// From the demo database through the walk and the hit file into the evaluation
// dialog: the dialog's sums of all rows equal the sums of the rows read back.
#include "app/DemoDatabase.h"
#include "app/LuHitFile.h"
#include "app/LuReport.h"
#include "app/LuWalk.h"
#include "core/File2LU.h"
#include "core/LUDefault.h"
#include "core/LUSum.h"
#include "dialog/Format2Nk.h"
#include "dialog/diaAwLU.h"
#include "host/ScriptedHostServices.h"
#include "host/db/Database.h"
#include "host/stat/StatAccu.h"
#include "support/GuiTestApp.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace {

namespace fs = std::filesystem;

TEST(LuDialogEndToEnd, DemoDatabaseToDialogSums) {
    GuiTestApp();
    auto scripted = std::make_shared<CScriptedHostServices>();
    auto previous = InstallHostServices(scripted);
    std::random_device rd;
    const fs::path dir = fs::temp_directory_path() / ("vxstat-lu-dialog-" + std::to_string(rd()));
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

    CLUSum sum;
    CStatAccu accu;
    CFile2LU reader(&sum, nullptr);
    ASSERT_TRUE(reader.Run(accu, dir.string(), strError)) << strError;
    ASSERT_FALSE(sum.m_vecLabRech.empty());
    accu.SetPeriod(req.strAb, req.strBis);
    CdiaAwLU dialog(sum, &accu, nullptr, reader.m_bIsLRech, reader.m_bIsLRechBez,
                    reader.m_bIsManLabRech, reader.m_bIsStornoLabRech, "", "");
    dialog.m_Settings.SetStornoLabRech(true); // every cancellation type listed
    dialog.m_Settings.SetCheckedStornoTypen(7);
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.m_nRowCount, static_cast<int>(sum.m_vecLabRech.size()));
    const auto expected = LuBlockSummen(sum)[0];
    const char c = dialog.m_cWaehrung;
    EXPECT_EQ(dialog.m_tbSum[9].GetText(), Format2Nk(CDBetrag::FromCent(expected.nBrutto), c));
    EXPECT_EQ(dialog.m_tbSum[8].GetText(), Format2Nk(CDBetrag::FromCent(expected.nNetto), c));
    EXPECT_EQ(dialog.m_tbSum[7].GetText(), Format2Nk(CDBetrag::FromCent(expected.nMwSt), c));

    ClosePracticeDatabase();
    InstallHostServices(previous);
    fs::remove_all(dir);
}

} // namespace
