// The print of the lab-turnover dialog: the print-variable file of every layout
// against its reference copy, the sums checked by hand, the PDF read back as text,
// the questions before printing, the ranking print and bad input.
#include "dialog/diaAwLU.h"
#include "host/Cp1252.h"
#include "host/gui/WPFDataSet.h"
#include "host/gui/WPFDataTable.h"
#include "host/print/PrintVarFile.h"
#include "host/stat/StatAccu.h"
#include "print/LUPrintLine.h"
#include "print/PrintLU.h"

#include "dialog/LUTestRecords.h"
#include "print_support.h"

#include <functional>

namespace {

// A 7 % invoice with VAT on its technical services and technical material.
CLULabRech Record7(const CString& strPatNr, const CString& strDatum) {
    CLULabRech r = MakeRecord(strPatNr, strDatum, 0);
    r.m_Lst19 = CLULabRechLst();
    for (CLULabRechLst* p : {&r.m_LstAlle, &r.m_LstMitMwSt, &r.m_Lst7}) {
        p->m_bBelegt = true;
        p->m_TechnLst = Cent(10000);
        p->m_MwStTechnLst7 = Cent(700);
        p->m_TechnMat = Cent(1000);
        p->m_Material = Cent(1000);
        p->m_TechnMat7 = Cent(1000);
        p->m_Netto = Cent(11000);
        p->m_MwSt = Cent(770);
        p->m_Brutto = Cent(11770);
    }
    return r;
}

struct Modus {
    bool bLabRech = true, bBezahlt = false, bFiktiv = false, bStorniert = false;
};

class PrintLUTest : public PrintTestBase {
protected:
    void SetUp() override {
        PrintTestBase::SetUp();
        m_accu.SetPeriod("20240101", "20241231");
        m_accu.m_vecMandanten = {"1"};
        CLULabRech r1 = MakeRecord("1001", "20240110", 10000, 2000, 500);
        r1.m_strPatName = "M\xFCller, J\xFCrgen";
        CLULabRech r2 = MakeRecord("1002", "20240205", 5000);
        r2.m_strPlanNr = "7";
        r2.m_strDatumAlt = "20240301";
        CLULabRech r3 = MakeRecord("1003", "20240301", 2000, 1000);
        r3.m_strPlanNr = "0";
        r3.m_cPlanArt = 0;
        r3.m_strZusatzText = "Reparatur \x80";
        m_sum.m_vecLabRech = {r1, r2, r3};
    }

    std::unique_ptr<CdiaAwLU> Open(const Modus& m,
                                   const std::function<void(CLUDefault&)>& fn = {}) {
        auto p = std::make_unique<CdiaAwLU>(m_sum, &m_accu, nullptr, m.bLabRech, m.bBezahlt,
                                            m.bFiktiv, m.bStorniert, "", "");
        p->m_Settings.SetMitPatName(true);
        if (fn) fn(p->m_Settings);
        EXPECT_TRUE(p->Create());
        return p;
    }
    static void ZeigeTab(CdiaAwLU& d, int nTab) {
        d.m_nSelectedTab = nTab;
        d.FillDataFromAccu(d.m_Sum.m_vecLabRech);
    }
    fs::path Liste() const { return m_dir / "vx_liste.dat"; }
    std::vector<CString> Zeilen() const {
        PrintDoc doc;
        std::vector<CString> vecFehler;
        EXPECT_TRUE(ReadPrintVarFile(Liste().string(), doc, vecFehler));
        EXPECT_TRUE(vecFehler.empty());
        std::vector<CString> vec;
        for (const PrintRecord& r : doc.vecZeilen)
            vec.push_back(r.strZeile);
        return vec;
    }

