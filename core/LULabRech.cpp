#include "core/LULabRech.h"

#include "core/LUDefault.h"
#include "host/BehHitLine.h"
#include "host/LabBetrag.h"
#include "host/TextUtil.h"
#include "host/db/Database.h"
#include "host/db/TKRSet.h"
#include "host/db/ZFakt.h"
#include "host/db/ZLBlockEntry.h"

#include <algorithm>
#include <climits>

namespace {

// Percentages are whole numbers; one beyond int is no sensible rate or share.
int ClampInt(long long n) {
    return static_cast<int>(std::clamp<long long>(n, INT_MIN, INT_MAX));
}

// The share of a lab-block entry: the text after its first character, "P050" = 50.
int Prozent(const CString& strAnteil) {
    return ClampInt(LeadingInt(GetMidStr(strAnteil, 1)));
}

// The entry's amount x p / 100 when the entry was found, else the hit's amount.
CDBetrag Share(const CBehHitLine& hit, bool bFound, const CString& strAnteil,
               const CString& strBetrag) {
    if (!bFound) return hit.m_Betrag;
    return ((CDBetrag(strBetrag) * Prozent(strAnteil)) / 100.0).ToW(hit.m_Betrag.GetWaehrung());
}

} // namespace

// The hit's amount replaced by the share of its lab-block entry, when the hit names
// one that exists: entry amount x p / 100, p read from the share text after its
// first character.
CDBetrag CLULabRech::AmountWithShare(const CBehHitLine& hit) {
    if (hit.m_strPatNr.empty() || hit.m_strPlanNr.empty() || hit.m_strLBlockNr.empty() ||
        hit.m_strLBlockEntryNr.empty())
        return hit.m_Betrag;
    if (hit.m_nEntry != 0)
        return Share(hit, hit.m_nEntry > 0, hit.m_strEntryAnteil, hit.m_strEntryBetrag);
    if (!dbDatabaseRO.IsOpen()) return hit.m_Betrag;
    CZLBlockEntry* pEntry = CAutoRSet<CZLBlockEntry>::GetRSet(1, false);
    pEntry->m_strPatNr = hit.m_strPatNr;
    pEntry->m_strPlanNr = hit.m_strPlanNr;
    pEntry->m_strLBlockNr = hit.m_strLBlockNr;
    pEntry->m_strEntryNr = hit.m_strLBlockEntryNr;
    const bool bFound = pEntry->GetByK1(0) == 0;
    const CDBetrag betrag = Share(hit, bFound, pEntry->m_strAnteil, pEntry->m_strBetrag);
    CAutoRSet<CZLBlockEntry>::ReleaseRSet(pEntry);
    return betrag;
}

void CLULabRech::Clear() {
    for (int i = 0; i < 7; ++i)
        Block(i).Clear();
    for (CString* s :
         {&m_strPatNr, &m_strPlanNr, &m_strLiqNr, &m_strLabRechNr, &m_strLBlockNr, &m_strZusatzKey,
          &m_strLstDatum, &m_strRechDatum, &m_strDatumAlt, &m_strZusatzText, &m_strRechNr,
          &m_strFortlRgNr, &m_strMandant, &m_strTechniker, &m_strPatName, &m_strStornoDatum})
        s->clear();
    m_cPlanArt = 0;
    m_bMarkiert = false;
    m_bFlag2 = false;
    m_vecMwStGruppen.clear();
    m_nStornoTyp = kStornoDanach;
}

CLULabRechLst& CLULabRech::Block(int nView) {
    switch (nView) {
    case 1:
        return m_LstMitMwSt;
    case 2:
        return m_LstOhneMwSt;
    case 3:
        return m_Lst5;
    case 4:
        return m_Lst7;
    case 5:
        return m_Lst16;
    case 6:
        return m_Lst19;
    default:
        return m_LstAlle;
    }
}

const CLULabRechLst& CLULabRech::Block(int nView) const {
    return const_cast<CLULabRech*>(this)->Block(nView);
}

CLULabRechLst* CLULabRech::RateBlock(int nSatz) {
    switch (nSatz) {
    case 5:
        return &m_Lst5;
    case 7:
        return &m_Lst7;
    case 16:
        return &m_Lst16;
    case 19:
        return &m_Lst19;
    default:
        return nullptr;
    }
}

void CLULabRech::MoveBeh(const CBehHitLine& hit) {
    MoveBeh(hit, AmountWithShare(hit));
}

void CLULabRech::MoveBeh(const CBehHitLine& hit, const CDBetrag& betrag) {
    m_strMandant = hit.m_strMandant;
    m_strPatNr = hit.m_strPatNr;
    m_strLstDatum = hit.m_strDatum;
    m_strPlanNr = hit.m_strPlanNr;
    m_strTechniker = hit.m_strTechniker;
    m_cPlanArt = static_cast<signed char>(hit.m_cFlag1);
    m_strLBlockNr = hit.m_strLBlockNr;
    m_strLiqNr = hit.m_strLiqNr1;
    if (!hit.m_strLiqNr2.empty()) {
        if (hit.m_strDatum > m_strRechDatum && hit.m_strDatum <= GetTKDate())
            m_strRechDatum = hit.m_strDatum;
        m_strLiqNr = hit.m_strLiqNr2;
    }
    m_strLabRechNr = hit.m_strLabRechKey;
    if (betrag.SameAs(hit.m_Betrag)) {
        MoveLabLstBetrag(hit);
    } else {
        CBehHitLine shared = hit;
        shared.m_Betrag = betrag;
        MoveLabLstBetrag(shared);
    }
    m_strPatName = hit.m_strPatName;
}

