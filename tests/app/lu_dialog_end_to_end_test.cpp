// From the demo database through the walk and the hit file into the evaluation
// dialog: the dialog's sums of all rows equal the sums of the rows read back, and
// the technician ranking of the rows read back equals that of the pass.
#include "app/DemoDatabase.h"
#include "app/LuHitFile.h"
#include "app/LuMode.h"
#include "app/LuReport.h"
#include "app/LuShowCommand.h"
#include "app/LuWalk.h"
#include "core/File2LU.h"
#include "core/LUDefault.h"
#include "core/LUSum.h"
#include "dialog/Format2Nk.h"
#include "dialog/diaAwLU.h"
#include "host/Cp1252.h"
#include "host/ScriptedHostServices.h"
#include "host/db/Database.h"
#include "host/gui/WPFDataTable.h"
#include "host/stat/DataPath.h"
#include "host/stat/StatAccu.h"
#include "support/GuiTestApp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A demo practice database, the lab invoices of 2023 walked and written into the
// hit file, as "lu pass" does.
class LuDialogEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        GuiTestApp();
        m_previous = InstallHostServices(std::make_shared<CScriptedHostServices>());
        std::random_device rd;
        m_dir = fs::temp_directory_path() / ("vxstat-lu-dialog-" + std::to_string(rd()));
        fs::create_directories(m_dir);
        CString strError;
        ASSERT_TRUE(WriteDemoDatabase((m_dir / "praxis.db").string(), {300, 7}, strError))
            << strError;
        ASSERT_TRUE(OpenPracticeDatabase((m_dir / "praxis.db").string(), strError)) << strError;
        m_req.strAb = "20230101";
        m_req.strBis = "20231231";
        ASSERT_TRUE(RunLuWalk(m_req, m_settings, m_walkAccu, m_walked, strError)) << strError;
        ASSERT_TRUE(
            WriteLuHitFile(m_walked, m_walkAccu, m_req.eMode, m_settings, m_dir.string(), strError))
            << strError;
    }
    void TearDown() override {
        ClosePracticeDatabase();
        InstallHostServices(m_previous);
        fs::remove_all(m_dir);
    }

    std::shared_ptr<IHostServices> m_previous;
    fs::path m_dir;
    LuWalkRequest m_req;
    const CLUDefault m_settings;
    CStatAccu m_walkAccu;
    CLUSum m_walked;
};

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

TEST_F(LuDialogEndToEnd, DemoDatabaseToDialogSums) {
    CString strError;
    CLUSum sum;
    CStatAccu accu;
    CFile2LU reader(&sum, nullptr);
    ASSERT_TRUE(reader.Run(accu, m_dir.string(), strError)) << strError;
    ASSERT_FALSE(sum.m_vecLabRech.empty());
    accu.SetPeriod(m_req.strAb, m_req.strBis);
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
}

// The hit file carries each invoice's technician: the ranking of the rows read
// back is the ranking of the rows the pass built.
TEST_F(LuDialogEndToEnd, RankingOfTheHitFileEqualsThatOfThePass) {
    CString strError;
    CLUSum read;
    CStatAccu readAccu;
    LuMode eMode = LuMode::Services;
    ASSERT_TRUE(ReadLuHitFile(read, readAccu, m_dir.string(), eMode, strError)) << strError;
    ASSERT_EQ(read.m_vecLabRech.size(), m_walked.m_vecLabRech.size());
    for (std::size_t i = 0; i < read.m_vecLabRech.size(); ++i)
        ASSERT_EQ(read.m_vecLabRech[i].m_strTechniker, m_walked.m_vecLabRech[i].m_strTechniker)
            << i;

    const RankingTables fromFile = RankingOf(read, readAccu);
    ASSERT_GE(fromFile.techniker.size(), 2u); // the demo's technicians of 2023
    ASSERT_GE(fromFile.behandler.size(), fromFile.techniker.size());
    const RankingTables fromPass = RankingOf(m_walked, m_walkAccu);
    EXPECT_EQ(fromFile.techniker, fromPass.techniker);
    EXPECT_EQ(fromFile.behandler, fromPass.behandler);
}

