// Check marks of the commercial-lab list and the totals of the checked rows. A
// mark lives in the displayed record and in the equal records of the full list;
// check all / none touches the displayed records only.
#include "glab/GlabGesWerte.h"
#include "glab/diaAwGlab.h"

#include "host/TextUtil.h"

#include <algorithm>

namespace {
const char* CheckText(bool b) {
    return b ? "True" : "False";
}
} // namespace

CString CdiaAwGlab::GetSelectedRecs() {
    const int nRows = std::min(m_matListe.Count(), static_cast<int>(m_Sum.m_vecFakt.size()));
    long long nChecked = 0;
    for (int nRow = 0; nRow < nRows; ++nRow)
        if (m_matListe.GetValue(nRow, kGlabColCheck) == "True") ++nChecked;
    SetIsEnabled(TKDrucken, nChecked != 0);
    return itoc(nChecked);
}

void CdiaAwGlab::ShowAnzSelektiert() {
    m_tbAnzSelektiert.SetText(GetSelectedRecs());
}

void CdiaAwGlab::CheckAll() {
    for (int nRow = 0; nRow < m_matListe.Count(); ++nRow)
        m_matListe[nRow][kGlabColCheck] = "True";
    for (CGlabFakt& fakt : m_Sum.m_vecFakt)
        fakt.m_bChecked = true;
    m_bAllChecked = true;
    ShowAnzSelektiert();
    GetGesWerte();
    SetIsEnabled(TKDrucken, true);
}

void CdiaAwGlab::UnCheckAll() {
    for (int nRow = 0; nRow < m_matListe.Count(); ++nRow)
        m_matListe[nRow][kGlabColCheck] = "False";
    for (CGlabFakt& fakt : m_Sum.m_vecFakt)
        fakt.m_bChecked = false;
    m_bAllChecked = false;
    ShowAnzSelektiert();
    GetGesWerte();
    SetIsEnabled(TKDrucken, false);
}

void CdiaAwGlab::CheckByVec() {
    GetCheckedRecs();
    m_bAllChecked = true;
    GetGesWerte();
    SetIsEnabled(TKDrucken, true);
}

void CdiaAwGlab::GetCheckedRecs() {
    const int nRows = std::min(m_matListe.Count(), static_cast<int>(m_Sum.m_vecFakt.size()));
    for (int nRow = 0; nRow < nRows; ++nRow)
        m_matListe[nRow][kGlabColCheck] = CheckText(m_Sum.m_vecFakt[nRow].m_bChecked);
}

void CdiaAwGlab::SetCheck(int nRow, bool bState) {
    if (!IsValidRow(nRow)) return;
    m_matListe[nRow][kGlabColCheck] = CheckText(bState);
    m_Sum.m_vecFakt[nRow].m_bChecked = bState;
    DoCheckInSaveVec(m_Sum.m_vecFakt[nRow], bState);
}

void CdiaAwGlab::DoCheck(int nRow) {
    if (!IsValidRow(nRow)) return;
    const bool bState = m_matListe.GetValue(nRow, kGlabColCheck) == "True";
    m_Sum.m_vecFakt[nRow].m_bChecked = bState;
    DoCheckInSaveVec(m_Sum.m_vecFakt[nRow], bState);
    ShowAnzSelektiert();
    GetGesWerte();
}

void CdiaAwGlab::DoCheckInSaveVec(CGlabFakt& fakt, bool bState) {
    for (CGlabFakt& saved : m_Sum.m_vecFaktSave)
        if (saved == fakt) saved.m_bChecked = bState;
}

void CdiaAwGlab::OnUnSelect() {
    if (m_bAllChecked)
        UnCheckAll();
    else
        CheckAll();
}

// The list view has turned the clicked check box round already. A click into a
// selection of several rows gives them all the clicked row's new state; a click
// on another cell only selects.
void CdiaAwGlab::OnClickErgebnis(CWPFRoutedEvent& event) {
    int nRow = -1, nCol = -1;
    if (!event.GetClickRowAndCol(m_matListe, nRow, nCol) || nCol != kGlabColCheck) return;
    if (!IsValidRow(nRow)) return;
    std::vector<int> vecSelected;
    m_lvListe.GetSelectedItems(vecSelected);
    if (std::find(vecSelected.begin(), vecSelected.end(), nRow) == vecSelected.end()) {
        DoCheck(nRow);
        return;
    }
    // The clicked row last, so that count and totals include every other row.
    const bool bState = m_matListe.GetValue(nRow, kGlabColCheck) == "True";
    for (const int nSel : vecSelected)
        if (nSel != nRow) SetCheck(nSel, bState);
    DoCheck(nRow);
}

void CdiaAwGlab::GetGesWerte() {
    const CGlabGesWerte werte = BerechneGlabGesWerte(m_Sum.m_vecFakt);
    m_tbSumTech.SetText(werte.m_TechnLst.ToExt(6, true));
    m_tbSumMaterial.SetText(werte.m_Material.ToExt(6, true));
    m_tbSumMetall.SetText(werte.m_Metall.ToExt(6, true));
    m_tbSumUSt.SetText(werte.m_MwSt.ToExt(6, true));
    m_tbSumNetto.SetText(werte.Netto().ToExt(6, true));
    m_tbSumBrutto.SetText(werte.m_Brutto.ToExt(6, true));
}
