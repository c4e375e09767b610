// Amount lists, the fixed-point product and the reading of customer invoices.
#include "glab/GlabBetragText.h"
#include "glab/GlabFakt.h"
#include "glab/GlabRech.h"
#include "host/TextUtil.h"
#include "host/db/ZGLKuFakt.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

CString Liste(const std::vector<CString>& felder, int nBreite) {
    CString out;
    for (const CString& f : felder)
        out += RightFix(f, nBreite);
    return out;
}

TEST(GlabAmountList, SingleAmountsAndTotal) {
    const CString strKuFakt = "   123456" + CString("    -78 9") + "      x12";
    EXPECT_EQ(CGlabFakt::GetBetrag(strKuFakt, 1), "-789"); // blanks inside removed
    EXPECT_EQ(CGlabFakt::GetBetrag(strKuFakt, 2), "x12");
    EXPECT_EQ(CGlabFakt::GetBetrag(strKuFakt, 3), "");
    EXPECT_EQ(CGlabFakt::GetBetrag(strKuFakt, -1), "");
    EXPECT_EQ(CGlabFakt::GetBetrag(strKuFakt, 2'000'000'000), "");
    EXPECT_EQ(CGlabRech::GetBetrag(Liste({"1", "22", "333"}, 10), 2), "333");

    const std::vector<std::pair<CString, CString>> summen = {
        {"", "0"},
        {Liste({"1000", "200", "30", "4", "171"}, 10), "1405"},
        {Liste({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"}, 10), "55"},
        {" 12x456789" + CString("     -3 4"), "9"},        // letters and blanks end a window
        {Liste({"1234567890", "1"}, 10), "234567891"},     // position 0 is not read
        {CString(" ") + CString(100, '9'), "99999999990"}, // the largest total there is
    };
    for (const auto& [strListe, strSumme] : summen) {
        EXPECT_EQ(CGlabFakt::GetGesamtBetrag(strListe), strSumme) << strListe;
        EXPECT_EQ(CGlabRech::GetGesamtBetragBrutto(strListe), strSumme);
    }
}

// The stored 9-place customer lists add up right only up to 8, 7, 6 and 5 places.
TEST(GlabAmountList, TotalOfNinePlaceListsHoldsUpToItsLimits) {
    const std::vector<std::pair<std::vector<CString>, bool>> faelle = {
        {{"99999999", "9999999", "999999", "99999"}, true},
        {{"-9999999", "-999999", "-99999", "-9999"}, true},
        {{"123456789", "1", "1", "1"}, false},
        {{"1", "12345678", "1", "1"}, false},
        {{"1", "1", "1234567", "1"}, false},
        {{"1", "1", "1", "123456"}, false},
    };
    for (const auto& [felder, bStimmt] : faelle) {
        long long nSumme = 0;
        for (const CString& s : felder)
            nSumme += LeadingInt(s);
        EXPECT_EQ(CGlabFakt::GetGesamtBetrag(Liste(felder, 9)) == itoc(nSumme), bStimmt)
            << Liste(felder, 9);
    }
}

TEST(GlabFixPoint, ProductRoundsHalfAwayFromZeroAndClamps) {
    struct Fall {
        const char *a, *b, *produkt;
    };
    const std::vector<Fall> faelle = {
        {"1234", "150", "1851"},
        {"5", "10", "1"},
        {"-5", "10", "-1"},
        {"4", "10", "0"},
        {"-4", "10", "0"},
        {"-1234", "-100", "1234"},
        {"  -1234", "100", "-1234"},
        {"", "100", "0"},
        {"12x", "100", "12"},
        {"--5", "100", "5"},
        {"1850", "7", "130"},
        {"99999999999999999999", "100", "9223372036854775807"},
        {"99999999999999999999", "99999999999999999999", "9223372036854775807"},
        {"-99999999999999999999", "99999999999999999999", "-9223372036854775808"},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(GlabMulFix2(f.a, f.b), f.produkt) << f.a << " x " << f.b;
    EXPECT_EQ(GlabAddBetrag("0", "e-50"), "e       -50");     // "0" counts as empty
    EXPECT_EQ(GlabAddBetrag("e9223372036854775807", ""), ""); // no amount has 19 digits
}

TEST(GlabFakt, MoveGLKuFaktReadsListAndVat) {
    CZGLKuFakt rs; // filled by hand: reading it needs no database
    rs.m_strKuNr = "101";
    rs.m_strStorno = "1";
    rs.m_strBetraege = Liste({"100000", "20000", "3000", "400"}, 9);
    rs.m_strMwSt = "e     16416";
    CGlabFakt f;
    f.m_bChecked = true;
    f.MoveGLKuFakt(rs);
    EXPECT_TRUE(f.m_bStorno && f.m_bChecked);
    EXPECT_EQ(f.m_Metall.GetCent(), 3000);
    EXPECT_EQ(f.m_Betrag4.GetCent(), 400);
    EXPECT_EQ(f.m_Netto.GetCent(), 123400);
    EXPECT_EQ(f.m_Brutto.GetCent(), 123400 + 16416);

    rs.m_strStorno = "ja";
    rs.m_strBetraege = "  12x    " + Liste({"20", "3"}, 9);
    rs.m_strMwSt = "e1x";
    f.MoveGLKuFakt(rs);
    EXPECT_FALSE(f.m_bStorno);
    EXPECT_TRUE(f.m_TechnLst.IsEmpty());          // unreadable
    EXPECT_EQ(f.m_Betrag4.ToDb(), "e         0"); // missing: zero, not empty
    EXPECT_TRUE(f.m_MwSt.IsEmpty());
    EXPECT_EQ(f.m_Brutto.GetCent(), 35); // the total reads 12, 20 and 3
}

} // namespace
