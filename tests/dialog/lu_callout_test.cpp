// Call-outs from the lab-turnover dialog: the module lookup with its messages, the
// choice of program by plan kind, the arguments the called programs receive (a
// recording module under their names) and the stand-in programs' windows.
#include "dialog/LUCallOut.h"
#include "dialog/diaAwLU.h"
#include "host/HostServices.h"
#include "host/LibraryCall.h"
#include "host/ModulEinstiege.h"
#include "host/ScriptedHostServices.h"
#include "host/TextUtil.h"
#include "host/db/ZFakt.h"
#include "host/db/ZPat.h"
#include "host/db/ZPlan.h"
#include "host/db/ZVDesc.h"
#include "host/db/ZVxKas.h"
#include "host/stat/StatAccu.h"

#include "LUTestRecords.h"
#include "support/GuiTestApp.h"
#include "support/TempPracticeDb.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>

#ifndef VX_TEST_MODUL_DIR
#error "VX_TEST_MODUL_DIR: folder of the recording modules"
#endif

namespace {

using Art = IHostServices::Art;

class CallOutTest : public ::testing::Test {
protected:
    void SetUp() override {
        GuiTestApp();
        m_previous = InstallHostServices(m_scripted);
        for (const char* szModul : {kModulLabor, kModulKfoPlan})
            CLibraryCall(szModul, VX_TEST_MODUL_DIR).Find<void()>("VxTestLoeschen")();
    }
    void TearDown() override { InstallHostServices(m_previous); }

    // The calls the recording modules received, "MODULE:Function(args)" per line.
    static CString Aufrufe() {
        CString s;
        for (const char* szModul : {kModulLabor, kModulKfoPlan})
            s += CLibraryCall(szModul, VX_TEST_MODUL_DIR).Find<const char*()>("VxTestAufrufe")();
        return s;
    }
    CString Meldungen() const {
        CString s;
        for (const auto& a : m_scripted->m_vecAufrufe)
            s += a.strTitel + ": " + a.strText + "\n";
        return s;
    }