    CStatAccu m_accu;
    CLUSum m_sum;
};

// Every layout and mode: the file matches its reference and the PDF shows the
// heading, the column heading and the sums.
TEST_F(PrintLUTest, EveryLayoutPrintsAsItsReference) {
    struct Fall {
        const char* szRef;
        Modus modus;
        int nTab;
        std::function<void(CLUDefault&)> fnSettings;
        const char* szKopf;   // a piece of the first heading line in the PDF
        const char* szSpalte; // a piece of the column heading in the PDF
    };
    const Fall faelle[] = {
        {"liste_rechnungen.dat",
         {},
         0,
         {},
         "Laborrechnungen: Rechnungsdatum von",
         "Plan bzw. Rechnung"},
        {"liste_ansicht_7.dat", {}, 4, {}, "(mit 7% USt.)", "USt. 7%"},
        {"liste_techn_material.dat",
         {},
         0,
         [](CLUDefault& s) { s.SetMitTechnMat(true); },
         "Laborrechnungen (techn. Material)",
         "T.Lst/7/5%"},
        {"liste_bezahlt.dat",
         {true, true, false, false},
         0,
         {},
         "Bezahlte Laborrechnungen",
         "Zahl.-Datum"},
        {"liste_fiktiv.dat",
         {false, false, true, false},
         0,
         {},
         "Fiktive Laborrechnungen",
         "Techn.Lst."},
        {"liste_storniert.dat",
         {false, false, false, true},
         0,
         {},
         "Stornierte Laborrechnungen",
         "Stornod."},
        {"liste_leistungen.dat",
         {false, false, false, false},
         1,
         [](CLUDefault& s) { s.SetStornoLabRech(true); },
         "Laborumsatz nach Laborleistungen",
         "Stornod."},
    };
    m_sum.m_vecLabRech.push_back(Record7("1004", "20240320"));
    CLULabRech storno = MakeRecord("1005", "20240401", 3000, 0, 0, kStornoDavor);
    m_sum.m_vecLabRech.push_back(storno);
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.szRef);
        fs::remove(Pdf());
        auto d = Open(f.modus, f.fnSettings);
        if (f.nTab) ZeigeTab(*d, f.nTab);
        d->OnPrint();
        ASSERT_EQ(d->m_strLetzterDruck, Liste().string()) << Meldungen();
        ExpectSameAsReference(Liste(), f.szRef);
        const std::string strPdf = PdfText(Pdf());
        EXPECT_NE(strPdf.find(f.szKopf), std::string::npos) << strPdf.substr(0, 400);
        EXPECT_NE(strPdf.find(f.szSpalte), std::string::npos);
        EXPECT_NE(strPdf.find("Druckdatum: 15.03.2024"), std::string::npos);
        EXPECT_NE(strPdf.find("Seite 1"), std::string::npos);
    }
    EXPECT_TRUE(m_scripted->m_vecAufrufe.empty()) << Meldungen();
}

TEST_F(PrintLUTest, SumsLineAddsTheRowsExactly) {
    auto d = Open({});
    d->OnPrint();
    const std::vector<CString> vec = Zeilen();
    ASSERT_EQ(vec.size(), 5u); // three rows, separator, sums
    EXPECT_EQ(vec[3], CString(160, '-'));
    // 100 + 50 + 20 services, 20 + 10 material, 5 metal, 19 % VAT of each row.
    EXPECT_EQ(vec[4], "Gesamt:\t\t\t\t170,00\t30,00\t5,00\t0,00\t0,00\t0,00\t38,95\t38,95\t205,"
                      "00\t243,95\t");
    // A row: date, gap, number and name, plan kind and invoice number, amounts.
    EXPECT_EQ(vec[0], "10.01.2024\t\t1001 M\xFCller, J\xFCrgen\t 1 ZE 1/1001/1\t100,00\t20,00\t5,"
                      "00\t\t\t\t23,75\t23,75\t125,00\t148,75\t");
    // Plan number 0 prints as blanks, the kind text stands for the missing code.
    EXPECT_EQ(vec[2].substr(0, 40),
              CString("01.03.2024\t\t1003\t   Reparatur \x80 1/1003/1\t").substr(0, 40));

    // Material left out of net and gross.
    auto d2 = Open({}, [](CLUDefault& s) { s.SetOhneMaterial(true); });
    d2->OnPrint();
    EXPECT_NE(Zeilen()[4].find("\t175,00\t213,95\t"), CString::npos) << Zeilen()[4];
}

