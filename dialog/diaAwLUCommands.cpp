// The commands of the lab-turnover dialog: settings, the row count, and the
// entries of print and the plan call-out (the export: diaAwLUExport.cpp).
#include "dialog/diaAwLU.h"

#include "host/Cp1252.h"
#include "host/HostServices.h"
#include "host/TextUtil.h"
#include "host/VxStrings.h"

#include "core/diaLUConfig.h"

namespace {
constexpr int kConfigGespeichert = 99; // end code of the settings dialog after saving
} // namespace

int CdiaAwLU::ShowConfigDialog() {
    CdiaLUConfig dlg(&m_Settings, this);
    return dlg.DoModal();
}

void CdiaAwLU::OnConfig() {
    if (!GetIsEnabled(TKEinstellungen) || m_bListeInArbeit) return;
    if (ShowConfigDialog() != kConfigGespeichert) return;
    m_bSettingsChanged = true;
    // Title, columns and list follow the new settings at once; the columns are
    // built anew even when the view stays, since the settings choose some of them.
    ShowTitel();
    m_nAktView = -1;
    FillDataFromAccu(m_Sum.m_vecLabRech);
    OnCTRL_N();
}

void CdiaAwLU::OnCTRL_T() {
    CString strText = Format("Anzahl Zeilen: %d", m_nRowCount);
    if (!m_strInfo.empty()) strText += "\n" + m_strInfo;
    HaltI(kVxStrLaborumsatz, strText);
}

void CdiaAwLU::OnPrint() {
    NochNichtVerfuegbar("Der Druck");
}

void CdiaAwLU::NochNichtVerfuegbar(const char* szFunktionUtf8) {
    HaltI(kVxStrLaborumsatz,
          Utf8ToCp1252(szFunktionUtf8) + Utf8ToCp1252(" ist noch nicht verfügbar."));
}

bool CdiaAwLU::IsValidLineForCall(long nRow) const {
    return nRow >= 0 && nRow < static_cast<long>(m_vecRows.size()) && m_vecRows[nRow].nArt == 0;
}

CString CdiaAwLU::GetAktuellePatNr() {
    const int nRow = m_lvListe.GetSelectedIndex();
    return IsValidLineForCall(nRow) ? Record(nRow).m_strPatNr : CString();
}

CString CdiaAwLU::GetAktuellePlanNr() {
    const int nRow = m_lvListe.GetSelectedIndex();
    return IsValidLineForCall(nRow) ? Record(nRow).m_strPlanNr : CString();
}

// The call buttons follow the selected row.
void CdiaAwLU::OnSelectionChangedListbox(CWPFRoutedEvent&) {
    if (m_bBusy) return;
    const int nRow = m_lvListe.GetSelectedIndex();
    if (nRow < 0) return;
    const bool bValid = IsValidLineForCall(nRow);
    DisOrEnableCallFunc(bValid);
    if (bValid && Record(nRow).m_strRechNr == "M+L-Rng." && Record(nRow).m_strPlanNr.empty())
        SetIsEnabled(TKPlanOeffnen, false);
    if (m_bFiktiv || m_bStorniert) SetIsEnabled(TKPlanOeffnen, true);
}