// The entries of the settings' selection list and the modes of the walk agree:
// entry 2, the one with the 100 % case option, is the list of paid invoices.
TEST(LuMode, SelectionListEntriesAndModesMapBothWays) {
    const LuMode aModes[] = {LuMode::Services, LuMode::Invoices, LuMode::Paid, LuMode::Cancelled,
                             LuMode::Manual};
    for (int nIdx = 0; nIdx < 5; ++nIdx) {
        LuMode eMode = LuMode::Services;
        ASSERT_TRUE(LuModeOfListIdx(nIdx, eMode)) << nIdx;
        EXPECT_EQ(eMode, aModes[nIdx]) << nIdx;
        EXPECT_EQ(LuModeListIdx(eMode), nIdx);
    }
    LuMode eMode = LuMode::Manual;
    EXPECT_FALSE(LuModeOfListIdx(5, eMode));
    EXPECT_FALSE(LuModeOfListIdx(-1, eMode));
    EXPECT_EQ(eMode, LuMode::Manual);
}

// "lu show" acts on the dialog's results: another technician runs the pass for
// that technician and shows it again; saved settings that choose the paid list
// run the pass in that mode once the user agrees.
class LuShowTest : public ::testing::Test {
protected:
    void SetUp() override {
        GuiTestApp();
        m_previous = InstallHostServices(m_scripted);
        std::random_device rd;
        m_dir = fs::temp_directory_path() / ("vxstat-lu-show-" + std::to_string(rd()));
        fs::create_directories(m_dir);
        CString strError;
        ASSERT_TRUE(WriteDemoDatabase((m_dir / "praxis.db").string(), {400, 11}, strError))
            << strError;
        ASSERT_TRUE(OpenPracticeDatabase((m_dir / "praxis.db").string(), strError)) << strError;
        SetDataDir(m_dir.string());
    }
    void TearDown() override {
        ClosePracticeDatabase();
        InstallHostServices(m_previous);
        fs::remove_all(m_dir);
    }

    // The rows a pass of the mode gives with the stored settings.
    static CLUSum Walk(LuMode eMode, const CLUDefault& settings) {
        LuWalkRequest req;
        req.strAb = "20230101";
        req.strBis = "20231231";
        req.eMode = eMode;
        CStatAccu accu;
        CLUSum sum;
        CString strError;
        EXPECT_TRUE(RunLuWalk(req, settings, accu, sum, strError)) << strError;
        return sum;
    }
    static std::size_t RowsOf(const CLUSum& sum, const CString& strTechniker) {
        return static_cast<std::size_t>(
            std::count_if(sum.m_vecLabRech.begin(), sum.m_vecLabRech.end(),
                          [&](const CLULabRech& r) { return r.m_strTechniker == strTechniker; }));
    }
    static CLUSum ReadBack(LuMode& eMode) {
        CLUSum sum;
        CStatAccu accu;
        CString strError;
        EXPECT_TRUE(ReadLuHitFile(sum, accu, GetDataDir(), eMode, strError)) << strError;
        return sum;
    }

    std::shared_ptr<CScriptedHostServices> m_scripted = std::make_shared<CScriptedHostServices>();
    std::shared_ptr<IHostServices> m_previous;
    fs::path m_dir;
};

