// The lab-turnover dialog driven headless: opening, marks, tabs, owners, sorting,
// the two column views with their sums, commands and bad input.
#include "dialog/diaAwLU.h"
#include "host/Cp1252.h"
#include "host/HostServices.h"
#include "host/ScriptedHostServices.h"
#include "host/TextUtil.h"
#include "host/db/ZMandant.h"
#include "host/gui/QtHostServices.h"
#include "host/print/PrintFile.h"
#include "host/stat/DataPath.h"
#include "host/stat/StatAccu.h"

#include "LUTestRecords.h"
#include "support/GuiTestApp.h"
#include "support/TempPracticeDb.h"

#include <QHeaderView>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

// The settings dialog is replaced by a fixed answer.
class CdiaAwLUTest : public CdiaAwLU {
public:
    using CdiaAwLU::CdiaAwLU;
    int m_nConfigResult = 0;
    int m_nConfigCalls = 0;

protected:
    int ShowConfigDialog() override {
        ++m_nConfigCalls;
        m_Settings.SetMitPatName(true);
        return m_nConfigResult;
    }
};

class DiaAwLUTest : public ::testing::Test {
protected:
    void SetUp() override {
        GuiTestApp();
        m_previous = InstallHostServices(m_scripted);
        m_accu.SetPeriod("20240101", "20241231");
        m_accu.m_vecMandanten = {"1"};
    }
    void TearDown() override { InstallHostServices(m_previous); }

    // Opens the dialog as a lab-invoice list with the given settings applied.
    std::unique_ptr<CdiaAwLUTest> Open(bool bBezahlt = false, bool bStorniert = false,
                                       const std::function<void(CLUDefault&)>& fnSettings = {}) {
        auto p = std::make_unique<CdiaAwLUTest>(m_sum, &m_accu, nullptr, true, bBezahlt, false,
                                                bStorniert, m_strPreset, "Info");
        if (fnSettings) fnSettings(p->m_Settings);
        EXPECT_TRUE(p->Create());
        p->GetDialog()->show();
        QCoreApplication::processEvents();
        return p;
    }
    static QTableView& Table(CdiaAwLU& d) {
        return *static_cast<QTableView*>(d.m_lvListe.GetWidget());
    }
    static void ClickCell(CdiaAwLU& d, int nRow, int nViewCol, Qt::KeyboardModifiers mod = {}) {
        QTableView& table = Table(d);
        const QRect rect = table.visualRect(table.model()->index(nRow, nViewCol));
        QTest::mouseClick(table.viewport(), Qt::LeftButton, mod, rect.center());
    }
    static void ClickHeader(CdiaAwLU& d, int nViewCol) {
        QHeaderView& header = *Table(d).horizontalHeader();
        QTest::mouseClick(
            header.viewport(), Qt::LeftButton, {},
            QPoint(header.sectionViewportPosition(nViewCol) + 5, header.height() / 2));
    }
    static CString Cell(CdiaAwLU& d, int nRow, int nCol) {
        return d.m_matListe.GetValue(nRow, nCol);
    }
    static CString Sum(CdiaAwLU& d, int n) { return d.m_tbSum[n - 1].GetText(); }
    void Add(const CLULabRech& r) { m_sum.m_vecLabRech.push_back(r); }

    TempPracticeDb m_db;
    std::shared_ptr<CScriptedHostServices> m_scripted = std::make_shared<CScriptedHostServices>();
    std::shared_ptr<IHostServices> m_previous;
    CStatAccu m_accu;
    CLUSum m_sum;
    CString m_strPreset;
};

