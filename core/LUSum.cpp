#include "core/LUSum.h"

#include "core/LUDefault.h"
#include "host/BehHitLine.h"
#include "host/db/Bill.h"
#include "host/db/ZBeh.h"
#include "host/stat/StatAccu.h"

namespace {

// Record kinds whose bill can hold the liquidation number of lab work (not 5).
constexpr const char* kLiqSatzArten = "12346789";

} // namespace

CLUSum::CLUSum() {
    m_WorkLabRech.Clear();
}

void CLUSum::Init() {
    m_vecLabRech.clear();
    m_WorkLabRech.Clear();
    m_mapLiqNr.clear();
}

void CLUSum::MoveLabRech(const CBehHitLine& hit, const CLUDefault& settings) {
    m_WorkLabRech.Clear();
    const CDBetrag betrag = CLULabRech::AmountWithShare(hit);
    for (auto it = m_vecLabRech.rbegin(); it != m_vecLabRech.rend(); ++it) {
        if (it->Compare(hit, settings)) {
            it->MoveBeh(hit, betrag);
            return;
        }
    }
    m_WorkLabRech.MoveBeh(hit, betrag);
    m_vecLabRech.push_back(m_WorkLabRech);
}

void CLUSum::TestLabRech1(CStatAccu* pAccu, CZBeh* pBeh, CLULabRech& row, bool bOnlyIfEmpty) {
    if (AusKarte(row, bOnlyIfEmpty) || !pAccu || !pBeh) return;
    pBeh->Reset();
    pBeh->m_strPatNr = row.m_strPatNr;
    pBeh->m_strPlanNr = row.m_strPlanNr;
    CString strLeer;
    CString strPlanArten = LiqPlanArten();
    // Records after the one that ends the search are not read.
    for (int rc = pBeh->GetForEvaluate("", "", "", strLeer, strPlanArten, true, false, false, 0, 0);
         rc == 0; rc = pBeh->Next())
        if (PruefeSatz(*pAccu, pBeh->m_strArt, pBeh->m_strBillKey, row, bOnlyIfEmpty)) return;
}

void CLUSum::TestLabRech1(CStatAccu& accu, const std::vector<CLiqSatz>& vecSaetze, CLULabRech& row,
                          bool bOnlyIfEmpty) {
    if (AusKarte(row, bOnlyIfEmpty)) return;
    for (const CLiqSatz& satz : vecSaetze)
        if (PruefeSatz(accu, satz.strArt, satz.strBillKey, row, bOnlyIfEmpty)) return;
}

// Plan kinds whose treatment records carry the bills of lab work, as the
// treatment query expects them: quoted characters separated by commas.
CString CLUSum::LiqPlanArten() {
    CString s;
    for (char c : {'k', 'g', 'p', 'q'})
        s += (s.empty() ? "'" : "','") + CString(1, c);
    return s + "'";
}

bool CLUSum::AusKarte(CLULabRech& row, bool bOnlyIfEmpty) const {
    if (row.m_strLBlockNr.empty() || row.m_strPlanNr.empty()) return true;
    const auto found = m_mapLiqNr.find(row.m_strPatNr + row.m_strPlanNr);
    if (found == m_mapLiqNr.end()) return false;
    if (!(bOnlyIfEmpty && !row.m_strLiqNr.empty())) row.m_strLiqNr = found->second;
    return true;
}

bool CLUSum::PruefeSatz(CStatAccu& accu, const CString& strArt, const CString& strBillKey,
                        CLULabRech& row, bool bOnlyIfEmpty) {
    CBill* pBill = accu.GetBill(row.m_strPatNr, strBillKey);
    if (!pBill) return true;
    const char cStatus = pBill->GetStatus();
    const bool bAbgerechnet = pBill->IsAbgerechnet() || cStatus == 'b' || cStatus == 'p';
    // The kind is looked for as a text within the list of kinds.
    if (!bAbgerechnet || CString(kLiqSatzArten).find(strArt) == CString::npos) return false;
    if (pBill->GetLiqNr().empty()) return true;
    if (bOnlyIfEmpty && !row.m_strLiqNr.empty()) return true;
    row.m_strLiqNr = pBill->GetLiqNr();
    m_mapLiqNr[row.m_strPatNr + row.m_strPlanNr] = row.m_strLiqNr;
    return true;
}
