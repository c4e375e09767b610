// The statistics window driven headless: choosing, the pass into the hit file,
// showing both evaluations, the cancelled pass, the host's answer to the
// evaluation dialog's results, and the choices remembered per user.
#include "app/DemoDatabase.h"
#include "app/GlabWalk.h"
#include "app/LuHitFile.h"
#include "app/LuWalk.h"
#include "app/StatHostChoices.h"
#include "app/StatHostWindow.h"
#include "core/LUDefault.h"
#include "core/LUSum.h"
#include "core/diaLUConfig.h"
#include "dialog/diaAwLU.h"
#include "glab/GlabFakt.h"
#include "glab/GlabSum.h"
#include "host/Cp1252.h"
#include "host/ScriptedHostServices.h"
#include "host/TextUtil.h"
#include "host/db/Database.h"
#include "host/db/ZGLKuFakt.h"
#include "host/gui/QtText.h"
#include "host/gui/TKButtonClass.h"
#include "host/stat/DataPath.h"
#include "host/stat/StatAccu.h"
#include "support/GuiTestApp.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QtTest/QTest>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr StatDatum kHeute{2023, 11, 20}; // the demo database spans 2019 .. 2025

class HostWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        GuiTestApp();
        std::random_device rd;
        s_dir = fs::temp_directory_path() / ("vxstat-host-window-" + std::to_string(rd()));
        fs::create_directories(s_dir);
        CString strError;
        ASSERT_TRUE(WriteDemoDatabase((s_dir / "praxis.db").string(), {600, 5}, strError))
            << strError;
    }
    static void TearDownTestSuite() {
        std::error_code ec;
        fs::remove_all(s_dir, ec);
    }

    void SetUp() override {
        m_dir = s_dir / ("fall-" + std::to_string(++s_nFall));
        fs::create_directories(m_dir / "config");
        fs::create_directories(m_dir / "data");
        fs::copy_file(s_dir / "praxis.db", Db()); // tests save settings into it
        // The user's real configuration stays untouched.
        const QString strConfig = QString::fromStdString((m_dir / "config").string());
        setenv("XDG_CONFIG_HOME", (m_dir / "config").c_str(), 1);
        setenv("VXSTAT_DATA", (m_dir / "vorgabe").c_str(), 1); // the default data folder
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, strConfig);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, strConfig);
        m_previous = InstallHostServices(m_scripted);
    }
    void TearDown() override {
        m_pWindow.reset();
        ClosePracticeDatabase();
        InstallHostServices(m_previous);
        SetDataDir("");
        unsetenv("VXSTAT_DATA");
    }

    std::string Db() const { return (m_dir / "praxis.db").string(); }
    std::string Data() const { return (m_dir / "data").string(); }

    // The choices of a user who has worked with the window before: the test's
    // database and data folder, the year 2023.
    StatHostChoices Bekannt() const {
        StatHostChoices c;
        c.strDatenbank = Db();
        c.strDatenordner = Data();
        c.strZeitraum = "Jahr";
        return c;
    }
    CStatHostWindow& Window(const StatHostChoices& c) {
        SaveStatHostChoices(c);
        m_pWindow = std::make_unique<CStatHostWindow>(kHeute);
        return *m_pWindow;
    }

    std::vector<CString> Texte(bool bFragen) const {
        std::vector<CString> v;
        for (const auto& a : m_scripted->m_vecAufrufe)
            if (a.bFrage == bFragen) v.push_back(a.strText);
        return v;
    }

    static inline fs::path s_dir;
    static inline int s_nFall = 0;
    fs::path m_dir;
    std::shared_ptr<CScriptedHostServices> m_scripted = std::make_shared<CScriptedHostServices>();
    std::shared_ptr<IHostServices> m_previous;
    std::unique_ptr<CStatHostWindow> m_pWindow;
};

