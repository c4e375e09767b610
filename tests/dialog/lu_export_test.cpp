// The workbook export of the lab-turnover dialog, read back with openpyxl: the
// column layout per mode, rows and sums of the list views, the ranking layout,
// the command's messages and a path that cannot be written.
#include "dialog/LUExport.h"
#include "dialog/diaAwLU.h"
#include "host/Cp1252.h"
#include "host/HostServices.h"
#include "host/ScriptedHostServices.h"
#include "host/gui/WPFDataRow.h"
#include "host/stat/StatAccu.h"

#include "LUTestRecords.h"
#include "support/GuiTestApp.h"
#include "support/TempPracticeDb.h"
#include "support/XlsxReader.h"

#include <QCoreApplication>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct LayoutFall {
    const char* szName;
    bool bBezahlt, bFiktiv, bStorniert, bMitPatName;
    int nLabRechDatumIdx;
    bool bStornoLabRech, bMitTechnMat;
    // expected
    bool bPlan, bTechnMat;
    const char* szDatum;
    const char* szStorno;
    int nStornoSpalte, nTextSpalten;
};

TEST(LUExportLayout, FollowsModesAndSettings) {
    const LayoutFall faelle[] = {
        {"plain", false, false, false, false, 0, false, false, true, false, "Datum", "", -1, 4},
        {"name", false, false, false, true, 0, false, false, true, false, "Datum", "", -1, 5},
        {"technMat", false, false, false, false, 0, true, true, true, true, "Rng.-Datum",
         "Stornodatum", 23, 4},
        {"printDate", false, false, false, false, 1, false, true, true, false, "Druckdatum", "", -1,
         4},
        {"paid", true, false, false, false, 0, false, true, true, false, "Zahl.-Datum", "", -1, 4},
        {"fictitious", false, true, false, false, 0, false, false, false, false, "Rng.-Datum", "",
         -1, 1},
        {"fictitiousName", false, true, false, true, 0, true, false, false, false, "Rng.-Datum",
         "Stornodatum", 24, 2},
        {"cancelled", false, true, true, false, 0, false, true, true, false, "Rng.-Datum",
         "Stornod.", 24, 4},
    };
    for (const LayoutFall& f : faelle) {
        LUExportListe liste;
        liste.bBezahlt = f.bBezahlt;
        liste.bFiktiv = f.bFiktiv;
        liste.bStorniert = f.bStorniert;
        liste.bMitPatName = f.bMitPatName;
        liste.nLabRechDatumIdx = f.nLabRechDatumIdx;
        liste.bStornoLabRech = f.bStornoLabRech;
        liste.bMitTechnMat = f.bMitTechnMat;
        const LUExportLayout l = LUExportLayoutFuer(liste);
        EXPECT_EQ(l.bPlanSpalten, f.bPlan) << f.szName;
        EXPECT_EQ(l.bTechnMat, f.bTechnMat) << f.szName;
        EXPECT_EQ(l.strDatumTitel, f.szDatum) << f.szName;
        EXPECT_EQ(l.strStornoTitel, f.szStorno) << f.szName;
        EXPECT_EQ(l.nStornoSpalte, f.nStornoSpalte) << f.szName;
        EXPECT_EQ(l.nTextSpalten, f.nTextSpalten) << f.szName;
        EXPECT_EQ(l.vecBetragSpalten.size(),
                  f.bTechnMat ? kLUExportSummenTechnMat : kLUExportSummenNormal)
            << f.szName;
        EXPECT_EQ(l.vecBetragTitel.size(), l.vecBetragSpalten.size()) << f.szName;
    }
}

// The save dialog and the folder display are replaced.
class CdiaAwLUExportTest : public CdiaAwLU {
public:
    using CdiaAwLU::CdiaAwLU;
    std::string m_strPfad;
    std::vector<std::string> m_vecOrdnerGezeigt;
    int m_nPfadGefragt = 0;

protected:
    std::string ChooseExportPath() override {
        ++m_nPfadGefragt;
        return m_strPfad;
    }
    void ShowExportFolder(const std::string& strPfad) override {
        m_vecOrdnerGezeigt.push_back(strPfad);
    }
};

class LUExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        GuiTestApp();
        m_previous = InstallHostServices(m_scripted);
        m_accu.SetPeriod("20240101", "20241231");
        m_accu.m_vecMandanten = {"1"};
        m_dir = fs::temp_directory_path() /
                ("vx_luexport_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override {
        InstallHostServices(m_previous);
        fs::remove_all(m_dir);
    }
    std::unique_ptr<CdiaAwLUExportTest>
    Open(bool bFiktiv = false, bool bStorniert = false,
         const std::function<void(CLUDefault&)>& fnSettings = {}) {
        auto p = std::make_unique<CdiaAwLUExportTest>(m_sum, &m_accu, nullptr, true, false, bFiktiv,
                                                      bStorniert, "", "");
        if (fnSettings) fnSettings(p->m_Settings);
        EXPECT_TRUE(p->Create());
        QCoreApplication::processEvents();
        return p;
    }
    std::string Pfad(const char* szName) const { return (m_dir / szName).string(); }
    void Add(const CLULabRech& r) { m_sum.m_vecLabRech.push_back(r); }

    TempPracticeDb m_db;
    std::shared_ptr<CScriptedHostServices> m_scripted = std::make_shared<CScriptedHostServices>();
    std::shared_ptr<IHostServices> m_previous;
    CStatAccu m_accu;
    CLUSum m_sum;
    fs::path m_dir;
};

std::vector<std::string> Zeile(const XlsxInhalt& x, int nRow, int nCols) {
    std::vector<std::string> vec;
    for (int c = 0; c < nCols; ++c)
        vec.push_back(x.Wert(nRow, c));
    return vec;
}

TEST_F(LUExportTest, ListWritesEveryRowAndTheSumsOfTheMarkedOnes) {
    Add(MakeRecord("100", "20240110", 123456, 2000, 500));
    Add(MakeRecord("200", "20240320", 5000));
    Add(MakeRecord("300", "20240215", 2500, 0, 0, kStornoDavor));
    m_sum.m_vecLabRech[0].m_strPatName = Utf8ToCp1252("Müller-Łukasz €");
    auto d = Open(false, false, [](CLUDefault& s) {
        s.SetMitPatName(true);
        s.SetStornoLabRech(true);
        s.SetCheckedStornoTypen(kStornoMaskDavor);
    });
    ASSERT_EQ(d->m_nRowCount, 3);
    // Row 2 (patient 200) unmarked: the sums leave it out, the rows keep it.
    d->m_matListe.SetValue(2, 0, "False");
    d->m_Sum.m_vecLabRech[1].m_bMarkiert = false;
    d->BerechneSummen();
    ASSERT_TRUE(d->ExportNach(Pfad("liste.xlsx")));

    const XlsxInhalt x = ReadXlsx(Pfad("liste.xlsx"));
    ASSERT_TRUE(x.bGelesen);
    ASSERT_EQ(x.vecBlaetter, std::vector<std::string>{"Laborstatistik"});
    EXPECT_EQ(x.strAutor, "Vx");
    EXPECT_EQ(x.mapBreiten.size(), 19u);
    const std::vector<std::string> vecTitel = {
        "Datum",      "Pat.-Nr.", "Name",   "PlanNr", "Planart",    "Rechn.-Nr.",
        "Techn.Lst.", "Material", "Metall", "USt.5%", "USt.7%",     "USt.16%",
        "USt.19%",    "USt.ges.", "Netto",  "Gesamt", "Stornodatum"};
    EXPECT_EQ(Zeile(x, 0, 17), vecTitel);
    for (int c = 0; c < 17; ++c)
        EXPECT_TRUE(x.Zelle(0, c)->bFett) << c;
    EXPECT_EQ(Zeile(x, 1, 17), std::vector<std::string>(17)); // the empty row

    // In list order (by date): 100, 300, 200.
    EXPECT_EQ(x.Typ(2, 0), "d");
    EXPECT_EQ(x.Wert(2, 0), "2024-01-10");
    EXPECT_EQ(x.Wert(2, 1), "100");
    EXPECT_EQ(x.Typ(2, 1), "s");
    EXPECT_EQ(x.Wert(2, 2), "Müller-?ukasz €"); // Windows-1252 cannot hold the Ł
    EXPECT_EQ(x.Wert(2, 4), "ZE");
    EXPECT_EQ(x.Typ(2, 6), "n");
    EXPECT_EQ(x.Wert(2, 6), "1234.56");
    EXPECT_EQ(x.Wert(2, 7), "20");
    EXPECT_EQ(x.Wert(2, 8), "5");
    EXPECT_EQ(x.Zelle(2, 9), nullptr);  // no 5 % VAT: an empty cell, as in the list
    EXPECT_EQ(x.Wert(2, 12), "239.32"); // 19 % of 1259,56
    EXPECT_EQ(x.Wert(2, 13), "239.32");
    EXPECT_EQ(x.Wert(2, 14), "1259.56");
    EXPECT_EQ(x.Wert(2, 15), "1498.88");
    EXPECT_EQ(x.Zelle(2, 6)->strFormat, "#,##0.00");
    EXPECT_EQ(x.Wert(3, 1), "300");
    EXPECT_EQ(x.Wert(3, 6), "-25"); // cancelled before the period: sign inverted
    EXPECT_EQ(x.Typ(3, 16), "d");
    EXPECT_EQ(x.Wert(3, 16), "2024-06-01");
    EXPECT_EQ(x.Wert(4, 1), "200");
    EXPECT_EQ(x.LetzteZeile(), 6);

    // Empty row, then the sums of rows 100 and 300 under their amount columns.
    EXPECT_EQ(Zeile(x, 5, 17), std::vector<std::string>(17));
    EXPECT_EQ(x.vecVerbunden, std::vector<std::string>{"A7:F7"});
    EXPECT_EQ(x.Wert(6, 0), "Gesamtsummen (markierte Laborumsätze)");
    EXPECT_TRUE(x.Zelle(6, 0)->bFett);
    EXPECT_EQ(x.Wert(6, 6), "1209.56");  // 1234,56 - 25,00
    EXPECT_EQ(x.Wert(6, 9), "0");        // "0,00" of the dialog: a number
    EXPECT_EQ(x.Wert(6, 15), "1469.13"); // 1498,88 - 29,75
    for (int c = 6; c < 16; ++c)
        EXPECT_EQ(x.Typ(6, c), "n") << c;
    EXPECT_EQ(x.Zelle(6, 16), nullptr);

    // Only the marked rows on request; the sums stay.
    ASSERT_TRUE(d->ExportNach(Pfad("markiert.xlsx"), true));
    const XlsxInhalt m = ReadXlsx(Pfad("markiert.xlsx"));
    EXPECT_EQ(m.Wert(2, 1), "100");
    EXPECT_EQ(m.Wert(3, 1), "300");
    EXPECT_EQ(m.Wert(5, 6), "1209.56");
}

