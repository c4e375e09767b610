#include "glab/GlabRech.h"

#include "glab/GlabBetragText.h"
#include "glab/GlabFakt.h"
#include "host/TextUtil.h"
#include "host/db/TKRSet.h"
#include "host/db/ZGLBloc.h"
#include "host/db/ZGLBlocEntry.h"

#include <limits>
#include <utility>

namespace {

__extension__ typedef __int128 Int128;

constexpr int kFeldBloc = 10;
constexpr int kBlocTexte = 14; // texts 5 to 18
// Amounts up to half the amount range (about 11 trillion euro) add and convert
// between euro and DM within it; only invented data lie beyond.
constexpr long long kSafeCent = CDBetrag::kMaxCent / 2;

bool IsSafe(const CDBetrag& b) {
    return b.GetCent() > -kSafeCent && b.GetCent() < kSafeCent;
}

CDBetrag Saturated(Int128 nCent, char cWaehrung) {
    const long long n = nCent > CDBetrag::kMaxCent    ? CDBetrag::kMaxCent
                        : nCent < -CDBetrag::kMaxCent ? -CDBetrag::kMaxCent
                                                      : static_cast<long long>(nCent);
    return CDBetrag::FromCent(n, cWaehrung);
}

// a + b by the host's addition; beyond the safe range the cents saturate at the
// end of the amount range instead of overflowing.
CDBetrag AddSaturated(const CDBetrag& a, const CDBetrag& b) {
    if (IsSafe(a) && IsSafe(b)) return a + b;
    return Saturated(static_cast<Int128>(a.GetCent()) + b.GetCent(), a.GetWaehrung());
}

// (value x rate) x 0.01 by the host's multiplications; a value x rate outside the
// safe range saturates before the second step.
CDBetrag Prozent(const CDBetrag& value, long long nSatz) {
    const Int128 nProd = static_cast<Int128>(value.GetCent()) * nSatz;
    const CDBetrag mal = (nProd >= kSafeCent || nProd <= -kSafeCent)
                             ? Saturated(nProd, value.GetWaehrung())
                             : CDBetrag(value * static_cast<double>(nSatz));
    return mal * 0.01;
}

// The fourteen tab-separated texts of a bloc; the last takes whatever follows.
void SplitTexte(const CString& strTexte, CString* apText[kBlocTexte]) {
    std::size_t nStart = 0;
    for (int i = 0; i < kBlocTexte; ++i) {
        const std::size_t nTab = i + 1 < kBlocTexte ? strTexte.find('\t', nStart) : CString::npos;
        *apText[i] = nStart > strTexte.size() ? CString() : strTexte.substr(nStart, nTab - nStart);
        nStart = nTab == CString::npos ? strTexte.size() + 1 : nTab + 1;
    }
}

bool SameInvoice(const CString& strNrA, const CString& strRechNrA, const CString& strNrB,
                 const CString& strRechNrB) {
    return strNrA == strNrB && (strRechNrA.empty() || strRechNrA == strRechNrB);
}

// The sum text without its currency letter times a rate in two-decimal form
// ("7" = 0.07), as an amount text.
CString UstAus(const CString& strSumme, const char* pszSatz) {
    const CString strProdukt =
        GetMidStr(strSumme, 0, 1) + GlabMulFix2(GetMidStr(strSumme, 1), pszSatz);
    return GlabAddBetrag(strProdukt, "");
}

} // namespace

template <class Self, class Other> void CGlabRech::Assign(Self& self, Other&& other) {
    self.m_strNr = std::forward<Other>(other).m_strNr;
    self.m_strText2 = std::forward<Other>(other).m_strText2;
    self.m_strRechNr = std::forward<Other>(other).m_strRechNr;
    self.m_nStatus = other.m_nStatus;
    self.m_strText5 = std::forward<Other>(other).m_strText5;
    self.m_strText6 = std::forward<Other>(other).m_strText6;
    self.m_strText7 = std::forward<Other>(other).m_strText7;
    self.m_strText8 = std::forward<Other>(other).m_strText8;
    self.m_strText9 = std::forward<Other>(other).m_strText9;
    self.m_strText10 = std::forward<Other>(other).m_strText10;
    self.m_strText11 = std::forward<Other>(other).m_strText11;
    self.m_strText12 = std::forward<Other>(other).m_strText12;
    self.m_strText13 = std::forward<Other>(other).m_strText13;
    self.m_strText14 = std::forward<Other>(other).m_strText14;
    self.m_strText15 = std::forward<Other>(other).m_strText15;
    self.m_strText16 = std::forward<Other>(other).m_strText16;
    self.m_strText17 = std::forward<Other>(other).m_strText17;
    self.m_strText18 = std::forward<Other>(other).m_strText18;
    self.m_TechnLst = other.m_TechnLst;
    self.m_Material = other.m_Material;
    self.m_Metall = other.m_Metall;
    self.m_Betrag4 = other.m_Betrag4;
    self.m_MwSt = other.m_MwSt;
    self.m_Netto = other.m_Netto;
    self.m_Brutto = other.m_Brutto;
    self.m_LstAlle = other.m_LstAlle;
    self.m_LstOhneMwSt = other.m_LstOhneMwSt;
    self.m_LstMitMwSt = other.m_LstMitMwSt;
    self.m_Lst7 = other.m_Lst7;
    self.m_Lst16 = other.m_Lst16;
    self.m_nFlag1 = other.m_nFlag1;
    self.m_mapMwStGruppen = std::forward<Other>(other).m_mapMwStGruppen;
    self.m_itMwStGruppe = self.m_mapMwStGruppen.end();
    self.m_nFlag2 = other.m_nFlag2;
}

