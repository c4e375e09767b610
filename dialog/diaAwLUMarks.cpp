// Marks of the lab-turnover list and the sums of the marked rows. A mark lives in
// its invoice (m_bMarkiert), so it survives refills, tab and owner changes; the
// check-box cell only shows it.
#include "dialog/LURowBuilder.h"
#include "dialog/diaAwLU.h"

#include <algorithm>

namespace {
const char* CheckText(bool b) {
    return b ? "True" : "False";
}
} // namespace

void CdiaAwLU::OnUnSelect() {
    if (!GetIsEnabled(TKAlleMarkieren) || m_bListeInArbeit) return;
    m_bCheckAll = !m_bCheckAll;
    DoCheckSession();
}

void CdiaAwLU::DoCheckSession() {
    for (int nRow = 0; nRow < static_cast<int>(m_vecRows.size()); ++nRow)
        Record(nRow).m_bMarkiert = m_bCheckAll;
    if (m_bCheckAll)
        DoCheckAll();
    else
        DoUnCheckAll();
    BerechneSummen();
}

void CdiaAwLU::DoCheckAll() {
    for (int nRow = 0; nRow < static_cast<int>(m_vecRows.size()); ++nRow)
        if (Record(nRow).m_bMarkiert) m_matListe[nRow][kColCheck] = "True";
}

void CdiaAwLU::DoUnCheckAll() {
    for (int nRow = 0; nRow < static_cast<int>(m_vecRows.size()); ++nRow)
        if (!Record(nRow).m_bMarkiert) m_matListe[nRow][kColCheck] = "False";
}

void CdiaAwLU::SetIndexCheck(int nRow) {
    m_matListe[nRow][kColCheck] = CheckText(Record(nRow).m_bMarkiert);
}

void CdiaAwLU::SetCheckIndex(int nRow, bool bMarked) {
    m_matListe[nRow][kColCheck] = CheckText(bMarked);
    Record(nRow).m_bMarkiert = bMarked;
}

void CdiaAwLU::DoCheckIndex(int nRow) {
    Record(nRow).m_bMarkiert = m_matListe[nRow][kColCheck] == "True";
}

// Only the check box sets marks: a click on its cell in a row of a multiple
// selection gives every selected row the clicked row's new state. A click on any
// other cell merely selects.
void CdiaAwLU::OnOnClickCheckTklistboxLu(CWPFRoutedEvent& event) {
    if (m_bListeInArbeit) return;
    int nRow = -1, nCol = -1;
    if (!event.GetClickRowAndCol(m_matListe, nRow, nCol) || nCol != kColCheck) return;
    if (nRow < 0 || nRow >= static_cast<int>(m_vecRows.size())) return;
    std::vector<int> vecSelected;
    m_lvListe.GetSelectedItems(vecSelected);
    std::vector<std::pair<int, bool>> vecBefore; // rows and their marks before the click
    if (std::find(vecSelected.begin(), vecSelected.end(), nRow) != vecSelected.end()) {
        const bool bState = m_matListe[nRow][kColCheck] == "True";
        for (const int nSel : vecSelected) {
            vecBefore.emplace_back(nSel, Record(nSel).m_bMarkiert);
            if (nSel == nRow)
                DoCheckIndex(nRow);
            else
                SetCheckIndex(nSel, bState);
        }
    } else {
        vecBefore.emplace_back(nRow, Record(nRow).m_bMarkiert);
        DoCheckIndex(nRow);
    }
    ApplyMarkChanges(vecBefore);
}

// The sums change by the rows whose mark changed; adding up the whole list again
// gives the same sums, but takes too long for a click in a long list.
void CdiaAwLU::ApplyMarkChanges(const std::vector<std::pair<int, bool>>& vecBefore) {
    if (vecBefore.size() * 4 > m_vecRows.size()) {
        BerechneSummen();
        return;
    }
    const bool bTechnMat = IsMitTechnMat();
    for (const auto& [nRow, bBefore] : vecBefore) {
        const CLULabRech& r = Record(nRow);
        if (r.m_bMarkiert != bBefore)
            AddLUZeile(m_Summen, r, m_nSelectedTab, bTechnMat, r.m_bMarkiert ? 1 : -1);
    }
    ShowSummen();
}

void CdiaAwLU::BerechneSummen() {
    m_Summen = BerechneLUSummen(m_Sum.m_vecLabRech, m_vecRows, m_nSelectedTab, IsMitTechnMat());
    ShowSummen();
}

// DisplaySum may change the sums it shows, so it works on a copy.
void CdiaAwLU::ShowSummen() {
    LUSummen sums = m_Summen;
    DisplaySum(sums);
}

void CdiaAwLU::DisplaySum(LUSummen& sums) {
    if (!IsMitTechnMat()) {
        const auto texts =
            NormalSumTexts(m_nSelectedTab, m_cWaehrung, m_Settings.GetOhneMaterial(), sums);
        for (std::size_t n = 0; n < texts.size(); ++n)
            m_tbSum[n].SetText(texts[n]);
        return;
    }
    LUTechTexts t;
    FormatTechSums(m_nSelectedTab, m_cWaehrung, sums.s, sums.s5, sums.s7, sums.s16, sums.s19, t);
    for (int n = 0; n < 8; ++n)
        m_tbTechSum[n].SetText(t[n]);
    for (int n = 0; n < 4; ++n)
        m_tbTechSum[8 + n].SetText(t[11 + n]);
    m_tbSummeUst.SetText(t[15]);
    m_tbSummeNetto.SetText(t[16]);
    m_tbSummeGesamt.SetText(t[17]);
    for (CWPFTKTextBlock* pBlock :
         {&m_tbTechSum[5], &m_tbTechSum[6], &m_tbTechSum[7], &m_tbSummeUst})
        pBlock->SetToolTip(t[18]);
}