TEST_F(LUExportTest, TechnicalMaterialLayoutAndFictitiousMergeSpan) {
    Add(MakeRecord("100", "20240110", 10000, 2000, 500));
    {
        auto d = Open(false, false, [](CLUDefault& s) { s.SetMitTechnMat(true); });
        ASSERT_TRUE(d->IsMitTechnMat());
        ASSERT_TRUE(d->ExportNach(Pfad("tech.xlsx")));
        const XlsxInhalt x = ReadXlsx(Pfad("tech.xlsx"));
        std::vector<std::string> vecTitel = {
            "Rng.-Datum",        "Pat.-Nr.",        "PlanNr",         "Planart",    "Rechn.-Nr.",
            "Techn.Lst. m.Ust.", "Techn.Lst. frei", "Metall",         "Techn.Mat.", "Prax.Mat.",
            "7/5%Techn.Lst.",    "7/5%Metall",      "7/5%Techn.Mat.", "USt.7/5%",   "USt.19/16%",
            "USt.ges.",          "Netto",           "Gesamt"};
        vecTitel.push_back(""); // no cancellation column
        EXPECT_EQ(Zeile(x, 0, 19), vecTitel);
        EXPECT_EQ(x.vecVerbunden, std::vector<std::string>{"A5:E5"});
        // Metal, VAT 19 %, VAT and net: the sum stands under the column it adds up.
        const std::pair<int, const char*> vecSpalten[] = {
            {7, "5"}, {15, "23.75"}, {16, "23.75"}, {17, "125"}};
        for (const auto& [nCol, szWert] : vecSpalten) {
            EXPECT_EQ(x.Wert(2, nCol), szWert) << nCol;
            EXPECT_EQ(x.Wert(4, nCol), szWert) << nCol;
        }
    }
    auto d = Open(true, false, [](CLUDefault& s) { s.SetMitPatName(true); });
    ASSERT_TRUE(d->ExportNach(Pfad("fiktiv.xlsx")));
    const XlsxInhalt x = ReadXlsx(Pfad("fiktiv.xlsx"));
    EXPECT_EQ(x.Wert(0, 3), "Techn.Lst.");
    EXPECT_EQ(x.vecVerbunden, std::vector<std::string>{"A5:C5"});
    EXPECT_EQ(x.Wert(4, 3), "100");
}