std::string ReadWholeFile(const std::string& strPath) {
    std::ifstream in(strPath, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

bool Contains(const CString& text, const char* pszUtf8) {
    return text.find(Utf8ToCp1252(pszUtf8)) != CString::npos;
}

// The rows a pass of the request gives, walked here without the window.
CLUSum Walk(const StatHostRequest& req) {
    LuWalkRequest walk{req.strAb, req.strBis, req.strMandant, req.eMode};
    CStatAccu accu;
    CLUSum sum;
    CString strError;
    EXPECT_TRUE(RunLuWalk(walk, CLUDefault(), accu, sum, strError)) << strError;
    return sum;
}

CLUSum ReadBack(const std::string& strDir, LuMode& eMode, CStatAccu& accu) {
    CLUSum sum;
    CString strError;
    EXPECT_TRUE(ReadLuHitFile(sum, accu, strDir, eMode, strError)) << strError;
    return sum;
}

TEST_F(HostWindowTest, FirstStartAsksForTheDatabaseAndRemembersTheChoices) {
    CStatHostWindow& w = Window({});
    EXPECT_EQ(QSettings(QStringLiteral("vxstat"), QStringLiteral("vxstat"))
                  .fileName()
                  .startsWith(QString::fromStdString((m_dir / "config").string())),
              true);
    // Defaults: the current month, the lab turnover, no database yet.
    EXPECT_EQ(w.m_pZeitraum->currentText(), QStringLiteral("Monat"));
    EXPECT_EQ(w.m_pAb->text(), QStringLiteral("01.11.2023"));
    EXPECT_EQ(w.m_pBis->text(), QStringLiteral("30.11.2023"));
    EXPECT_EQ(w.Auswertung(), StatAuswertung::Laborumsatz);
    w.show();
    EXPECT_FALSE(SaveScreenshot(w, QStringLiteral("statHostWindow_ersterStart")).isEmpty());
    EXPECT_FALSE(w.Aufbereiten());
    EXPECT_FALSE(w.Anzeigen());
    EXPECT_EQ(w.m_pDatenordner->placeholderText().toStdString(), (m_dir / "vorgabe").string());
    ASSERT_EQ(Texte(false).size(), 2u);
    EXPECT_TRUE(Contains(Texte(false)[0], "Bitte zuerst die Praxisdatenbank wählen"));

    // A database that is not there is named in the message; the choices stay empty.
    w.m_pDatenbank->setText(QString::fromStdString((m_dir / "fehlt.db").string()));
    EXPECT_FALSE(w.OpenDatabase());
    EXPECT_TRUE(Contains(Texte(false).back(), "fehlt.db"));
    EXPECT_EQ(w.m_pMandant->count(), 1);

    // The user opens the database, picks the commercial lab for one customer, the
    // previous year and a data folder, and closes the window.
    // A file named relative to the current folder is remembered with its whole path.
    w.m_pDatenbank->setText(QString::fromStdString(fs::relative(Db()).string()));
    ASSERT_TRUE(w.OpenDatabase());
    EXPECT_EQ(w.m_pDatenbank->text().toStdString(), Db());
    ASSERT_GT(w.m_pMandant->count(), 2);
    ASSERT_GT(w.m_pLaborkunde->count(), 2);
    w.m_pAuswertung->setCurrentIndex(1);
    w.SetPreset(StatPreset::Vorjahr);
    w.m_pLaborkunde->setCurrentIndex(2);
    w.m_pMandant->setCurrentIndex(1);
    w.m_pListe->setCurrentIndex(4);
    w.m_pDatenordner->setText(QString::fromStdString(Data()));
    w.SetDatenordner(w.m_pDatenordner->text());
    const StatHostRequest vorher = w.Request();
    w.reject();
    m_pWindow.reset();

    // The next start comes back to all of it.
    m_pWindow = std::make_unique<CStatHostWindow>(kHeute);
    const CStatHostWindow& n = *m_pWindow;
    EXPECT_EQ(n.m_pDatenbank->text().toStdString(), Db());
    EXPECT_EQ(n.m_pDatenordner->text().toStdString(), Data());
    EXPECT_EQ(DataDirName(), Data());
    EXPECT_EQ(n.m_pZeitraum->currentText(), QStringLiteral("Vorjahr"));
    const StatHostRequest nachher = n.Request();
    EXPECT_EQ(nachher.eAuswertung, StatAuswertung::Gewerbelabor);
    EXPECT_EQ(nachher.strAb, "20220101");
    EXPECT_EQ(nachher.strBis, "20221231");
    EXPECT_EQ(nachher.strLaborkunde, vorher.strLaborkunde);
    EXPECT_EQ(nachher.strMandant, vorher.strMandant);
    EXPECT_EQ(nachher.eMode, LuMode::Manual);
    EXPECT_FALSE(n.m_pMandant->isEnabled()); // owners belong to the lab turnover
    EXPECT_TRUE(n.m_pLaborkunde->isEnabled());
}

// Own dates are remembered as dates; dates that happen to form a preset show it.
TEST_F(HostWindowTest, OwnPeriodIsRememberedAndPresetsAreRecognised) {
    CStatHostWindow& w = Window(Bekannt());
    w.m_pAb->setDate(QDate(2023, 3, 5));
    EXPECT_EQ(w.m_pZeitraum->currentText(), QStringLiteral("eigener Zeitraum"));
    w.m_pAb->setDate(QDate(2023, 1, 1));
    EXPECT_EQ(w.m_pZeitraum->currentText(), QStringLiteral("Jahr"));
    w.m_pAb->setDate(QDate(2023, 3, 5));
    w.m_pBis->setDate(QDate(2023, 4, 9));
    w.accept();
    m_pWindow = std::make_unique<CStatHostWindow>(kHeute);
    EXPECT_EQ(m_pWindow->m_pZeitraum->currentText(), QStringLiteral("eigener Zeitraum"));
    EXPECT_EQ(m_pWindow->Request().strAb, "20230305");
    EXPECT_EQ(m_pWindow->Request().strBis, "20230409");
}

TEST_F(HostWindowTest, PassWritesTheHitFileForTheChoiceAndShowOpensTheDialog) {
    CStatHostWindow& w = Window(Bekannt());
    ASSERT_GT(w.m_pMandant->count(), 2);
    w.m_pMandant->setCurrentIndex(1);
    w.m_pListe->setCurrentIndex(1); // lab invoices
    const StatHostRequest req = w.Request();
    ASSERT_FALSE(req.strMandant.empty());

    EXPECT_FALSE(w.Anzeigen());
    ASSERT_EQ(Texte(false).size(), 1u);
    EXPECT_TRUE(Contains(Texte(false)[0], "Noch keine Auswertung aufbereitet"));
    EXPECT_TRUE(w.m_pAufbereiten->isDefault());

    ASSERT_TRUE(w.Aufbereiten()) << Texte(false).back();
    EXPECT_EQ(m_scripted->m_nProgressOpened, m_scripted->m_nProgressClosed);
    LuMode eMode = LuMode::Services;
    CStatAccu accu;
    const CLUSum gelesen = ReadBack(Data(), eMode, accu);
    const CLUSum erwartet = Walk(req);
    ASSERT_FALSE(erwartet.m_vecLabRech.empty());
    EXPECT_EQ(gelesen.m_vecLabRech.size(), erwartet.m_vecLabRech.size());
    EXPECT_EQ(eMode, LuMode::Invoices);
    EXPECT_EQ(accu.GetMandant(), req.strMandant);
    EXPECT_EQ(accu.GetAbDatum(), "20230101");
    EXPECT_EQ(accu.GetBisDatum(), "20231231");
    // The window tells what the file holds, and Enter now shows it.
    EXPECT_FALSE(w.m_pStand->text().isEmpty());
    EXPECT_TRUE(w.m_pAuswahl->text().contains(QStringLiteral("vom 01.01.2023 bis 31.12.2023")));
    EXPECT_TRUE(w.m_pAuswahl->text().endsWith(w.m_pMandant->currentText()))
        << w.m_pAuswahl->text().toStdString();
    EXPECT_TRUE(w.m_pAnzeigen->isDefault());
    EXPECT_EQ(w.m_pFehler->toPlainText().isEmpty(), w.m_hitInfo.vecFehler.empty());
    w.show();
    EXPECT_LE(w.width(), 1366);
    EXPECT_LE(w.frameGeometry().height(), 740);
    EXPECT_FALSE(SaveScreenshot(w, QStringLiteral("statHostWindow")).isEmpty());

    int nGezeigt = 0;
    w.m_fnLuShow = [&](CdiaAwLU& d) {
        ++nGezeigt;
        ASSERT_TRUE(d.Create());
        EXPECT_EQ(d.GetDialog()->parentWidget(), &w);
        EXPECT_TRUE(Contains(d.GetTitle(), "Laborrechnungen (in €) vom 01.01.2023 bis 31.12.2023"));
        EXPECT_EQ(d.m_matMandant.Count(), 1); // the owner of the run only
    };
    // Enter in a choice presses the default button.
    QTest::keyClick(w.m_pMandant, Qt::Key_Return);
    EXPECT_EQ(nGezeigt, 1);

    // Another choice than the file's: Enter runs the pass again.
    w.m_pListe->setCurrentIndex(0);
    EXPECT_TRUE(w.m_pAufbereiten->isDefault());

    // A run for all owners leaves no owner of the earlier run behind.
    w.m_pMandant->setCurrentIndex(0);
    ASSERT_TRUE(w.Aufbereiten());
    CStatAccu alle;
    EXPECT_GT(ReadBack(Data(), eMode, alle).m_vecLabRech.size(), gelesen.m_vecLabRech.size());
    EXPECT_EQ(alle.GetMandant(), "");
    EXPECT_TRUE(w.m_pAuswahl->text().endsWith(QStringLiteral("Mandant: alle")));
}

// A hit file that is no hit file is reported, not shown, and Enter runs the pass.
TEST_F(HostWindowTest, UnreadableHitFileIsReported) {
    {
        std::ofstream out(fs::path(Data()) / "vx_slu.txt", std::ios::binary);
        out << "kein Inhalt\n";
    }
    CStatHostWindow& w = Window(Bekannt());
    EXPECT_TRUE(w.m_pAuswahl->text().contains(QStringLiteral("keine Trefferdatei")))
        << w.m_pAuswahl->text().toStdString();
    EXPECT_TRUE(w.m_pAufbereiten->isDefault());
    bool bGezeigt = false;
    w.m_fnLuShow = [&](CdiaAwLU&) { bGezeigt = true; };
    EXPECT_FALSE(w.Anzeigen());
    EXPECT_FALSE(bGezeigt);
    ASSERT_EQ(Texte(false).size(), 1u);
    EXPECT_TRUE(Contains(Texte(false)[0], "keine Trefferdatei"));
    ASSERT_TRUE(w.Aufbereiten());
    EXPECT_TRUE(w.m_pAnzeigen->isDefault());
}

// A cancelled pass leaves the files of the previous run as they were, byte for byte.
TEST_F(HostWindowTest, CancelledPassKeepsThePreviousHitFile) {
    StatHostChoices c = Bekannt();
    c.strZeitraum.clear();
    c.strAb = "20190101"; // every invoice: enough for the walk's progress to be asked
    c.strBis = "20251231";
    CStatHostWindow& w = Window(c);
    for (int nAuswertung : {0, 1}) {
        SCOPED_TRACE(nAuswertung);
        w.m_pAuswertung->setCurrentIndex(nAuswertung);
        m_scripted->m_nAbbruchNachUpdates = -1;
        ASSERT_TRUE(w.Aufbereiten());
        const std::string strTxt = StatHitFilePath(w.Auswertung(), Data());
        const std::string strSel = strTxt.substr(0, strTxt.size() - 3) + "sel";
        const std::string txt = ReadWholeFile(strTxt), sel = ReadWholeFile(strSel);
        ASSERT_FALSE(txt.empty());

        m_scripted->m_vecAufrufe.clear();
        m_scripted->m_nAbbruchNachUpdates = 0;
        w.m_pListe->setCurrentIndex(0);
        w.m_pLaborkunde->setCurrentIndex(1);
        EXPECT_FALSE(w.Aufbereiten());
        ASSERT_EQ(Texte(false).size(), 1u);
        EXPECT_TRUE(Contains(Texte(false)[0], "abgebrochen"));
        EXPECT_EQ(m_scripted->m_nProgressOpened, m_scripted->m_nProgressClosed);
        EXPECT_EQ(ReadWholeFile(strTxt), txt);
        EXPECT_EQ(ReadWholeFile(strSel), sel);
    }
}

TEST_F(HostWindowTest, CommercialLabPassAndShowThroughTheSeam) {
    CStatHostWindow& w = Window(Bekannt());
    CZGLKuFakt fremd(&dbDatabase); // an invoice to a customer the database does not know
    fremd.m_strKuNr = "999";
    fremd.m_strRechNr = "990001";
    fremd.m_strDatum = "20230301";
    fremd.m_strBetraege = "     1000";
    ASSERT_EQ(fremd.Write(), 0) << fremd.GetLastError();
    w.m_pAuswertung->setCurrentIndex(1);
    w.SetPreset(StatPreset::Jahr);
    ASSERT_GT(w.m_pLaborkunde->count(), 1);
    const QString strKunde = w.m_pLaborkunde->itemData(1).toString();
    w.m_pLaborkunde->setCurrentIndex(1);
    ASSERT_TRUE(w.Aufbereiten());

    CStatAccu walkAccu;
    walkAccu.SetPeriod("20230101", "20231231");
    walkAccu.SetLaborkunde(FromQString(strKunde));
    CString strError;
    ASSERT_TRUE(CGlabWalk().Run(walkAccu, strError)) << strError;

    int nGezeigt = 0;
    // The window lists the errors of the pass, one per line.
    w.m_pLaborkunde->setCurrentIndex(0);
    ASSERT_TRUE(w.Aufbereiten());
    CStatAccu alleAccu;
    alleAccu.SetPeriod("20230101", "20231231");
    ASSERT_TRUE(CGlabWalk().Run(alleAccu, strError)) << strError;
    ASSERT_FALSE(alleAccu.m_vecErrors.empty());
    const QStringList fehler = w.m_pFehler->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(fehler.size(), static_cast<qsizetype>(alleAccu.m_vecErrors.size()));
    EXPECT_TRUE(fehler[0].endsWith(ToQString(alleAccu.m_vecErrors[0].m_strText)));
    EXPECT_TRUE(w.m_pFehler->isReadOnly());
    w.m_pLaborkunde->setCurrentIndex(1);
    ASSERT_TRUE(w.Aufbereiten());
    EXPECT_TRUE(w.m_pFehler->toPlainText().isEmpty());

    w.m_fnGlabShow = [&](const GlabShowRequest& r) {
        ++nGezeigt;
        EXPECT_EQ(r.pParent->GetQWidget(), &w);
        EXPECT_EQ(r.accu.GetAbDatum(), "20230101");
        EXPECT_EQ(Trim(r.accu.GetLaborkunde()), FromQString(strKunde));
        EXPECT_EQ(r.sum.m_vecFakt.size(), walkAccu.m_vecGlabHits.size());
        for (const CGlabFakt& f : r.sum.m_vecFakt)
            EXPECT_EQ(Trim(f.m_strLabKu), FromQString(strKunde));
        return 0;
    };
    EXPECT_TRUE(w.Anzeigen());
    EXPECT_EQ(nGezeigt, 1);
    EXPECT_TRUE(w.m_pAnzeigen->isDefault());
}

// "Anzeigen" opens the commercial-lab evaluation dialog on the rows of the hit
// file, with the window as its parent.
TEST_F(HostWindowTest, CommercialLabOpensItsEvaluationDialog) {
    CStatHostWindow& w = Window(Bekannt());
    w.m_pAuswertung->setCurrentIndex(1);
    ASSERT_TRUE(w.Aufbereiten());
    CStatAccu accu;
    accu.SetPeriod("20230101", "20231231");
    CString strError;
    ASSERT_TRUE(CGlabWalk().Run(accu, strError)) << strError;
    ASSERT_FALSE(accu.m_vecGlabHits.empty());
    w.m_fnGlabShow = DefaultGlabShow();
    QString strTreffer, strTitel;
    QWidget* pParent = nullptr;
    QTimer::singleShot(0, [&] {
        QWidget* pModal = QApplication::activeModalWidget();
        ASSERT_NE(pModal, nullptr);
        strTitel = pModal->windowTitle();
        pParent = pModal->parentWidget();
        if (auto* p = pModal->findChild<QLabel*>(QStringLiteral("AnzTreffer")))
            strTreffer = p->text();
        SaveScreenshot(*pModal, QStringLiteral("statHostGlabDialog"));
        pModal->close();
    });
    EXPECT_TRUE(w.Anzeigen());
    EXPECT_EQ(pParent, &w);
    EXPECT_TRUE(strTitel.contains(QStringLiteral("Gewerbelaborstatistik"))) << strTitel.toStdString();
    EXPECT_EQ(strTreffer.toStdString(), std::to_string(accu.m_vecGlabHits.size()));
}

// The evaluation dialog's results: another technician runs the pass for that
// technician (and the owner of the run); settings saved there run it in the list
// they chose once the user agrees, and the window's list follows.
TEST_F(HostWindowTest, DialogResultsRunThePassAgain) {
    CStatHostWindow& w = Window(Bekannt());
    w.m_pMandant->setCurrentIndex(1);
    w.m_pListe->setCurrentIndex(1);
    const StatHostRequest req = w.Request();
    ASSERT_TRUE(w.Aufbereiten());
    const CLUSum alle = Walk(req);

    CString strTechniker;
    int nRunde = 0;
    w.m_fnLuShow = [&](CdiaAwLU& d) {
        ASSERT_TRUE(d.Create());
        if (++nRunde == 1) {
            for (int n = 0; n < d.m_matLeb.Count() && strTechniker.empty(); ++n)
                for (const CLULabRech& r : alle.m_vecLabRech)
                    if (r.m_strTechniker == d.m_matLeb.GetValue(n, 0) && strTechniker.empty()) {
                        strTechniker = r.m_strTechniker;
                        d.m_cbTechniker.SetSelectedIndex(n);
                    }
        } else {
            CString strShown;
            DoGetMember(d.m_cbTechniker, d.m_matLeb, strShown, 0);
            EXPECT_EQ(strShown, strTechniker);
        }
    };
    ASSERT_TRUE(w.Anzeigen());
    ASSERT_EQ(nRunde, 2);
    ASSERT_FALSE(strTechniker.empty());
    LuMode eMode = LuMode::Services;
    CStatAccu accu;
    const CLUSum einer = ReadBack(Data(), eMode, accu);
    ASSERT_FALSE(einer.m_vecLabRech.empty());
    EXPECT_LT(einer.m_vecLabRech.size(), alle.m_vecLabRech.size());
    EXPECT_EQ(accu.GetMandant(), req.strMandant);
    for (const CLULabRech& r : einer.m_vecLabRech) {
        EXPECT_EQ(r.m_strTechniker, strTechniker);
        EXPECT_EQ(r.m_strMandant, req.strMandant);
    }

    // Settings saved in the dialog for the paid list; the user agrees to the new pass.
    m_scripted->m_deqAntworten.push_back(kAntwortJa);
    nRunde = 0;
    w.m_fnLuShow = [&](CdiaAwLU& d) {
        ASSERT_TRUE(d.Create());
        if (++nRunde > 1) return;
        d.m_Settings.SetLstRechIdx(2);
        d.m_Settings.WriteParPool();
        d.m_bSettingsChanged = true;
    };
    ASSERT_TRUE(w.Anzeigen());
    EXPECT_EQ(nRunde, 2);
    ASSERT_EQ(Texte(true).size(), 1u);
    ReadBack(Data(), eMode, accu);
    EXPECT_EQ(eMode, LuMode::Paid);
    EXPECT_EQ(w.m_pListe->currentIndex(), 2);
}

// The settings dialog of the window: saving another list offers the new pass.
TEST_F(HostWindowTest, SettingsSavedInTheWindowOfferTheNewPass) {
    CStatHostWindow& w = Window(Bekannt());
    w.m_pListe->setCurrentIndex(1);
    ASSERT_TRUE(w.Aufbereiten());
    w.m_fnConfigShow = [](CdiaLUConfig& d) {
        EXPECT_TRUE(d.Create());
        d.m_cbListeInit.SetSelectedIndex(3); // cancelled invoices
        d.RunCommand(TKSpeichern);
        return d.GetEndCode();
    };
    m_scripted->m_deqAntworten.push_back(kAntwortJa);
    ASSERT_TRUE(w.Einstellungen());
    EXPECT_EQ(CLUDefault().GetLstRechIdx(), 3);
    EXPECT_EQ(w.m_pListe->currentIndex(), 3);
    ASSERT_EQ(Texte(true).size(), 1u);
    LuMode eMode = LuMode::Services;
    CStatAccu accu;
    ReadBack(Data(), eMode, accu);
    EXPECT_EQ(eMode, LuMode::Cancelled);

    // Leaving the settings without saving asks nothing and runs nothing.
    w.m_fnConfigShow = [](CdiaLUConfig& d) {
        EXPECT_TRUE(d.Create());
        return static_cast<int>(CWPFDialog::kEndExit);
    };
    EXPECT_FALSE(w.Einstellungen());
    EXPECT_EQ(Texte(true).size(), 1u);
}

} // namespace