CGlabRech::CGlabRech(const CGlabRech& other) {
    Assign(*this, other);
}
CGlabRech::CGlabRech(CGlabRech&& other) noexcept {
    Assign(*this, std::move(other));
}

CGlabRech& CGlabRech::operator=(const CGlabRech& other) {
    if (this != &other) Assign(*this, other);
    return *this;
}

CGlabRech& CGlabRech::operator=(CGlabRech&& other) noexcept {
    if (this != &other) Assign(*this, std::move(other));
    return *this;
}

void CGlabRech::MoveGLBloc(CZGLBloc& rs) {
    m_strNr = rs.m_strNr;
    m_strRechNr = rs.m_strRechNr;
    if (rs.m_strStatus == "0") m_nStatus = 0;
    if (rs.m_strStatus == "1" || rs.m_strStatus == "t") m_nStatus = 1;
    CString* apText[kBlocTexte] = {&m_strText5,  &m_strText6,  &m_strText7,  &m_strText8,
                                   &m_strText9,  &m_strText10, &m_strText11, &m_strText12,
                                   &m_strText13, &m_strText14, &m_strText15, &m_strText16,
                                   &m_strText17, &m_strText18};
    SplitTexte(rs.m_strTexte, apText);
    const CString& strListe = rs.m_strBetraege;
    m_TechnLst = GlabListBetrag(GetBetrag(strListe, 0));
    m_Material = GlabListBetrag(GetBetrag(strListe, 1));
    m_Metall = GlabListBetrag(GetBetrag(strListe, 2));
    m_Betrag4 = GlabListBetrag(GetBetrag(strListe, 3));
    m_MwSt = GlabListBetrag(rs.m_strMwSt);
    if (m_Betrag4.IsEmpty()) m_Betrag4 = CVzW7Betrag("e         0");
    m_Brutto = GlabListBetrag("e" + GetGesamtBetragBrutto(strListe));
    m_Netto = m_Brutto - m_MwSt;
}

CString CGlabRech::GetBetrag(const CString& strBetraege, int nIndex) {
    if (nIndex < 0 || nIndex > std::numeric_limits<int>::max() / kFeldBloc) return {};
    return RemoveBlanks(GetMidStr(strBetraege, nIndex * kFeldBloc, kFeldBloc));
}

CString CGlabRech::GetGesamtBetragBrutto(const CString& strBetraege) {
    return CGlabFakt::GetGesamtBetrag(strBetraege);
}

void CGlabRech::GetGesamtUst(CString& strUst7, CString& strUstAllg, const CString& strRechNr,
                             const CString& strNr) {
    CZGLBlocEntry* pEntry = CAutoRSet<CZGLBlocEntry>::GetRSet(1, false);
    pEntry->m_strNr = strNr;
    pEntry->m_strRechNr = strRechNr;
    pEntry->m_strPos.clear();
    CString strSumme7, strSummeAllg;
    // From the key on, Next runs on into the following invoices: the entries of
    // this invoice end where the key changes.
    for (int rc = pEntry->GetByK1(CTKRSet::kFromKey);
         rc == CTKRSet::kOk && pEntry->m_strNr == strNr && pEntry->m_strRechNr == strRechNr;
         rc = pEntry->Next()) {
        const CString& strCode = pEntry->m_strMwStCode;
        if (strCode != "7" && strCode != "g") continue;
        const CString& strPreis = pEntry->m_strPreis;
        const CString strZeile =
            GetMidStr(strPreis, 0, 1) + GlabMulFix2(GetMidStr(strPreis, 1), pEntry->m_strMenge);
        CString& strSumme = strCode == "7" ? strSumme7 : strSummeAllg;
        strSumme = GlabAddBetrag(strSumme, strZeile);
    }
    if (strSumme7.empty()) strSumme7 = "e      0";
    if (strSummeAllg.empty()) strSummeAllg = "e      0";
    strUst7 = UstAus(strSumme7, "7");
    strUstAllg = UstAus(strSummeAllg, "16");
    CAutoRSet<CZGLBlocEntry>::ReleaseRSet(pEntry);
}

void CGlabRech::MwStSum(CGlabRechLst& block, int nSatz) {
    for (m_itMwStGruppe = m_mapMwStGruppen.begin(); m_itMwStGruppe != m_mapMwStGruppen.end();
         ++m_itMwStGruppe) {
        const CString& strKey = m_itMwStGruppe->first;
        const std::size_t nBar = strKey.rfind('|');
        if (nBar == CString::npos || nBar == 0) continue;
        const long long nGruppenSatz = LeadingInt(strKey.substr(nBar + 1));
        if (nSatz != -1 && nSatz != nGruppenSatz) continue;
        block.m_MwSt = AddSaturated(block.m_MwSt, Prozent(m_itMwStGruppe->second, nGruppenSatz));
    }
    block.m_Brutto = AddSaturated(block.m_Netto, block.m_MwSt);
}

void CGlabRech::BerechneMwStSummen() {
    MwStSum(m_LstAlle, -1);
    MwStSum(m_LstMitMwSt, -1);
    m_LstOhneMwSt.m_Brutto = m_LstOhneMwSt.m_Netto;
    MwStSum(m_Lst7, 7);
    MwStSum(m_Lst16, 16);
}

bool CGlabRech::operator==(const CGlabRech& other) const {
    return SameInvoice(m_strNr, m_strRechNr, other.m_strNr, other.m_strRechNr);
}

bool CGlabRech::operator==(const CZGLBloc& rs) const {
    return SameInvoice(m_strNr, m_strRechNr, rs.m_strNr, rs.m_strRechNr);
}