TEST_F(DiaAwLUTest, OpensWithTitleEveryRowMarkedSortedByDateAndTheSums) {
    Add(MakeRecord("200", "20240320", 10000, 2000, 500));
    Add(MakeRecord("100", "20240110", 5000));
    Add(MakeRecord("300", "20240215", 2500, 0, 0, kStornoDavor));
    auto d = Open(false, false, [](CLUDefault& s) {
        s.SetStornoLabRech(true);
        s.SetCheckedStornoTypen(kStornoMaskDavor);
    });
    EXPECT_EQ(d->GetTitle(), Utf8ToCp1252("Laborumsatzliste, Laborrechnungen (in €) vom "
                                          "01.01.2024 bis 31.12.2024"));
    ASSERT_EQ(d->m_nRowCount, 3);
    EXPECT_EQ(Cell(*d, 0, 3), "100"); // by date
    EXPECT_EQ(Cell(*d, 1, 1), "113");
    EXPECT_EQ(Cell(*d, 1, 8), "-25,00");
    for (int n = 0; n < 3; ++n)
        EXPECT_EQ(Cell(*d, n, 0), "True");
    EXPECT_EQ(Sum(*d, 1), "125,00");  // 100 + 50 - 25
    EXPECT_EQ(Sum(*d, 10), "178,50"); // 148,75 + 59,50 - 29,75
    EXPECT_EQ(Sum(*d, 7), "28,50");
    EXPECT_FALSE(d->m_cbMandant.GetIsEnabled()); // one owner
    EXPECT_TRUE(d->GetIsEnabled(TKExport));
    EXPECT_EQ(d->m_vecColumnMap.back(), 24); // cancellations are shown: their column
    EXPECT_EQ(d->m_gbSummenTech.GetVisibility(), CWPFFrameworkElement::kCollapsed);
    EXPECT_FALSE(SaveScreenshot(*d->GetDialog(), "diaAwLU_normal").isEmpty());

    // Mark all / none, by its key.
    QTest::keyClick(d->GetDialog(), Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(Cell(*d, 0, 0), "False");
    EXPECT_EQ(Sum(*d, 10), "0,00");
    EXPECT_EQ(Sum(*d, 4), "0,00");
}

TEST_F(DiaAwLUTest, TitleOfPaidInvoicesAndCancellationsWithinThePeriodNeverCount) {
    Add(MakeRecord("100", "20240110", 5000));
    Add(MakeRecord("101", "20240111", 7000, 0, 0, kStornoImZeitraum));
    auto d = Open(true, false, [](CLUDefault& s) {
        s.SetMit100PoEA(true);
        s.SetStornoLabRech(true);
        s.SetCheckedStornoTypen(kStornoMaskImZeitraum);
    });
    EXPECT_EQ(d->GetTitle(),
              Utf8ToCp1252("Laborumsatzliste, bezahlte Laborrechnungen inkl. 100% Fälle (in €) "
                           "vom 01.01.2024 bis 31.12.2024"));
    ASSERT_EQ(d->m_nRowCount, 2);
    EXPECT_EQ(Cell(*d, 1, 8), "(70,00)");
    EXPECT_EQ(Cell(*d, 1, 1), "114");
    EXPECT_EQ(Sum(*d, 1), "50,00");
}

TEST_F(DiaAwLUTest, ChecksFollowMultipleSelectionAndSurviveTabsAndSorting) {
    for (int n = 0; n < 6; ++n)
        Add(MakeRecord(itoc(100 + n), "2024011" + itoc(n), 1000 * (n + 1)));
    m_sum.m_vecLabRech[5].m_Lst19.m_bBelegt = false; // not on the 19 % tab
    auto d = Open();
    d->m_lvListe.SetSelectedIndex(0);
    for (int n = 1; n < 5; ++n)
        ClickCell(*d, n, 2, Qt::ControlModifier);
    ClickCell(*d, 2, 0); // the check box of one row of the five
    for (int n = 0; n < 5; ++n)
        EXPECT_EQ(Cell(*d, n, 0), "False") << n;
    EXPECT_EQ(Cell(*d, 5, 0), "True");
    EXPECT_EQ(Sum(*d, 1), "60,00");
    ClickCell(*d, 5, 0); // outside the selection: that row only
    EXPECT_EQ(Cell(*d, 5, 0), "False");
    EXPECT_EQ(Cell(*d, 0, 0), "False");
    EXPECT_EQ(Sum(*d, 10), "0,00");
    ClickCell(*d, 5, 0);

    d->m_tabArt.SetSelectedIndex(6);
    EXPECT_EQ(d->m_nRowCount, 5);
    EXPECT_EQ(Sum(*d, 1), "0,00");
    EXPECT_EQ(Cell(*d, 0, 17), "");
    d->m_tabArt.SetSelectedIndex(0);
    EXPECT_EQ(Cell(*d, 5, 0), "True");
    EXPECT_EQ(Sum(*d, 1), "60,00");

    // Sorting by amount descending takes the rows' records along.
    ClickHeader(*d, 6); // "Techn.-Lst."
    ClickHeader(*d, 6);
    EXPECT_EQ(Cell(*d, 0, 8), "60,00");
    EXPECT_EQ(Cell(*d, 0, 0), "True");
    ClickCell(*d, 0, 0);
    EXPECT_FALSE(d->m_Sum.m_vecLabRech[5].m_bMarkiert);
    EXPECT_EQ(Sum(*d, 1), "0,00");
    ClickHeader(*d, 0); // the check-box column does not sort
    EXPECT_EQ(Cell(*d, 0, 8), "60,00");
}

TEST_F(DiaAwLUTest, InvoiceNumberSortsWithPatientNumberSecond) {
    Add(MakeRecord("300", "20240110", 1000));
    Add(MakeRecord("100", "20240111", 1000));
    Add(MakeRecord("200", "20240112", 1000));
    for (CLULabRech& r : m_sum.m_vecLabRech)
        r.m_strRechNr = "R-" + r.m_strPatNr.substr(0, 1);
    m_sum.m_vecLabRech[0].m_strRechNr = "R-1";
    auto d = Open();
    ClickHeader(*d, 5); // "Rech.-Nr."
    EXPECT_EQ(Cell(*d, 0, 3), "100");
    EXPECT_EQ(Cell(*d, 1, 3), "300");
    EXPECT_EQ(Cell(*d, 2, 3), "200");
    EXPECT_EQ(d->m_Sum.m_vecLabRech[d->m_vecRows[1].nIndex].m_strPatNr, "300");
}

TEST_F(DiaAwLUTest, TechnicalMaterialViewShowsItsColumnsSumsAndRoundingNote) {
    // An invoice at 7 % whose VAT on services is one cent above the invoice's VAT.
    CLULabRech r = MakeRecord("100", "20240110", 0);
    for (CLULabRechLst* pBlock : {&r.m_LstAlle, &r.m_LstMitMwSt, &r.m_Lst7}) {
        pBlock->m_bBelegt = true;
        pBlock->m_TechnLst = Cent(10000);
        pBlock->m_Material = Cent(3000);
        pBlock->m_TechnMat = Cent(1000);
        pBlock->m_TechnMat7 = Cent(1000);
        pBlock->m_MwStTechnLst7 = Cent(701);
        pBlock->m_MwSt = Cent(770);
        pBlock->m_Netto = Cent(13000);
        pBlock->m_Brutto = Cent(13770);
    }
    r.m_Lst19 = CLULabRechLst();
    Add(r);
    auto d = Open(false, false, [](CLUDefault& s) { s.SetMitTechnMat(true); });
    EXPECT_EQ(d->m_gbSummenNormal.GetVisibility(), CWPFFrameworkElement::kCollapsed);
    ASSERT_EQ(d->m_vecColumnMap.size(), 1u + 5u + 15u);
    EXPECT_EQ(Table(*d).model()->headerData(7, Qt::Horizontal, Qt::ToolTipRole).toString(),
              "Technische Leistungen (USt. frei)");
    EXPECT_EQ(d->m_tbTechSum[0].GetText(), "100,00");
    EXPECT_EQ(d->m_tbTechSum[3].GetText(), "10,00");
    EXPECT_EQ(d->m_tbTechSum[4].GetText(), "20,00");
    EXPECT_EQ(d->m_tbTechSum[7].GetText(), "0,70");
    EXPECT_EQ(d->m_tbTechSum[9].GetText(), "7,70");
    EXPECT_EQ(d->m_tbSummeGesamt.GetText(), "137,70");
    const CString strNote = d->m_tbSummeUst.GetToolTip();
    EXPECT_NE(strNote.find("(bei 1 Rechnungen)"), CString::npos) << strNote;
    EXPECT_NE(strNote.find(Utf8ToCp1252("insgesamt 0,01 höher")), CString::npos) << strNote;
    EXPECT_EQ(d->m_tbTechSum[5].GetToolTip(), d->m_tbSummeUst.GetToolTip());
    EXPECT_FALSE(SaveScreenshot(*d->GetDialog(), "diaAwLU_technMat").isEmpty());
    d->m_tabArt.SetSelectedIndex(2);
    EXPECT_EQ(d->m_tbTechSum[0].GetText(), ""); // not a figure of the tab without VAT
    EXPECT_EQ(d->m_tbTechSum[3].GetText(), "0,00");
    EXPECT_EQ(d->m_tbSummeUst.GetToolTip(), "");
}

TEST_F(DiaAwLUTest, OwnerFilterTechnicianChoiceAndRankingTab) {
    m_accu.m_vecMandanten = {"1", "2"};
    m_accu.m_vecTechniker = {"Berger", "Adler"};
    m_accu.m_vecTechnikerIds = {"T1", "T2"};
    Add(MakeRecord("100", "20240110", 1000, 0, 0, kStornoDanach, "1"));
    Add(MakeRecord("200", "20240111", 2000, 0, 0, kStornoDanach, "2"));
    m_strPreset = "T2";
    auto d = Open();
    EXPECT_TRUE(d->m_cbMandant.GetIsEnabled());
    EXPECT_EQ(d->m_cbTechniker.GetData(), "Adler (T2)");
    EXPECT_EQ(d->m_nRowCount, 2);
    d->m_cbMandant.SetSelectedIndex(2);
    EXPECT_EQ(d->m_nRowCount, 1);
    EXPECT_EQ(Cell(*d, 0, 3), "200");
    EXPECT_EQ(Sum(*d, 1), "20,00");
    d->m_tabArt.SetSelectedIndex(CdiaAwLU::kTabRanking);
    EXPECT_EQ(d->m_lvListe.GetVisibility(), CWPFFrameworkElement::kHidden);
    EXPECT_EQ(d->m_xgRanking.GetVisibility(), CWPFFrameworkElement::kVisible);
    EXPECT_EQ(d->m_gbSummenNormal.GetVisibility(), CWPFFrameworkElement::kCollapsed);
    QCoreApplication::processEvents(); // the layout gives the sums' room to the grid
    EXPECT_FALSE(SaveScreenshot(*d->GetDialog(), "diaAwLU_ranking").isEmpty());
    d->m_cbTechniker.SetSelectedIndex(0);
    EXPECT_EQ(d->GetEndCode(), CdiaAwLU::kEndTechniker);
    EXPECT_TRUE(d->m_bTechnikerChanged);
    EXPECT_EQ(d->m_strTechniker, "T1");
}

TEST_F(DiaAwLUTest, ProgressBoxOnlyAboveAThousandRecords) {
    for (int n = 0; n < 1000; ++n)
        Add(MakeRecord(itoc(n), "20240110", 100));
    Open();
    EXPECT_EQ(m_scripted->m_nProgressOpened, 0);
    Add(MakeRecord("x", "20240110", 100));
    Open();
    EXPECT_EQ(m_scripted->m_nProgressOpened, 1);
    EXPECT_EQ(m_scripted->m_nProgressClosed, 1);
    EXPECT_EQ(m_scripted->m_strProgressText, "Bitte ein wenig Geduld...");
}

TEST_F(DiaAwLUTest, SettingsCommandRefillsOnlyAfterSavingAndThenFollowsTheNewSettings) {
    Add(MakeRecord("100", "20240110", 1000));
    CLULabRech storno = MakeRecord("101", "20240111", 2000);
    storno.m_strStornoDatum = "20250110"; // cancelled after the period
    Add(storno);
    auto d = Open(true);
    const auto hasCol = [&](int nMatrixCol) {
        const auto& map = d->m_vecColumnMap;
        return std::find(map.begin(), map.end(), nMatrixCol) != map.end();
    };
    const std::size_t nCols = d->m_vecColumnMap.size();
    const CString strTitel = d->GetTitle();
    d->m_nConfigResult = 1;
    QTest::keyClick(d->GetDialog(), Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(d->m_nConfigCalls, 1);
    EXPECT_FALSE(d->m_bSettingsChanged);
    EXPECT_EQ(d->m_vecColumnMap.size(), nCols);
    EXPECT_EQ(d->GetTitle(), strTitel);
    EXPECT_EQ(d->m_nRowCount, 1);

    // Saved: patient name, cancellations after the period and the 100 % cases.
    d->m_nConfigResult = 99;
    d->m_Settings.SetStornoLabRech(true);
    d->m_Settings.SetCheckedStornoTypen(kStornoMaskDanach);
    d->m_Settings.SetMit100PoEA(true);
    d->OnConfig();
    EXPECT_TRUE(d->m_bSettingsChanged);
    EXPECT_TRUE(hasCol(4));  // "Patient"
    EXPECT_TRUE(hasCol(24)); // "Storno"
    EXPECT_NE(d->GetTitle().find(Utf8ToCp1252("inkl. 100% Fälle")), CString::npos);
    EXPECT_EQ(d->m_nRowCount, 2);
    EXPECT_EQ(Sum(*d, 1), "10,00"); // a row listed for the first time comes unmarked
    EXPECT_FALSE(SaveScreenshot(*d->GetDialog(), "diaAwLU_nachEinstellungen").isEmpty());

    d->SetIsEnabled(TKEinstellungen, false);
    d->OnConfig();
    EXPECT_EQ(d->m_nConfigCalls, 2);
}

// Clicks into other cells select rows; only the check box sets marks.
TEST_F(DiaAwLUTest, SelectingRowsByTheirDateKeepsTheMarks) {
    for (int n = 0; n < 4; ++n)
        Add(MakeRecord(itoc(100 + n), "2024011" + itoc(n), 1000));
    auto d = Open();
    ClickCell(*d, 0, 0); // unmark the first row
    ASSERT_EQ(Cell(*d, 0, 0), "False");
    ASSERT_EQ(Sum(*d, 1), "30,00");
    ClickCell(*d, 0, 1);
    ClickCell(*d, 3, 1, Qt::ShiftModifier);
    ClickCell(*d, 2, 2, Qt::ControlModifier);
    ClickCell(*d, 2, 2, Qt::ControlModifier);
    std::vector<int> vecSelected;
    d->m_lvListe.GetSelectedItems(vecSelected);
    EXPECT_EQ(vecSelected.size(), 4u);
    EXPECT_EQ(Cell(*d, 0, 0), "False");
    EXPECT_FALSE(d->m_Sum.m_vecLabRech[d->m_vecRows[0].nIndex].m_bMarkiert);
    EXPECT_EQ(Sum(*d, 1), "30,00");
    ClickCell(*d, 1, 0); // the check box of a selected row: all four follow it
    for (int n = 0; n < 4; ++n)
        EXPECT_EQ(Cell(*d, n, 0), "False") << n;
    EXPECT_EQ(Sum(*d, 1), "0,00");
    EXPECT_FALSE(SaveScreenshot(*d->GetDialog(), "diaAwLU_auswahl").isEmpty());
}

// The Qt host services with a progress box that handles input every 5 ms, and
// messages and questions that are only recorded.
// The Qt progress box, with the events handled at every step of the build so that
// the test does not hang on the machine's speed; on request it clicks the box's
// "Abbrechen" once the build has reached a given row.
class CQtProgressOnly : public CQtHostServices {
public:
    CQtProgressOnly() { SetEventInterval(0); }
    void Message(Art, const CString&, const CString& strText) override {
        m_vecMeldungen.push_back(strText);
    }
    int Question(const CString&, const CString&, bool) override { return kAntwortNein; }
    bool UpdateProgress(long nDone, long nTotal) override {
        if (m_nAbbrechenBei >= 0 && nDone >= m_nAbbrechenBei) {
            m_nAbbrechenBei = -1;
            ClickAbbrechen();
        }
        return CQtHostServices::UpdateProgress(nDone, nTotal);
    }
    void ClickAbbrechen() {
        QProgressDialog* pBox = GetProgressBox();
        ASSERT_NE(pBox, nullptr);
        QPushButton* pAbbrechen = pBox->findChild<QPushButton*>();
        ASSERT_NE(pAbbrechen, nullptr);
        EXPECT_EQ(pAbbrechen->text(), "Abbrechen");
        pBox->show(); // before its delay has passed
        QTest::mouseClick(pAbbrechen, Qt::LeftButton);
    }
    std::vector<CString> m_vecMeldungen;
    long m_nAbbrechenBei = -1;
};

TEST_F(DiaAwLUTest, InputWhileALongListIsBuiltIsDroppedAndAbbrechenEndsTheBuild) {
    constexpr int kRecords = 3000;
    for (int n = 0; n < kRecords; ++n)
        Add(MakeRecord(itoc(n), "20240110", 100 + n));
    auto d = Open();
    auto qt = std::make_shared<CQtProgressOnly>();
    InstallHostServices(qt);
    QTabBar* pBar = d->m_tabArt.GetWidget()->findChild<QTabBar*>();
    ASSERT_NE(pBar, nullptr);
    QWidget* pWindow = d->GetDialog();

    // Input that the user gives while the list of tab 1 is being built.
    int nFired = 0;
    for (int n = 0; n < 2; ++n)
        QTimer::singleShot(0, pBar, [&] {
            ++nFired;
            QTest::keyClick(pBar, Qt::Key_Right);
        });
    QTimer::singleShot(0, pWindow, [&] {
        ++nFired;
        QTest::keyClick(pWindow, Qt::Key_M, Qt::ControlModifier);
        QTest::keyClick(pWindow, Qt::Key_E, Qt::ControlModifier);
        QTest::keyClick(pWindow, Qt::Key_Escape);
    });
    d->m_tabArt.SetSelectedIndex(1);
    EXPECT_EQ(nFired, 3); // the build handled events
    EXPECT_EQ(d->m_nSelectedTab, 1);
    EXPECT_EQ(d->m_tabArt.GetSelectedIndex(), 1);
    EXPECT_EQ(d->m_nRowCount, kRecords);
    EXPECT_EQ(d->m_matListe.Count(), kRecords);
    EXPECT_EQ(d->m_vecRows.size(), static_cast<std::size_t>(kRecords));
    EXPECT_EQ(Cell(*d, 0, 0), "True"); // Ctrl+M did not run
    EXPECT_EQ(d->m_nConfigCalls, 0);
    EXPECT_TRUE(pWindow->isVisible()); // Esc did not close
    EXPECT_EQ(qt->GetProgressBox(), nullptr);
    EXPECT_FALSE(d->IsInputBlocked());
    EXPECT_TRUE(qt->m_vecMeldungen.empty());

    // The same keys afterwards work again.
    QTest::keyClick(pBar, Qt::Key_Right);
    EXPECT_EQ(d->m_nSelectedTab, 2);
    EXPECT_EQ(d->m_nRowCount, 0); // no invoice has VAT-free amounts

    // "Abbrechen" of the progress box ends the build of tab 0.
    qt->m_nAbbrechenBei = 100;
    d->m_tabArt.SetSelectedIndex(0);
    EXPECT_EQ(d->m_nSelectedTab, 0);
    EXPECT_GT(d->m_nRowCount, 0);
    EXPECT_LT(d->m_nRowCount, kRecords);
    EXPECT_EQ(d->m_vecRows.size(), static_cast<std::size_t>(d->m_nRowCount));
    ASSERT_EQ(qt->m_vecMeldungen.size(), 1u);
    EXPECT_NE(qt->m_vecMeldungen[0].find("abgebrochen"), CString::npos);
    EXPECT_EQ(qt->GetProgressBox(), nullptr);
    EXPECT_FALSE(SaveScreenshot(*d->GetDialog(), "diaAwLU_abgebrochen").isEmpty());
    InstallHostServices(m_scripted);
}

TEST_F(DiaAwLUTest, EmptyOrOversizedInputOpensWithoutHarm) {
    auto empty = Open();
    EXPECT_EQ(empty->m_nRowCount, 0);
    for (const int nButton : {5, 21, 43, 48, 50})
        EXPECT_FALSE(empty->GetIsEnabled(nButton)) << nButton;
    empty->OnUnSelect(); // disabled: nothing happens
    QTest::keyClick(empty->GetDialog(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_TRUE(m_scripted->m_vecAufrufe.empty());
    EXPECT_EQ(empty->GetAktuellePatNr(), "");

    CLULabRech r = MakeRecord("100", "20240110", 100'000'000'000, 0, 0);
    r.m_strZusatzText = Utf8ToCp1252("Brücke über vier Zähne, Keramik verblendet, sehr lang");
    r.m_cPlanArt = 0;
    r.m_strRechNr = CString(40, '9');
    Add(r);
    auto d = Open();
    EXPECT_EQ(Cell(*d, 0, 6), r.m_strZusatzText);
    EXPECT_EQ(Cell(*d, 0, 7), r.m_strRechNr);
    EXPECT_EQ(Sum(*d, 10), "1190000000,00");
    d->OnCTRL_T();
    ASSERT_EQ(m_scripted->m_vecAufrufe.size(), 1u);
    EXPECT_EQ(m_scripted->m_vecAufrufe[0].strText, "Anzahl Zeilen: 1\nInfo");
    EXPECT_EQ(d->GetAktuellePatNr(), "100");
    // Ctrl+P prints, here into a PDF in a folder of its own.
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / "vxstat-diaawlu-print";
    std::filesystem::create_directories(dir);
    SetDataDir(dir.string());
    SetPrintPdfTarget((dir / "liste.pdf").string());
    QTest::keyClick(d->GetDialog(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(d->m_strLetzterDruck, (dir / "vx_liste.dat").string());
    EXPECT_TRUE(std::filesystem::exists(dir / "liste.pdf"));
    SetPrintPdfTarget("");
    SetDataDir("");
    std::filesystem::remove_all(dir);
    EXPECT_FALSE(SaveScreenshot(*d->GetDialog(), "diaAwLU_oversized").isEmpty());
}

// On a 1366 x 768 screen the default window shows every amount column of the
// normal view; a smaller window scrolls.
TEST_F(DiaAwLUTest, DefaultSizeOnASmallScreenShowsEveryAmountColumnAndTheWindowMayShrink) {
    for (int n = 0; n < 40; ++n) {
        CLULabRech r = MakeRecord(itoc(100000 + n), "20240110", 12345678, 987654, 456789);
        r.m_strStornoDatum = "20250110";
        r.m_strRechNr = "1/100000/12";
        Add(r);
    }
    auto d = Open(false, false, [](CLUDefault& s) {
        s.SetStornoLabRech(true);
        s.SetCheckedStornoTypen(7);
    });
    QDialog& window = *d->GetDialog();
    d->FitToScreen(QSize(1366, 728)); // the free area beside a task bar
    QCoreApplication::processEvents();
    EXPECT_LE(window.width(), 1366);
    QTableView& table = Table(*d);
    const int nLast = table.model()->columnCount() - 1;
    EXPECT_EQ(table.model()->headerData(nLast, Qt::Horizontal).toString(), "Storno");
    EXPECT_LE(table.columnViewportPosition(nLast) + table.columnWidth(nLast),
              table.viewport()->width());
    EXPECT_FALSE(table.horizontalScrollBar()->isVisible());
    EXPECT_FALSE(SaveScreenshot(window, "diaAwLU_1366x768").isEmpty());

    EXPECT_LT(window.minimumSizeHint().width(), 900);
    window.resize(800, 560);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.width(), 800);
    auto* pScroll = window.findChild<QScrollArea*>();
    ASSERT_NE(pScroll, nullptr);
    EXPECT_TRUE(pScroll->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(SaveScreenshot(window, "diaAwLU_800x560").isEmpty());
}

} // namespace