void CLULabRech::MoveLabLstBetrag(const CBehHitLine& hit) {
    m_LstAlle.MoveLabLstBetrag(hit);
    if (hit.m_nMwStSatz == 0) {
        m_LstOhneMwSt.MoveLabLstBetrag(hit);
        return;
    }
    m_LstMitMwSt.MoveLabLstBetrag(hit);
    AddMwStGruppe(hit);
    if (CLULabRechLst* pRate = RateBlock(hit.m_nMwStSatz)) pRate->MoveLabLstBetrag(hit);
}

void CLULabRech::AddMwStGruppe(const CBehHitLine& hit) {
    const CString strKey =
        m_strPlanNr + m_strLBlockNr + (hit.IsFlag2Set() ? "1" : "0") + "|" + itoc(hit.m_nMwStSatz);
    for (auto& [key, betrag] : m_vecMwStGruppen) {
        if (key == strKey) {
            betrag += hit.m_Betrag;
            return;
        }
    }
    m_vecMwStGruppen.emplace_back(strKey, hit.m_Betrag);
}

void CLULabRech::MoveLabLstBetrag(const CBehHitLine& hit, const LabBetrag& lab) {
    m_LstAlle.MoveLabLstBetrag(hit, lab);
    if (m_LstAlle.m_MwSt.IsZero()) {
        m_LstOhneMwSt.MoveLabLstBetrag(hit, lab);
        return;
    }
    m_LstMitMwSt.MoveLabLstBetrag(hit, lab);
    if (CLULabRechLst* pRate = RateBlock(hit.m_nMwStSatz)) pRate->MoveLabLstBetrag(hit, lab);
}

void CLULabRech::BerechneMwStSummen() {
    MwStSum(m_LstAlle, -1);
    MwStSum(m_LstMitMwSt, -1);
    m_LstOhneMwSt.m_Brutto = m_LstOhneMwSt.m_Netto;
    MwStSum(m_Lst5, 5);
    MwStSum(m_Lst7, 7);
    MwStSum(m_Lst16, 16);
    MwStSum(m_Lst19, 19);
}

// VAT per group on the group's net sum, not per hit.
void CLULabRech::MwStSum(CLULabRechLst& block, int nSatz) {
    for (const auto& [key, betrag] : m_vecMwStGruppen) {
        const auto pos = key.rfind('|');
        if (pos == CString::npos || pos == 0) continue;
        const long long r = LeadingInt(key.substr(pos + 1));
        if (nSatz == -1 || nSatz == r) block.m_MwSt += (betrag * ClampInt(r)) * 0.01;
    }
    block.m_Brutto = block.m_Netto + block.m_MwSt;
}

void CLULabRech::MoveFakt(const CZFakt* pFakt) {
    m_strRechDatum = pFakt->m_strDatum;
    m_strFortlRgNr.clear();
    if (!pFakt->m_strJahr.empty() && !pFakt->m_strLfdNr.empty() && pFakt->m_strJahr > "2019")
        m_strFortlRgNr =
            RemoveBlanks(pFakt->m_strPrefix + "/" + pFakt->m_strLfdNr + "/" + pFakt->m_strJahr);
    CreateRechnungsNr(pFakt->m_strPatRechNr);
}

void CLULabRech::CreateRechnungsNr(const CString& strNr) {
    m_strRechNr = TrimLeft(m_strMandant + "/" + TrimLeft(m_strPatNr) + "/" + TrimLeft(strNr));
}

bool CLULabRech::Compare(const CBehHitLine& hit, const CLUDefault& settings) const {
    const auto cFlag1 = static_cast<signed char>(hit.m_cFlag1);
    if (m_strPatNr != hit.m_strPatNr) return false;
    if (!m_strPlanNr.empty() ? m_strPlanNr != hit.m_strPlanNr : m_cPlanArt != cFlag1) return false;
    if (!m_strLabRechNr.empty() && m_strLabRechNr != hit.m_strLabRechKey) return false;
    if (m_strLiqNr.empty() && m_cPlanArt != cFlag1) return false;
    if (m_strLBlockNr != hit.m_strLBlockNr) return false;
    if (settings.GetStetsLstDatum() && m_strLstDatum != hit.m_strDatum) return false;
    return true;
}

// Not symmetric: the emptiness tests look at this row only.
bool CLULabRech::operator==(const CLULabRech& o) const {
    if (m_strPatNr != o.m_strPatNr) return false;
    if (!m_strPlanNr.empty() ? m_strPlanNr != o.m_strPlanNr : m_cPlanArt != o.m_cPlanArt)
        return false;
    if (!m_strLiqNr.empty() ? m_strLiqNr != o.m_strLiqNr : m_cPlanArt != o.m_cPlanArt) return false;
    if (m_strLBlockNr != o.m_strLBlockNr) return false;
    if (!m_strRechNr.empty() && m_strRechNr != o.m_strRechNr) return false;
    if (!m_strFortlRgNr.empty() && m_strFortlRgNr != o.m_strFortlRgNr) return false;
    if (m_nStornoTyp != o.m_nStornoTyp) return false;
    return m_strZusatzKey == o.m_strZusatzKey;
}