TEST_F(PrintLUTest, TechnicalMaterialPrintsEveryRowOnTwoFixedLines) {
    m_sum.m_vecLabRech = {Record7("1004", "20240320"), MakeRecord("1001", "20240110", 10000)};
    auto d = Open({}, [](CLUDefault& s) { s.SetMitTechnMat(true); });
    d->OnPrint();
    const std::vector<CString> vec = Zeilen();
    ASSERT_GE(vec.size(), 9u);
    for (std::size_t n = 0; n < 4; ++n)
        EXPECT_EQ(vec[n].size(), std::size_t(kLUFesteBreite));
    // The 7 % row first (sorted by date it is second): its services with VAT on the
    // first line, the 7 % VAT on services on the second.
    const CString& strErste = vec[2];
    const CString& strZweite = vec[3];
    EXPECT_EQ(strErste.substr(0, 8), "20.03.24");
    EXPECT_EQ(Trim(strErste.substr(52, 10)), "100,00");
    EXPECT_EQ(Trim(strZweite.substr(52, 10)), "7,00");
    EXPECT_EQ(Trim(strZweite.substr(0, 52)), "");
    // Sums: net line, VAT line, separator, count and gross.
    EXPECT_NE(vec[5].find("Netto"), CString::npos);
    EXPECT_NE(vec[6].find("USt."), CString::npos);
    EXPECT_NE(vec[6].find("7,00"), CString::npos);
    EXPECT_EQ(vec[7], CString(kLUFesteBreite, '-'));
    EXPECT_NE(vec[8].find("     Anzahl 2"), CString::npos) << vec[8];
    EXPECT_NE(vec[8].find("236,70"), CString::npos) << vec[8]; // 117,70 + 119,00
    const std::string strPdf = PdfText(Pdf());
    EXPECT_NE(strPdf.find("Anzahl"), std::string::npos);
    EXPECT_NE(strPdf.find("236,70"), std::string::npos);
}

TEST_F(PrintLUTest, UmlautsAndEuroReachThePdf) {
    auto d = Open({});
    d->OnPrint();
    const std::string strPdf = PdfText(Pdf());
    EXPECT_NE(strPdf.find("M\xC3\xBCller, J\xC3\xBCrgen"), std::string::npos) << strPdf;
    EXPECT_NE(strPdf.find("Reparatur \xE2\x82\xAC"), std::string::npos);
    EXPECT_NE(strPdf.find("Gesamt:"), std::string::npos);
    EXPECT_NE(strPdf.find("243,95"), std::string::npos);
}

TEST_F(PrintLUTest, QuestionsBeforePrinting) {
    struct Fall {
        const char* szName;
        std::vector<bool> vecMarken; // per list row
        int nAntwort;                // 0: no question expected
        int nZeilen;                 // printed rows, -1 no print
    };
    const Fall faelle[] = {
        {"alle markiert", {true, true, true}, 0, 3},
        {"nur markierte", {true, false, true}, kAntwortJa, 2},
        {"alle trotz Marken", {true, false, true}, kAntwortNein, 3},
        {"abgebrochen", {true, false, true}, kAntwortAbbruch, -1},
        {"nichts markiert", {false, false, false}, 0, -1},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.szName);
        fs::remove(Liste());
        m_scripted->m_vecAufrufe.clear();
        if (f.nAntwort) m_scripted->m_deqAntworten = {f.nAntwort};
        auto d = Open({});
        for (int nRow = 0; nRow < 3; ++nRow) {
            d->m_Sum.m_vecLabRech[d->m_vecRows[nRow].nIndex].m_bMarkiert = f.vecMarken[nRow];
            d->m_matListe[nRow][0] = f.vecMarken[nRow] ? "True" : "False";
        }
        d->OnPrint();
        const auto& aufrufe = m_scripted->m_vecAufrufe;
        if (f.nAntwort) {
            ASSERT_EQ(aufrufe.size(), 1u);
            EXPECT_TRUE(aufrufe[0].bFrage && aufrufe[0].bMitAbbruch);
            EXPECT_EQ(Cp1252ToUtf8(aufrufe[0].strTitel), "Markierte Laborumsätze?");
        }
        if (f.nZeilen < 0) {
            EXPECT_FALSE(fs::exists(Liste()));
            EXPECT_TRUE(d->m_strLetzterDruck.empty());
            continue;
        }
        EXPECT_EQ(Zeilen().size(), static_cast<std::size_t>(f.nZeilen) + 2);
    }
    // Nothing marked: the information and no question.
    const auto& last = m_scripted->m_vecAufrufe;
    ASSERT_EQ(last.size(), 1u);
    EXPECT_FALSE(last[0].bFrage);
    EXPECT_EQ(Cp1252ToUtf8(last[0].strTitel), "Keine Laborumsätze markiert...");
    EXPECT_EQ(Cp1252ToUtf8(last[0].strText),
              "Bitte markieren Sie zuerst die gewünschten Laborumsätze!");
}