TEST_F(LuShowTest, TechnicianAndSettingsOfTheDialogRunThePassAgain) {
    const CLUDefault stored;
    CLUSum alle = Walk(LuMode::Invoices, stored);
    CStatAccu walkAccu;
    CString strError;
    ASSERT_TRUE(WriteLuHitFile(alle, walkAccu, LuMode::Invoices, stored, GetDataDir(), strError));
    const LuShowOptions opt{"20230101", "20231231", true};
    CString strTechniker;

    // The user picks a technician who has invoices in the period.
    CString strGewaehlt;
    LuShowWeiter weiter = LuShowRunde(opt, strTechniker, [&](CdiaAwLU& d) {
        ASSERT_TRUE(d.Create());
        for (int nRow = 0; nRow < d.m_matLeb.Count() && strGewaehlt.empty(); ++nRow)
            if (RowsOf(alle, d.m_matLeb.GetValue(nRow, 0)) > 0) {
                strGewaehlt = d.m_matLeb.GetValue(nRow, 0);
                d.m_cbTechniker.SetSelectedIndex(nRow);
            }
    });
    ASSERT_FALSE(strGewaehlt.empty());
    EXPECT_EQ(weiter, LuShowWeiter::Wieder);
    EXPECT_EQ(strTechniker, strGewaehlt);
    LuMode eMode = LuMode::Services;
    const CLUSum nurEiner = ReadBack(eMode);
    EXPECT_EQ(eMode, LuMode::Invoices);
    EXPECT_EQ(nurEiner.m_vecLabRech.size(), RowsOf(alle, strGewaehlt));
    EXPECT_LT(nurEiner.m_vecLabRech.size(), alle.m_vecLabRech.size());

    // Shown again for that technician; the user saves the paid list with the 100 % cases
    // and agrees to the new pass.
    m_scripted->m_deqAntworten.push_back(kAntwortJa);
    weiter = LuShowRunde(opt, strTechniker, [&](CdiaAwLU& d) {
        ASSERT_TRUE(d.Create());
        CString strShown;
        DoGetMember(d.m_cbTechniker, d.m_matLeb, strShown, 0);
        EXPECT_EQ(strShown, strGewaehlt);
        EXPECT_EQ(d.m_nRowCount,
                  static_cast<int>(nurEiner.m_vecLabRech.size()) -
                      static_cast<int>(std::count_if(
                          nurEiner.m_vecLabRech.begin(), nurEiner.m_vecLabRech.end(),
                          [](const CLULabRech& r) { return !r.m_strStornoDatum.empty(); })));
        d.m_Settings.SetLstRechIdx(2);
        d.m_Settings.SetMit100PoEA(true);
        d.m_Settings.WriteParPool();
        d.m_bSettingsChanged = true;
    });
    EXPECT_EQ(weiter, LuShowWeiter::Wieder);
    ASSERT_EQ(m_scripted->m_vecAufrufe.size(), 1u);
    EXPECT_TRUE(m_scripted->m_vecAufrufe[0].bFrage);
    const CLUSum bezahlt = ReadBack(eMode);
    EXPECT_EQ(eMode, LuMode::Paid);
    EXPECT_FALSE(bezahlt.m_vecLabRech.empty());
    const CLUDefault neu;
    EXPECT_EQ(neu.GetLstRechIdx(), 2);
    EXPECT_EQ(bezahlt.m_vecLabRech.size(), RowsOf(Walk(LuMode::Paid, neu), strGewaehlt));

    // The paid list says so in its title; closing without changes ends "lu show".
    weiter = LuShowRunde(opt, strTechniker, [&](CdiaAwLU& d) {
        ASSERT_TRUE(d.Create());
        EXPECT_EQ(d.GetTitle(), Utf8ToCp1252("Laborumsatzliste, bezahlte Laborrechnungen inkl. "
                                             "100% Fälle (in €) vom 01.01.2023 bis 31.12.2023"));
    });
    EXPECT_EQ(weiter, LuShowWeiter::Ende);

    // Saved settings that the user does not want to run now end it too.
    weiter = LuShowRunde(opt, strTechniker, [&](CdiaAwLU& d) {
        ASSERT_TRUE(d.Create());
        d.m_bSettingsChanged = true;
    });
    EXPECT_EQ(weiter, LuShowWeiter::Ende);
    EXPECT_EQ(ReadBack(eMode).m_vecLabRech.size(), bezahlt.m_vecLabRech.size());
}

// A display that cannot be opened is reported in German with exit code 1, before
// Qt would end the program.
TEST(LuShowCommand, ADisplayThatCannotBeOpenedIsReportedNotAborted) {
    const auto save = [](const char* szName) {
        const char* psz = std::getenv(szName);
        return psz ? std::optional<std::string>(psz) : std::nullopt;
    };
    const auto restore = [](const char* szName, const std::optional<std::string>& value) {
        if (value)
            setenv(szName, value->c_str(), 1);
        else
            unsetenv(szName);
    };
    const auto platform = save("QT_QPA_PLATFORM"), display = save("DISPLAY"),
               wayland = save("WAYLAND_DISPLAY");
    unsetenv("QT_QPA_PLATFORM");
    unsetenv("WAYLAND_DISPLAY");
    setenv("DISPLAY", ":4712", 1);
    char szProg[] = "vxstat", szLu[] = "lu", szShow[] = "show";
    char* argv[] = {szProg, szLu, szShow, nullptr};
    testing::internal::CaptureStderr();
    const int nResult = CmdLuShow(3, argv);
    const std::string strErr = testing::internal::GetCapturedStderr();
    restore("QT_QPA_PLATFORM", platform);
    restore("DISPLAY", display);
    restore("WAYLAND_DISPLAY", wayland);
    EXPECT_EQ(nResult, 1);
    EXPECT_NE(strErr.find("Der Bildschirm \":4712\" (DISPLAY) lässt sich nicht öffnen"),
              std::string::npos)
        << strErr;
}

} // namespace
