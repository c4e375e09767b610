// Single invoices of the blocs, their VAT, the comparisons and the accumulator.
#include "glab/GlabSum.h"
#include "host/TextUtil.h"
#include "host/db/ZGLBloc.h"
#include "host/db/ZGLBlocEntry.h"
#include "host/db/ZGLKuFakt.h"
#include "support/TempPracticeDb.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <vector>

namespace {

void Bloc(CZGLBloc& rs, const CString& strNr, const CString& strRechNr, const CString& strStatus) {
    rs.m_strNr = strNr;
    rs.m_strRechNr = strRechNr;
    rs.m_strStatus = strStatus;
    rs.m_strBetraege = "      1000       200        30" + CString(10, ' ') + "       171";
    rs.m_strMwSt = "e       171";
}

void KuFakt(CZGLKuFakt& rs, const CString& strKuNr, const CString& strRechNr, int nTechnLst) {
    rs.m_strKuNr = strKuNr;
    rs.m_strRechNr = strRechNr;
    rs.m_strBetraege = RightFix(itoc(nTechnLst), 9);
}

CGlabFakt Fakt(const CString& strKu, const CString& strRechNr) {
    CGlabFakt f;
    f.m_strLabKu = strKu;
    f.m_strRechNr = strRechNr;
    return f;
}

TEST(GlabCompare, EmptyInvoiceNumberOfThisElementMatchesTheCustomer) {
    struct Fall {
        CString strKu, strNr, strKuOther, strNrOther;
        bool bGleich;
    };
    for (const Fall& f : std::vector<Fall>{{"101", "", "101", "7", true},
                                           {"101", "7", "101", "", false},
                                           {"101", "7", "101", "7", true},
                                           {"101", "a", "101", "A", false},
                                           {"102", "", "101", "7", false}}) {
        CZGLKuFakt rs;
        KuFakt(rs, f.strKuOther, f.strNrOther, 0);
        EXPECT_EQ(Fakt(f.strKu, f.strNr) == Fakt(f.strKuOther, f.strNrOther), f.bGleich);
        EXPECT_EQ(Fakt(f.strKu, f.strNr) == rs, f.bGleich);
        CGlabRech r, other;
        r.m_strNr = f.strKu, r.m_strRechNr = f.strNr;
        other.m_strNr = f.strKuOther, other.m_strRechNr = f.strNrOther;
        CZGLBloc bloc;
        Bloc(bloc, f.strKuOther, f.strNrOther, "1");
        EXPECT_EQ(r == other, f.bGleich);
        EXPECT_EQ(r == bloc, f.bGleich);
    }
}

TEST(GlabRech, MoveGLBlocTakesGrossFromTheList) {
    CZGLBloc rs;
    Bloc(rs, "000001", "2019-00001", "t");
    rs.m_strTexte = "1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\t12\t13\t14\t15";
    CGlabRech r;
    r.MoveGLBloc(rs);
    EXPECT_EQ(r.m_nStatus, 1);
    EXPECT_EQ(r.m_strText5 + r.m_strText17, "113");
    EXPECT_EQ(r.m_strText18, "14\t15"); // the last text keeps the rest
    EXPECT_EQ(r.m_Betrag4.ToDb(), "e         0");
    EXPECT_EQ(r.m_Brutto.GetCent(), 1401);
    EXPECT_EQ(r.m_Netto.GetCent(), 1230);
    rs.m_strStatus = "x"; // an unknown status changes nothing
    r.MoveGLBloc(rs);
    EXPECT_EQ(r.m_nStatus, 1);
}

TEST(GlabRech, MwStSumAddsTheGroupsOfTheRate) {
    CGlabRech r;
    r.m_mapMwStGruppen = {{"a|7", CDBetrag("e1050")},
                          {"b|16", CDBetrag("e1000")},
                          {"c", CDBetrag("e500")},
                          {"|7", CDBetrag("e700")},
                          {"d|19x", CDBetrag("e100")}};
    // 1050 x 7 % = 73.5 cents -> 74; "c" and "|7" have no rate.
    for (const auto& [nSatz, nMwSt] :
         std::vector<std::pair<int, long long>>{{7, 74}, {16, 160}, {5, 0}, {-1, 74 + 160 + 19}}) {
        CGlabRechLst block;
        block.m_Netto = CDBetrag("e1000");
        block.m_MwSt = CDBetrag("e5"); // not reset: the VAT adds to it
        r.MwStSum(block, nSatz);
        EXPECT_EQ(block.m_MwSt.GetCent(), 5 + nMwSt) << nSatz;
        EXPECT_EQ(block.m_Brutto.GetCent(), 1005 + nMwSt);
    }
    // Absurd values saturate instead of overflowing.
    r.m_mapMwStGruppen = {{"a|16", CDBetrag::FromCent(LLONG_MAX)},
                          {"b|99999999999999999999", CDBetrag("e100")}};
    CGlabRechLst block;
    block.m_Netto = CDBetrag::FromCent(LLONG_MAX);
    r.MwStSum(block, -1);
    EXPECT_EQ(block.m_Brutto.GetCent(), CDBetrag::kMaxCent);

    r.m_mapMwStGruppen = {{"a|7", CDBetrag("e1000")}, {"b|16", CDBetrag("e1000")}};
    for (CGlabRechLst* p : {&r.m_LstAlle, &r.m_LstMitMwSt, &r.m_LstOhneMwSt, &r.m_Lst7, &r.m_Lst16})
        *p = CGlabRechLst(), p->m_Netto = CDBetrag("e2000");
    r.BerechneMwStSummen();
    EXPECT_EQ(r.m_LstAlle.m_Brutto.GetCent(), 2230);
    EXPECT_EQ(r.m_LstMitMwSt.m_MwSt.GetCent(), 230);
    EXPECT_EQ(r.m_LstOhneMwSt.m_Brutto.GetCent(), 2000);
    EXPECT_EQ(r.m_Lst7.m_MwSt.GetCent() + r.m_Lst16.m_MwSt.GetCent(), 70 + 160);
}

TEST(GlabRech, CopiesKeepTheCursorInTheirOwnMap) {
    CGlabRech r;
    r.m_mapMwStGruppen = {{"a|7", CDBetrag("e100")}};
    r.m_itMwStGruppe = r.m_mapMwStGruppen.begin();
    CGlabRech kopie(r);
    CGlabRech verschoben(std::move(r));
    for (const CGlabRech* p : {&kopie, &verschoben}) {
        EXPECT_EQ(p->m_mapMwStGruppen.size(), 1u);
        EXPECT_TRUE(p->m_itMwStGruppe == p->m_mapMwStGruppen.end());
    }
}

TEST(GlabSum, MoveSammelLabRechUpdatesTheNewestMatchKeepingItsMark) {
    CGlabSum sum;
    CZGLKuFakt rs;
    for (const auto& [strKu, nBetrag] : {std::pair{"101", 100}, {"102", 200}, {"101", 300}}) {
        KuFakt(rs, strKu, "1", nBetrag);
        sum.MoveSammelLabRech(rs);
        sum.m_vecFakt[0].m_bChecked = true;
    }
    ASSERT_EQ(sum.m_vecFakt.size(), 2u);
    EXPECT_EQ(sum.m_vecFakt[0].m_TechnLst.GetCent(), 300);
    EXPECT_TRUE(sum.m_vecFakt[0].m_bChecked);

    // Two elements without number take every invoice of 103: the newer is updated.
    sum.m_vecFakt = {Fakt("103", ""), Fakt("103", ""), Fakt("104", "")};
    KuFakt(rs, "103", "9", 400);
    sum.MoveSammelLabRech(rs);
    ASSERT_EQ(sum.m_vecFakt.size(), 3u);
    EXPECT_EQ(sum.m_vecFakt[0].m_strRechNr + "/" + sum.m_vecFakt[1].m_strRechNr, "/9");
}

TEST(GlabSum, MoveLabRechStartsNewInvoicesFromAnEmptyWorkRecord) {
    CGlabSum sum;
    CZGLBloc rs;
    Bloc(rs, "1", "A", "1");
    sum.MoveLabRech(rs);
    sum.m_Rech.m_mapMwStGruppen["x|7"] = CDBetrag("e100");
    sum.m_Rech.m_strText2 = "alt";
    Bloc(rs, "1", "B", "x");
    sum.MoveLabRech(rs);
    ASSERT_EQ(sum.m_vecRech.size(), 2u);
    EXPECT_TRUE(sum.m_vecRech[1].m_mapMwStGruppen.empty());
    EXPECT_EQ(sum.m_vecRech[1].m_strText2, "");
    EXPECT_EQ(sum.m_vecRech[1].m_nStatus, 0);

    sum.m_vecRech[0].m_mapMwStGruppen["a|7"] = CDBetrag("e1");
    Bloc(rs, "1", "A", "0");
    rs.m_strMwSt = "e0";
    sum.MoveLabRech(rs); // the same invoice again: updated in place, groups kept
    ASSERT_EQ(sum.m_vecRech.size(), 2u);
    EXPECT_EQ(sum.m_vecRech[0].m_Netto.GetCent(), 1401);
    EXPECT_EQ(sum.m_vecRech[0].m_mapMwStGruppen.size(), 1u);
}

TEST(GlabRech, GetGesamtUstFromTheEntriesOfOneInvoice) {
    TempPracticeDb db;
    CZGLBlocEntry e(&dbDatabase);
    int nPos = 0;
    for (const auto& [nr, rechNr, code, preis, menge] :
         std::vector<std::array<const char*, 5>>{{"B1", "R1", "7", "e1000", "150"},
                                                 {"B1", "R1", "7", "e    333", "100"},
                                                 {"B1", "R1", "g", "e10000", "100"},
                                                 {"B1", "R1", "g", "e-1000", "50"},
                                                 {"B1", "R1", "0", "e99999", "100"},
                                                 {"B1", "R2", "7", "e50000", "100"}}) {
        e.m_strNr = nr, e.m_strRechNr = rechNr, e.m_strPos = itoc(++nPos);
        e.m_strMwStCode = code, e.m_strPreis = preis, e.m_strMenge = menge;
        ASSERT_EQ(e.Write(), 0) << e.GetLastError();
    }
    CString str7, strG;
    CGlabRech::GetGesamtUst(str7, strG, "R1", "B1");
    EXPECT_EQ(str7, "e       128"); // 7 % of 18.33; R2 of the same bloc is not counted
    EXPECT_EQ(strG, "e      1520"); // 16 % of 95.00
    CGlabRech::GetGesamtUst(str7, strG, "R9", "B1");
    EXPECT_EQ(str7 + strG, "e         0e         0");
}

} // namespace