TEST_F(PrintLUTest, OwnerLine) {
    CLUDefault settings;
    CWPFMatrix<2> lines;
    const std::vector<LURowEntry> rows;
    CPrintLU alle(m_sum, &lines, rows, &m_accu, nullptr, &settings, true, false, false, false);
    EXPECT_EQ(alle.GetFormKopf2(), "Praxisinhaber: alle");
    m_accu.SetMandant("1");
    alle.m_strMandantName = "Dr. Gr\xFCn";
    EXPECT_EQ(alle.GetFormKopf2(), "Praxisinhaber: 1 - Dr. Gr\xFCn");
    m_accu.SetMandant("9"); // not one of the evaluation
    EXPECT_EQ(alle.GetFormKopf2(), "");
}

TEST_F(PrintLUTest, PdfThatCannotBeWrittenLeavesNothing) {
    const fs::path ziel = m_dir / "fehlt" / "liste.pdf";
    SetPrintPdfTarget(ziel.string());
    auto d = Open({});
    d->OnPrint();
    EXPECT_TRUE(d->m_strLetzterDruck.empty());
    EXPECT_FALSE(fs::exists(ziel.parent_path()));
    ASSERT_EQ(m_scripted->m_vecAufrufe.size(), 1u);
    EXPECT_EQ(m_scripted->m_vecAufrufe[0].strText,
              "Fehler beim Speichern der Datei:\n\n" + ziel.string());
    // The print file itself was written whole.
    EXPECT_EQ(Zeilen().size(), 5u);
}

TEST_F(PrintLUTest, BrokenRecordsOfAPrintFileAreReportedAndTheOthersPrinted) {
    const fs::path datei = m_dir / "kaputt.dat";
    std::ofstream(datei, std::ios::binary) << "V\tUeberschrift1\tKopf\nS\tSpalteninhalt\n"
                                              "S\tSpalteninhalt\tgute Zeile\n";
    EXPECT_EQ(PrintFile(nullptr, dbMdId, "F", datei.string(), 0, 0), 0);
    ASSERT_EQ(m_scripted->m_vecAufrufe.size(), 1u);
    EXPECT_NE(m_scripted->m_vecAufrufe[0].strText.find("kaputt.dat, Zeile 2"), CString::npos);
    EXPECT_NE(PdfText(Pdf()).find("gute Zeile"), std::string::npos);
    m_scripted->m_vecAufrufe.clear();
    EXPECT_EQ(PrintFile(nullptr, dbMdId, "F", (m_dir / "fehlt.dat").string(), 0, 0), 1);
    ASSERT_EQ(m_scripted->m_vecAufrufe.size(), 1u);
}

// On the ranking tab the print command prints the dialog's ranking tables.
TEST_F(PrintLUTest, RankingTabPrintsTheDialogsRanking) {
    auto d = Open({});
    ZeigeTab(*d, CPrintLU::kViewRanking);
    d->m_dtRanking1.AddRow({"7", "1", "Schmidt, Eva", "1.200,00", "300,00", "1.500,00", "100,00"});
    d->OnPrint();
    ASSERT_EQ(d->m_strLetzterDruck, (m_dir / "vx_stati.dat").string()) << Meldungen();
    PrintDoc doc;
    std::vector<CString> vecFehler;
    ASSERT_TRUE(ReadPrintVarFile(d->m_strLetzterDruck, doc, vecFehler));
    ASSERT_EQ(doc.vecZeilen.size(), 2u); // the technician and his separator
    EXPECT_NE(doc.vecZeilen[0].strZeile.find("Schmidt, Eva"), CString::npos);
    EXPECT_NE(PdfText(Pdf()).find("Techniker-Ranking"), std::string::npos);
}