TEST_F(LUExportTest, CommandAsksForThePathAndReportsTheOutcome) {
    Add(MakeRecord("100", "20240110", 10000));
    auto d = Open();
    d->OnCTRL_A(); // cancelled save dialog: nothing happens
    EXPECT_EQ(d->m_nPfadGefragt, 1);
    EXPECT_TRUE(m_scripted->m_vecAufrufe.empty());

    d->m_strPfad = Pfad("fehlt/x.xlsx");
    d->OnCTRL_A();
    ASSERT_EQ(m_scripted->m_vecAufrufe.size(), 1u);
    EXPECT_EQ(m_scripted->m_vecAufrufe[0].art, IHostServices::Art::HaltE);
    EXPECT_EQ(m_scripted->m_vecAufrufe[0].strText,
              "Fehler beim Speichern der Datei:\n\n" + Pfad("fehlt/x.xlsx"));
    EXPECT_FALSE(fs::exists(m_dir / "fehlt"));
    EXPECT_TRUE(d->m_vecOrdnerGezeigt.empty());

    d->m_strPfad = Pfad("gut.xlsx");
    d->OnCTRL_A();
    ASSERT_EQ(m_scripted->m_vecAufrufe.size(), 2u);
    EXPECT_EQ(m_scripted->m_vecAufrufe[1].art, IHostServices::Art::HaltI);
    EXPECT_EQ(m_scripted->m_vecAufrufe[1].strText,
              "Die Daten wurden als Excel-Datei\n\n" + Pfad("gut.xlsx") + "\n\ngespeichert.");
    EXPECT_EQ(d->m_vecOrdnerGezeigt, std::vector<std::string>{Pfad("gut.xlsx")});
    EXPECT_EQ(ReadXlsx(Pfad("gut.xlsx")).Wert(2, 1), "100");
}

TEST_F(LUExportTest, EmptyListExportsNothing) {
    auto d = Open();
    d->m_strPfad = Pfad("leer.xlsx");
    d->OnCTRL_A();
    EXPECT_EQ(d->m_nPfadGefragt, 0);
    EXPECT_FALSE(fs::exists(Pfad("leer.xlsx")));
}

TEST_F(LUExportTest, RankingBlocksWithTheirTreaters) {
    Add(MakeRecord("100", "20240110", 10000));
    auto d = Open();
    d->m_tabArt.SetSelectedIndex(CdiaAwLU::kTabRanking);
    // The ranking's tables as the ranking fills them.
    d->m_dtRanking1.AddRow({"T2", "1", "Adler", "1.200,00", "300,00", "1.500,00", "60,5"});
    d->m_dtRanking1.AddRow({"T1", "2", "Berger", "900,00", "80,00", "980,00", "39,5"});
    d->m_dtRanking2.AddRow({"T1", "1", "Dr. Zahn", "900,00", "80,00", "980,00", "100"});
    d->m_dtRanking2.AddRow({"T2", "1", "Dr. Ohr", "1.000,00", "300,00", "1.300,00", "86,7"});
    d->m_dtRanking2.AddRow({"T2", "2", "Dr. Kinn", "200,00", "", "200,00", "13,3"});
    ASSERT_TRUE(d->ExportNach(Pfad("ranking.xlsx")));
    const XlsxInhalt x = ReadXlsx(Pfad("ranking.xlsx"));
    ASSERT_TRUE(x.bGelesen);
    using V = std::vector<std::string>;
    EXPECT_EQ(Zeile(x, 0, 6),
              (V{"Folge", "Techniker(in)", "Techn. Lst.", "PM + Labor", "Gesamt", "Praxis-%"}));
    EXPECT_EQ(Zeile(x, 1, 6), V(6)); // an empty row before every technician
    EXPECT_EQ(Zeile(x, 2, 6), (V{"1", "Adler", "1200", "300", "1500", "60.5"}));
    EXPECT_EQ(Zeile(x, 3, 6),
              (V{"Folge", "Behandler", "Techn. Lst.", "PM + Labor", "Gesamt", "LE-%"}));
    EXPECT_EQ(Zeile(x, 4, 6), (V{"1", "Dr. Ohr", "1000", "300", "1300", "86.7"}));
    EXPECT_EQ(Zeile(x, 5, 6), (V{"2", "Dr. Kinn", "200", "", "200", "13.3"}));
    EXPECT_EQ(Zeile(x, 6, 6), V(6));
    EXPECT_EQ(Zeile(x, 7, 6), (V{"2", "Berger", "900", "80", "980", "39.5"}));
    EXPECT_EQ(Zeile(x, 9, 6), (V{"1", "Dr. Zahn", "900", "80", "980", "100"}));
    EXPECT_EQ(x.LetzteZeile(), 9);
    // Position and share are numbers in the text style; the amounts carry money.
    EXPECT_EQ(x.Typ(2, 0), "n");
    EXPECT_EQ(x.Typ(2, 5), "n");
    EXPECT_EQ(x.Zelle(2, 5)->strFormat, "General");
    EXPECT_EQ(x.Zelle(2, 5)->strAusrichtung, "left");
    EXPECT_EQ(x.Zelle(2, 2)->strFormat, "#,##0.00");
    EXPECT_TRUE(x.vecVerbunden.empty());
}

} // namespace
