#include "glab/GlabFakt.h"

#include "glab/GlabBetragText.h"
#include "host/TextUtil.h"
#include "host/db/ZGLKuFakt.h"

#include <limits>

namespace {

constexpr int kFeldKuFakt = 9;
constexpr int kFeldSumme = 10;
constexpr int kFelderSumme = 10;

bool SameInvoice(const CString& strKuA, const CString& strRechNrA, const CString& strKuB,
                 const CString& strRechNrB) {
    return strKuA == strKuB && (strRechNrA.empty() || strRechNrA == strRechNrB);
}

} // namespace

void CGlabFakt::MoveGLKuFakt(CZGLKuFakt& rs) {
    m_strInfo1 = rs.m_strInfo1;
    m_strLabKu = rs.m_strKuNr;
    m_strRechNr = rs.m_strRechNr;
    m_strDatum = rs.m_strDatum;
    m_strInfo2 = rs.m_strInfo2;
    m_strInfo3 = rs.m_strInfo3;
    m_strAnzRech = rs.m_strAnzRech;
    m_strInfo4 = rs.m_strInfo4;
    m_strInfo5 = rs.m_strInfo5;
    m_bStorno = rs.m_strStorno == "1";
    const CString& strListe = rs.m_strBetraege;
    m_TechnLst = GlabListBetrag(GetBetrag(strListe, 0));
    m_Material = GlabListBetrag(GetBetrag(strListe, 1));
    m_Metall = GlabListBetrag(GetBetrag(strListe, 2));
    m_Betrag4 = GlabListBetrag(GetBetrag(strListe, 3));
    m_MwSt = GlabListBetrag(rs.m_strMwSt);
    if (m_Betrag4.IsEmpty()) m_Betrag4 = CVzW7Betrag("e         0");
    m_Netto = GlabListBetrag("e" + GetGesamtBetrag(strListe));
    m_Brutto = m_Netto + m_MwSt;
}

CString CGlabFakt::GetBetrag(const CString& strBetraege, int nIndex) {
    if (nIndex < 0 || nIndex > std::numeric_limits<int>::max() / kFeldKuFakt) return {};
    return RemoveBlanks(GetMidStr(strBetraege, nIndex * kFeldKuFakt, kFeldKuFakt));
}

// Customer-invoice lists are stored in 9-place fields: that width gives exact
// single amounts (GetBetrag) for every value, where 10-place fields would shift
// every amount after the first. The total, though, follows the rule of the bloc
// lists: ten windows of 10 places from position 1. On a 9-place list each window
// reaches one place further into the next field, so the total is right while the
// four fields hold at most 8, 7, 6 and 5 characters, sign included (up to
// 999.999,99 / 99.999,99 / 9.999,99 / 999,99 EUR); the database pass reports the
// invoices whose total disagrees with their single amounts. Ten windows of ten
// places stay far inside 64 bits.
CString CGlabFakt::GetGesamtBetrag(const CString& strBetraege) {
    long long nSumme = 0;
    for (int k = 0; k < kFelderSumme; ++k)
        nSumme += LeadingInt(GetMidStr(strBetraege, 1 + kFeldSumme * k, kFeldSumme));
    return itoc(nSumme);
}

bool CGlabFakt::operator==(const CGlabFakt& other) const {
    return SameInvoice(m_strLabKu, m_strRechNr, other.m_strLabKu, other.m_strRechNr);
}

bool CGlabFakt::operator==(const CZGLKuFakt& rs) const {
    return SameInvoice(m_strLabKu, m_strRechNr, rs.m_strKuNr, rs.m_strRechNr);
}

void CGlabFakt::Clear() {
    *this = CGlabFakt();
}