// The ranking print: each technician bold with his treaters below, separators
// between them, from the two ranking tables.
TEST_F(PrintLUTest, RankingPrintsTechniciansWithTheirTreaters) {
    CWPFDataSet ds;
    CWPFDataTable t1, t2;
    ds.AddTable(t1, "Ranking1");
    ds.AddTable(t2, "Ranking2");
    const std::vector<CString> cols = {"Id",    "Folge",  "Name", "TechnLst",
                                       "Labor", "Gesamt", "Proz"};
    t1.AddColumns(cols);
    t2.AddColumns(cols);
    t1.AddRow({"7", "1",
               "Schr\xF6"
               "der, Anna",
               "1.200,00", "300,00", "1.500,00", "60,00"});
    t1.AddRow({"9", "2", "Weber, Tom", "800,00", "200,00", "1.000,00", "40,00"});
    t1.AddRow({"11", "3", "Ohne Behandler", "", "", "", ""});
    t2.AddRow({"9", "", "Dr. Lang", "800,00", "200,00", "1.000,00", "100,00"});
    t2.AddRow({"7", "", "Dr. Kurz", "700,00", "100,00", "800,00", "53,33"});
    t2.AddRow({"7", "", "Dr. Lang", "500,00", "200,00", "700,00", "46,67"});

    CLUDefault settings;
    CWPFMatrix<2> lines;
    CPrintLU print(m_sum, &lines, {}, &m_accu, nullptr, &settings, true, false, false, false);
    print.m_nView = CPrintLU::kViewRanking;
    print.m_strVonDatum = "01.01.2024";
    print.m_strBisDatum = "31.12.2024";
    print.m_strStand = "15.03.2024";
    print.SetRanking(&t1, &t2);
    const CString strPath = print.DruckeLU(true);
    ASSERT_EQ(strPath, (m_dir / "vx_stati.dat").string()) << Meldungen();
    ExpectSameAsReference(strPath, "ranking.dat");

    PrintDoc doc;
    std::vector<CString> vecFehler;
    ASSERT_TRUE(ReadPrintVarFile(strPath, doc, vecFehler));
    EXPECT_EQ(doc.Variable("FormularId"), CStatPrint::FormularId(CPrintLU::kFormRanking));
    EXPECT_EQ(doc.Variable("Ueberschrift3"), "Techniker-Ranking");
    const CString trenner(CPrintLU::kRankingBreite, '-');
    std::vector<CString> vecArt; // T technician, B treater, - separator
    for (const PrintRecord& r : doc.vecZeilen) {
        EXPECT_EQ(r.strZeile.size(), std::size_t(CPrintLU::kRankingBreite));
        vecArt.push_back(r.strZeile == trenner ? "-" : r.bFett ? "T" : "B");
    }
    const std::vector<CString> erwartet = {"T", "-", "B", "B", "-", "-", "T",
                                           "-", "B", "-", "-", "T", "-"};
    EXPECT_EQ(vecArt, erwartet);
    EXPECT_EQ(doc.vecZeilen[2].strZeile.substr(0, 50), LeftFix("       Dr. Kurz", 50));
    EXPECT_EQ(doc.vecZeilen[0].strGruppenkopf.substr(0, 12), "Folge  Techn");
    const std::string strPdf = PdfText(Pdf());
    EXPECT_NE(strPdf.find("Schr\xC3\xB6"
                          "der, Anna"),
              std::string::npos)
        << strPdf;
    EXPECT_NE(strPdf.find("Techniker(in) / Behandler"), std::string::npos);

    // No technicians: the heading only, and still a PDF.
    t1.Clear();
    t2.Clear();
    ASSERT_FALSE(print.DruckeLU(true).empty());
    ASSERT_TRUE(ReadPrintVarFile(strPath, doc = PrintDoc(), vecFehler));
    EXPECT_TRUE(doc.vecZeilen.empty());
    EXPECT_NE(PdfText(Pdf()).find("Techniker-Ranking"), std::string::npos);
}

} // namespace
