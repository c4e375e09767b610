// The journal lines, the totals of the checked rows and the chart values of the
// commercial-lab evaluation, without a dialog.
#include "glab/GlabChartItem.h"
#include "glab/GlabGesWerte.h"
#include "glab/GlabJournal.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string B(int n) {
    return std::string(n, ' ');
}

GlabJournalZellen Zellen() {
    GlabJournalZellen z;
    z.strDatum = "06.03.2023";
    z.strKunde = "105 - Zahnarztpraxis Dr. med. dent. Gabriele Schmidt";
    z.strRechNr = "230001";
    z.strAnzRech = "1";
    z.strTechnLst = "1.292,73";
    z.strMaterial = "19,70";
    z.strMetall = " 0,00";
    z.strMwSt = "28,93";
    z.strNetto = "1.312,43";
    z.strBrutto = "1.341,36";
    return z;
}

CGlabFakt Fakt(const char* szKunde, long long nBrutto, long long nMwSt, bool bStorno,
               bool bChecked = true) {
    CGlabFakt f;
    f.m_strLabKu = szKunde;
    f.m_TechnLst = CVzW7Betrag::FromCent(nBrutto - nMwSt - 100);
    f.m_Material = CVzW7Betrag::FromCent(60);
    f.m_Metall = CVzW7Betrag::FromCent(40);
    f.m_Betrag4 = CVzW7Betrag::FromCent(1);
    f.m_MwSt = CVzW7Betrag::FromCent(nMwSt);
    f.m_Brutto = CVzW7Betrag::FromCent(nBrutto);
    f.m_Netto = CVzW7Betrag::FromCent(nBrutto - nMwSt + 7); // off on purpose: never summed
    f.m_bStorno = bStorno;
    f.m_bChecked = bChecked;
    return f;
}

TEST(GlabJournal, RowLineCutsTheCustomerAndPutsTheAmountsUnderTheHeading) {
    const std::string line = GlabJournalZeile(Zellen());
    const std::string expected = "06.03.2023 " + std::string("105 - Zahnarztpraxis Dr. med") +
                                 B(6) + "230001" + B(11) + "1" + B(7) + B(3) + "1.292,73" + B(7) +
                                 B(6) + "19,70" + B(7) + B(6) + " 0,00" + B(7) + B(6) + "28,93" +
                                 B(9) + B(3) + "1.312,43" + B(9) + B(3) + "1.341,36";
    EXPECT_EQ(line, expected);
    ASSERT_EQ(line.size(), 175u);
    // The numbers end under the end of their captions, the amounts one place
    // further right (the heading is one character shorter than the lines).
    const std::string& kopf = GlabJournalKopf();
    ASSERT_EQ(kopf.size(), 174u);
    EXPECT_EQ(kopf.find("Rng.-Nr.") + 8, line.find("230001") + 6);
    EXPECT_EQ(kopf.find("Techn.Lst") + 9 + 1, line.find("1.292,73") + 8);
    EXPECT_EQ(kopf.find("Netto") + 5 + 1, line.find("1.312,43") + 8);
    EXPECT_EQ(kopf.size() + 1, line.size());
}

TEST(GlabJournal, CancelledRowReadsAsDashesAndLongNumbersAreCut) {
    GlabJournalZellen z = Zellen();
    z.strKunde = "7 - Labor";
    z.strRechNr = "1234567890ABCDEF";
    z.bStorno = true;
    const std::string line = GlabJournalZeile(z);
    ASSERT_EQ(line.size(), 175u);
    EXPECT_EQ(line.find(' '), std::string::npos);
    EXPECT_EQ(line.substr(0, 63), "06.03.2023-7---Labor" + std::string(19, '-') + "1234567890AB" +
                                      std::string(11, '-') + "1");
    EXPECT_EQ(line.substr(line.size() - 8), "1.341,36");
}

TEST(GlabJournal, TotalsLineAndSeparator) {
    const std::string line =
        GlabJournalSummenZeile({"5.876,43", "309,23", "  0,00", "550,72", "7.043,95", "7.594,67"});
    EXPECT_EQ(line, "   Gesamtwerte" + B(56) + B(3) + "5.876,43" + B(7) + B(5) + "309,23" + B(7) +
                        B(5) + "  0,00" + B(7) + B(5) + "550,72" + B(9) + B(3) + "7.043,95" + B(9) +
                        B(3) + "7.594,67");
    EXPECT_EQ(GlabJournalTrenner(), std::string(175, '-'));
}

TEST(GlabGesWerte, CountsCheckedInvoicesThatAreNotCancelledAndNetIsGrossLessVat) {
    const std::vector<CGlabFakt> vec = {Fakt("101", 11900, 1900, false),
                                        Fakt("101", 5000, 500, true),          // cancelled
                                        Fakt("102", 10700, 700, false, false), // not checked
                                        Fakt("102", 2140, 140, false)};
    const CGlabGesWerte w = BerechneGlabGesWerte(vec);
    EXPECT_EQ(w.m_Brutto.GetCent(), 11900 + 2140);
    EXPECT_EQ(w.m_MwSt.GetCent(), 1900 + 140);
    EXPECT_EQ(w.Netto().GetCent(), 11900 + 2140 - 1900 - 140);
    EXPECT_EQ(w.m_TechnLst.GetCent(), 9900 + 1900);
    EXPECT_EQ(w.m_Material.GetCent(), 120);
    EXPECT_EQ(w.m_Betrag4.GetCent(), 2);
    // Nothing counted: the zero amount, shown as "0,00".
    const CGlabGesWerte leer = BerechneGlabGesWerte({Fakt("101", 100, 0, true)});
    EXPECT_EQ(leer.m_Brutto.ToExt(6, true), "  0,00");
}

TEST(GlabChart, ValuesPerCustomerIgnoreCancellationsAndMarksAndAlleTotalsThem) {
    const std::vector<CGlabFakt> vec = {Fakt("101", 11900, 1900, false, false),
                                        Fakt("101", 5000, 500, true),
                                        Fakt("102", 3000, 0, true), // all of 102 cancelled
                                        Fakt("103", 2140, 140, false), Fakt("101", 100, 0, false)};
    std::vector<CGlabChartItem> items = {{"101", "A", ""},
                                         {"102", "B", ""},
                                         {"103", "C", ""},
                                         {"104", "D", ""}, // no invoices at all
                                         {kGlabChartAlle, kGlabChartAlle, ""}};
    BerechneGlabChartWerte(items, vec);
    const long long erwartet[] = {12000, 0, 2140, 0, 14140};
    for (std::size_t n = 0; n < items.size(); ++n)
        EXPECT_EQ(CVzW7Betrag(items[n].m_strWert).GetCent(), erwartet[n]) << items[n].m_strKey;
    EXPECT_EQ(items[1].m_strWert, "e         0");
}

} // namespace
