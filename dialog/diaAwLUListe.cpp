// The list of the lab-turnover dialog: which invoices become rows, the columns of
// the two views, and sorting.
#include "dialog/LUColumns.h"
#include "dialog/LURowBuilder.h"
#include "dialog/diaAwLU.h"
#include "host/HostServices.h"
#include "host/TextUtil.h"
#include "host/VxStrings.h"

#include <utility>

// The progress box lets the application handle input while a long list is built.
// A tab, owner or marking command then would rebuild or change the list under the
// running build, so the window takes no input until the list stands; the box's
// "Abbrechen" ends the build early.
bool CdiaAwLU::FillDataFromAccu(std::vector<CLULabRech>& vecRecords) {
    if (m_bListeInArbeit) return false;
    m_bListeInArbeit = true;
    BlockInput(true);
    const bool bResult = RebuildList(vecRecords);
    BlockInput(false);
    m_bListeInArbeit = false;
    return bResult;
}

bool CdiaAwLU::RebuildList(std::vector<CLULabRech>& vecRecords) {
    ShowConrols();
    if (m_nSelectedTab == kTabRanking) {
        DisplayRanking(vecRecords);
        return true;
    }
    m_vecRows.clear();
    m_matListe.Clear();
    if (vecRecords.empty()) {
        m_nRowCount = 0;
        DisableMangelsMasse();
        return false;
    }
    const bool bProgress = vecRecords.size() > static_cast<std::size_t>(kProgressAb);
    if (bProgress) VxOpenProgressBox("Bitte ein wenig Geduld...");
    const bool bVollstaendig = BuildRows(vecRecords, bProgress);
    DisableMangelsMasse();
    if (bProgress) VxCloseProgressBox();
    m_sort.SetVectorIndizesToMatrix();
    DoSort(kColDatum, true);
    if (m_bFirstFill) {
        DoCheckSession();
        m_bFirstFill = false;
    } else {
        for (int nRow = 0; nRow < m_nRowCount; ++nRow)
            SetIndexCheck(nRow);
        BerechneSummen();
    }
    if (m_nRowCount > 0) m_lvListe.SetSelectedIndex(0);
    if (!bVollstaendig) MeldeAbbruch(static_cast<long>(vecRecords.size()));
    return true;
}

void CdiaAwLU::MeldeAbbruch(long nRecords) {
    HaltI(kVxStrLaborumsatz,
          Format("Der Aufbau der Liste wurde abgebrochen. Die Liste ist unvollst\xE4ndig: sie "
                 "zeigt %d Zeilen aus einem Teil der %ld Rechnungen, die Summen gelten nur "
                 "f\xFCr diese Zeilen.",
                 m_nRowCount, nRecords));
}

// False when the user cancelled in the progress box; the rows built so far stay.
bool CdiaAwLU::BuildRows(std::vector<CLULabRech>& vecRecords, bool bProgress) {
    CString strMandant;
    DoGetMember(m_cbMandant, m_matMandant, strMandant, 0);
    const int nMask = m_Settings.GetStornoLabRech() ? m_Settings.GetCheckedStornoTypen() : 0;
    LURowContext ctx;
    ctx.nTab = m_nSelectedTab;
    ctx.bBezahlt = m_bBezahlt;
    ctx.bFiktiv = m_bFiktiv;
    ctx.bTechnMat = IsMitTechnMat();
    ctx.cWaehrung = m_cWaehrung;
    ctx.pSettings = &m_Settings;
    const long nTotal = static_cast<long>(vecRecords.size());
    int nRow = -1;
    bool bVollstaendig = true;
    for (long i = 0; i < nTotal && bVollstaendig; ++i) {
        CLULabRech& r = vecRecords[i];
        if (GetContinueIfNotDisplayStorno(nMask, r)) continue;
        if (bProgress && !VxUpdateProgressBox2(i, nTotal)) bVollstaendig = false;
        if (!strMandant.empty() && strMandant != r.m_strMandant) continue;
        if (m_nSelectedTab < 0 || m_nSelectedTab > 6) continue;
        CLULabRechLst& b = r.Block(m_nSelectedTab);
        if (!b.m_bBelegt) continue;
        BuildLURow(m_matListe, nRow, r, b, r.m_nStornoTyp, ctx);
        m_vecRows.push_back({0, static_cast<std::int32_t>(i)});
    }
    m_nRowCount = nRow + 1;
    return bVollstaendig;
}

// Cancelled invoices are listed by the settings' mask of cancellation types, or
// all of them in the list of cancelled invoices.
bool CdiaAwLU::GetContinueIfNotDisplayStorno(int nMask, const CLULabRech& r) const {
    if (r.m_strStornoDatum.empty() || m_bStorniert) return false;
    switch (r.m_nStornoTyp) {
    case kStornoDavor:
        return !(nMask & kStornoMaskDavor);
    case kStornoImZeitraum:
        return !(nMask & kStornoMaskImZeitraum);
    case kStornoDanach:
        return !(nMask & kStornoMaskDanach);
    default:
        return true;
    }
}

// The columns stay, with the widths the user gave them, while the view stays.
void CdiaAwLU::DefineView(int nView) {
    if (nView == m_nAktView) return;
    m_lvListe.ClearColumns();
    m_vecColumnMap.clear();
    m_lvListe.AddCheckBoxColumn("", kColCheck, "");
    m_vecColumnMap.push_back(-1);
    m_nAktView = nView;
    const bool bStorno = m_bStorniert || m_Settings.GetStornoLabRech();
    for (const LUColumn& col : LUViewColumns(nView, m_Settings.GetMitPatName(), bStorno))
        DoAddTextBlockColumn(col.strTitle, col.nMatrixCol, col.eAlign, col.strToolTip);
}

void CdiaAwLU::DoAddTextBlockColumn(const CString& strTitle, int nMatrixCol,
                                    TKHorizontalAlignment eAlign, const CString& strToolTip) {
    m_lvListe.AddTextBlockColumn(strTitle, nMatrixCol, eAlign, strToolTip);
    m_vecColumnMap.push_back(nMatrixCol);
}

void CdiaAwLU::OnHeaderClickList(CWPFRoutedEvent& event) {
    if (m_bListeInArbeit) return;
    const int k = event.GetGridViewColumnHeaderClickCol();
    if (k > 0 && k < static_cast<int>(m_vecColumnMap.size()) && m_vecColumnMap[k] != -1)
        DoSort(m_vecColumnMap[k], false);
}

// Sorts the matrix and carries the order over to the row entries.
void CdiaAwLU::DoSort(int nMatrixCol, bool bInitial) {
    if (nMatrixCol == -1) return;
    if (bInitial)
        m_sort.SortMatrix(nMatrixCol, true, -1, true);
    else if (nMatrixCol == kColRechNr)
        m_sort.SortMatrix(kColRechNr, true, kColPatNr, true);
    else
        m_sort.SortMatrixForClickedHeader(nMatrixCol);
    m_sort.SortVectorLikeMatrix([this](int a, int b) { std::swap(m_vecRows[a], m_vecRows[b]); });
}