    TempPracticeDb m_db;
    std::shared_ptr<CScriptedHostServices> m_scripted = std::make_shared<CScriptedHostServices>();
    std::shared_ptr<IHostServices> m_previous;
};

TEST_F(CallOutTest, ModulesComeOnlyFromTheirFolderAndMissingOnesAreReported) {
    struct Fall {
        const char* szModul;
        CString strOrdner;
        const char* szFunktion;
        CString strMeldung; // "" when found
    };
    const Fall faelle[] = {
        {"VXLAB", "", "StartLabRechnung", ""},
        {"VxKfoPlan", "", "StartKFOWithPatPlan", ""},
        {"VXLAB", VX_TEST_MODUL_DIR, "StartLabRechnung", ""},
        {"VxFehlt", "", "StartLabRechnung",
         "TkHaltE LoadLibrary fehlgeschlagen!: VxFehlt\nStartLabRechnung"},
        {"VXLAB", "", "StartGibtEsNicht", "TkHaltE Hinweis: Programm in Vorbereitung!"},
        {"VXLAB", "", "", "TkHaltE Hinweis: Programm in Vorbereitung!"},
        // No way out of the folder, and no folder relative to the current one.
        {"../bin/VXLAB", "", "StartLabRechnung",
         "TkHaltE LoadLibrary fehlgeschlagen!: ../bin/VXLAB\nStartLabRechnung"},
        {"VXLAB", "bin/testmodule", "StartLabRechnung",
         "TkHaltE LoadLibrary fehlgeschlagen!: VXLAB\nStartLabRechnung"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.szModul + CString(" in '") + f.strOrdner + "'");
        m_scripted->m_vecAufrufe.clear();
        CLibraryCall modul(f.szModul, f.strOrdner);
        void* pFunktion = modul.Find(f.szFunktion);
        EXPECT_EQ(pFunktion != nullptr, f.strMeldung.empty());
        CString strMeldung;
        for (const auto& a : m_scripted->m_vecAufrufe)
            strMeldung +=
                CString(a.art == Art::TkHaltE ? "TkHaltE " : "? ") + a.strTitel + ": " + a.strText;
        EXPECT_EQ(strMeldung, f.strMeldung);
    }
    EXPECT_EQ(CLibraryCall("VXLAB").GetPath(), ProgrammOrdner() + "/libVXLAB.so");
    EXPECT_NE(CLibraryCall(nullptr).Find("malloc"), nullptr); // the running program
}

TEST_F(CallOutTest, ALibraryInTheCurrentFolderIsNeverLoaded) {
    const std::filesystem::path fremd = m_db.Dir() / "libVxGepflanzt.so";
    std::filesystem::copy_file(ModulDatei(VX_TEST_MODUL_DIR, "VXLAB"), fremd);
    const std::filesystem::path vorher = std::filesystem::current_path();
    std::filesystem::current_path(m_db.Dir());
    CLibraryCall modul("VxGepflanzt");
    std::filesystem::current_path(vorher);
    EXPECT_FALSE(modul.IsLoaded());
    EXPECT_EQ(modul.Find("StartLabRechnung"), nullptr);
}

TEST(LUCallOut, OrthodonticPlansByKindCodeOrElseByKindText) {
    struct Fall {
        signed char cPlanArt;
        const char* szZusatzText;
        bool bKfo;
    };
    const Fall faelle[] = {{'k', "", true},          {'k', "ZE", true},     {'z', "KFO", false},
                           {'2', "KFO-Plan", false}, {0, "KFO-Plan", true}, {0, "ZE", false},
                           {'x', "KFO", false},      {0, "", false}};
    for (const Fall& f : faelle) {
        CLULabRech r;
        r.m_cPlanArt = f.cPlanArt;
        r.m_strZusatzText = f.szZusatzText;
        EXPECT_EQ(IstKfoPlan(r), f.bKfo) << int(f.cPlanArt) << " " << f.szZusatzText;
    }
}

// The dialog calls the recording modules.
class CdiaAwLUAufruf : public CdiaAwLU {
public:
    using CdiaAwLU::CdiaAwLU;
    CString m_strOrdner = VX_TEST_MODUL_DIR;

protected:
    CString ModulOrdner() const override { return m_strOrdner; }
};

class DiaAwLUCallOutTest : public CallOutTest {
protected:
    void SetUp() override {
        CallOutTest::SetUp();
        m_accu.SetPeriod("20240101", "20241231");
        m_accu.m_vecMandanten = {"1"};
    }
    // Rows are listed by date: the n-th added row is row n.
    void Add(const CString& strPatNr, const CString& strPlanNr, signed char cPlanArt,
             const CString& strZusatzText = "", const CString& strRechNr = "") {
        CLULabRech r =
            MakeRecord(strPatNr, Format("202401%02zu", m_sum.m_vecLabRech.size() + 1), 1000);
        r.m_strPlanNr = strPlanNr;
        r.m_cPlanArt = cPlanArt;
        r.m_strZusatzText = strZusatzText;
        if (!strRechNr.empty()) r.m_strRechNr = strRechNr;
        m_sum.m_vecLabRech.push_back(r);
    }
    std::unique_ptr<CdiaAwLUAufruf> Open(bool bStorniert = false) {
        auto p = std::make_unique<CdiaAwLUAufruf>(m_sum, &m_accu, nullptr, true, false, false,
                                                  bStorniert, "", "");
        EXPECT_TRUE(p->Create());
        p->GetDialog()->show();
        QCoreApplication::processEvents();
        return p;
    }
    static void Select(CdiaAwLU& d, int nRow) {
        d.m_lvListe.SetSelectedIndex(nRow);
        QCoreApplication::processEvents();
    }
    // Patient 300 with plan 4 of 1 March 2024, insured at fund K1 from 2023 on
    // (at K2 only from 2025 on); K1 was renamed on 1 January and 1 April 2024.
    static void WriteKfoStammdaten() {
        CZPat pat(&dbDatabase);
        pat.m_strPatNr = "300";
        pat.m_strName = "Kieferle";
        CZPlan plan(&dbDatabase);
        plan.m_strPatNr = "300";
        plan.m_strPlanNr = "4";
        plan.m_strDatum = "20240301";
        ASSERT_EQ(pat.Write() + plan.Write(), 0);
        CZVDesc vdesc(&dbDatabase);
        vdesc.m_strPatNr = "300";
        CZVxKas kasse(&dbDatabase);
        kasse.m_strKassenNr = "K1";
        for (const auto& [szAb, szKasse, szName] : {std::tuple{"20230101", "K1", "Alte AOK"},
                                                    {"20240101", "", "Neue AOK"},
                                                    {"20240401", "", "Sp\xE4tere AOK"},
                                                    {"20250101", "K2", ""}}) {
            vdesc.m_strGueltigAb = kasse.m_strGueltigAb = szAb;
            vdesc.m_strKassenNr = szKasse;
            kasse.m_strName = szName;
            ASSERT_EQ((*szKasse ? vdesc.Write() : 0) + (*szName ? kasse.Write() : 0), 0);
        }
    }

