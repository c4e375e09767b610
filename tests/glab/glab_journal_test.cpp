// The lines of the commercial-lab journal as exact strings.
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

} // namespace