    CStatAccu m_accu;
    CLUSum m_sum;
};

TEST_F(DiaAwLUCallOutTest, PlanOpensInTheProgramOfItsKindWithTheRowsKeys) {
    WriteKfoStammdaten();
    Add("100", "1", 'z', "KFO"); // the code decides: lab-invoice program
    Add("200", "", 'c');         // without a plan number too
    Add("300", "4", 0, "KFO-Plan");
    Add("300", "", 'k');  // orthodontic without a plan number
    Add("400", "2", 'k'); // orthodontic, patient unknown
    auto d = Open();
    ASSERT_EQ(d->m_nRowCount, 5);
    QPushButton* pPlanOeffnen = d->GetDialog()->findChild<QPushButton*>("TKButton50");
    ASSERT_NE(pPlanOeffnen, nullptr);
    for (int nRow = 0; nRow < 5; ++nRow) {
        Select(*d, nRow);
        QTest::mouseClick(pPlanOeffnen, Qt::LeftButton); // the "Plan öffnen" button: Ctrl+R
    }
    EXPECT_EQ(Aufrufe(), "VXLAB:StartLabRechnung(100|1)\n"
                         "VXLAB:StartLabRechnung(200|)\n"
                         "VxKfoPlan:StartKFOWithPatPlan(K1|Kieferle|Neue AOK|300|4)\n");
    EXPECT_EQ(Meldungen(), "Laborumsatzliste: Plan-Nr. nicht verf\xFCgbar!\n"
                           "Laborumsatzliste: Fehler beim Lesen der Patientenstammdaten!\n");
    EXPECT_EQ(d->GetAktPlanDatum("300", "4"), "20240301");
    EXPECT_EQ(d->GetAktPlanDatum("300", "9"), "");

    m_scripted->m_vecAufrufe.clear();
    Select(*d, 0);
    d->m_strOrdner = m_db.Dir().string(); // holds no modules
    d->OnCTRL_R();
    EXPECT_EQ(Meldungen(), "LoadLibrary fehlgeschlagen!: VXLAB\nStartLabRechnung\n");
    d->m_strOrdner = VX_TEST_MODUL_DIR;
    d->m_tabArt.SetSelectedIndex(CdiaAwLU::kTabRanking); // no rows to call out from
    d->OnCTRL_R();
    EXPECT_EQ(Meldungen(), "LoadLibrary fehlgeschlagen!: VXLAB\nStartLabRechnung\n");
}

TEST_F(DiaAwLUCallOutTest, CallButtonsFollowTheSelectedRow) {
    Add("100", "1", 'z');
    Add("200", "", 'z', "", "M+L-Rng.");
    Add("300", "3", 'z', "", "M+L-Rng.");
    for (const bool bStorniert : {false, true}) {
        SCOPED_TRACE(bStorniert);
        auto d = Open(bStorniert);
        Select(*d, 1);
        EXPECT_TRUE(d->GetIsEnabled(TKZeilenAnzahl));
        EXPECT_TRUE(d->GetIsEnabled(TKExport));
        EXPECT_EQ(d->GetIsEnabled(TKPlanOeffnen), bStorniert);
        d->OnCTRL_R(); // disabled: nothing
        Select(*d, 2);
        EXPECT_TRUE(d->GetIsEnabled(TKPlanOeffnen));
        Select(*d, 0);
        EXPECT_TRUE(d->GetIsEnabled(TKPlanOeffnen));
        EXPECT_EQ(d->GetAktuellePatNr(), "100");
        EXPECT_EQ(d->GetAktuellePlanNr(), "1");
    }
    EXPECT_EQ(Aufrufe(), "VXLAB:StartLabRechnung(200|)\n"); // only where enabled
}

// The stand-in programs in the program's module folder, called as the dialog does.
TEST_F(CallOutTest, StandInProgramsShowTheirRecordsReadOnly) {
    CZPat pat(&dbDatabase);
    pat.m_strPatNr = "100";
    pat.m_strName = "M\xFCller";
    pat.m_strVorname = "J\xFCrgen";
    pat.m_strGebDatum = "19700215";
    ASSERT_EQ(pat.Write(), 0);
    CZFakt fakt(&dbDatabase);
    for (int n = 1; n <= 2; ++n) {
        fakt.m_strFaktKey = "F" + itoc(n);
        fakt.m_strPatNr = "100";
        fakt.m_strPlanNr = "1";
        fakt.m_strDatum = Format("2024031%d", n);
        fakt.m_strPatRechNr = "1/100/" + itoc(n);
        fakt.m_strTechnikerId = "T1";
        fakt.m_nA1Cent = 123456 * n;
        fakt.m_nA5Cent = 19;
        ASSERT_EQ(fakt.Write(), 0) << fakt.GetLastError();
    }
    CLibraryCall(kModulLabor).Find<StartLabRechnungFn>(kEinstiegLabRechnung)("100", "1");
    QWidget* pLab = nullptr;
    for (QWidget* pWidget : QApplication::topLevelWidgets())
        if (pWidget->objectName() == "VxLabRechnung" && pWidget->isVisible()) pLab = pWidget;
    ASSERT_NE(pLab, nullptr);
    const QTableWidget* pTable = pLab->findChild<QTableWidget*>();
    ASSERT_NE(pTable, nullptr);
    ASSERT_EQ(pTable->rowCount(), 2);
    EXPECT_EQ(pTable->item(1, 0)->text(), "1/100/2");
    EXPECT_EQ(pTable->item(1, 1)->text(), "12.03.2024");
    EXPECT_EQ(pTable->item(1, 3)->text(), "2.469,12");
    EXPECT_EQ(pTable->item(1, 6)->text(), "0,19");
    EXPECT_TRUE(pLab->findChild<QLabel*>()->text().contains(QString::fromUtf8("Müller, Jürgen")));
    EXPECT_FALSE(SaveScreenshot(*pLab, "VXLAB_Laborrechnungen").isEmpty());
    pLab->close();

    CZVDesc vdesc;
    CZVxKas kasse;
    vdesc.m_strKassenNr = "K1";
    vdesc.m_strVersArt = "G";
    kasse.m_strName = "AOK Bayern";
    EXPECT_EQ(CLibraryCall(kModulKfoPlan)
                  .Find<StartKFOWithPatPlanFn>(kEinstiegKfoPlan)(&vdesc, &pat, &kasse, "100", "7"),
              0);
    QWidget* pKfo = nullptr;
    for (QWidget* pWidget : QApplication::topLevelWidgets())
        if (pWidget->objectName() == "VxKfoPlan" && pWidget->isVisible()) pKfo = pWidget;
    ASSERT_NE(pKfo, nullptr);
    EXPECT_EQ(pKfo->findChild<QLabel*>("Versicherung")->text(), "AOK Bayern (K1), gesetzlich");
    EXPECT_EQ(pKfo->findChild<QLabel*>("Geburtsdatum")->text(), "15.02.1970");
    EXPECT_EQ(pKfo->findChild<QLabel*>("Plan")->text(), "7 (nicht in der Praxisdatenbank)");
    EXPECT_FALSE(SaveScreenshot(*pKfo, "VxKfoPlan_Plan").isEmpty());
    pKfo->close();
    EXPECT_TRUE(m_scripted->m_vecAufrufe.empty());
}

} // namespace
