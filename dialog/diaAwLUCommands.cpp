// The commands of the lab-turnover dialog: settings, the row count, and the
// entries of print and the plan call-out (the export: diaAwLUExport.cpp).
#include "dialog/diaAwLU.h"

#include "host/Cp1252.h"
#include "host/HostServices.h"
#include "host/TextUtil.h"
#include "host/VxStrings.h"

#include "core/diaLUConfig.h"
#include "dialog/LURowBuilder.h"
#include "host/stat/DataPath.h"
#include "host/stat/StatAccu.h"
#include "print/LUPrintLine.h"
#include "print/LUStand.h"
#include "print/PrintLU.h"

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

CString CdiaAwLU::BuildFormattedListboxStringForPrinting(int nRow) {
    LUPrintLineCtx ctx;
    ctx.bTechnMat = IsMitTechnMat();
    ctx.bFiktiv = m_bFiktiv;
    ctx.bMitPatName = m_Settings.GetMitPatName();
    return BuildLUPrintLine(m_matListe, nRow, ctx);
}

// Whether only the marked rows are to print; false when the user cancelled.
bool CdiaAwLU::FrageNurMarkierte(bool& bNurMarkierte) {
    bool bMarkiert = false, bUnmarkiert = false;
    for (int nRow = 0; nRow < static_cast<int>(m_vecRows.size()); ++nRow)
        (Record(nRow).m_bMarkiert ? bMarkiert : bUnmarkiert) = true;
    bNurMarkierte = false;
    if (!bMarkiert) {
        HaltI(Utf8ToCp1252("Keine Laborumsätze markiert..."),
              Utf8ToCp1252("Bitte markieren Sie zuerst die gewünschten Laborumsätze!"));
        return false;
    }
    if (!bUnmarkiert) return true;
    const int nAntwort = SollIchAbbruch(
        Utf8ToCp1252("Markierte Laborumsätze?"),
        Utf8ToCp1252("Möchten Sie eine Liste nur mit den markierten Laborumsätzen erstellen?"));
    if (nAntwort == kAntwortAbbruch) return false;
    bNurMarkierte = nAntwort == kAntwortJa;
    return true;
}

void CdiaAwLU::OnPrint() {
    if (m_vecRows.empty() || m_bListeInArbeit) return;
    bool bNurMarkierte = false;
    if (!FrageNurMarkierte(bNurMarkierte)) return;
    CWPFMatrix<2> matZeilen;
    std::vector<LURowEntry> vecGewaehlt;
    for (int nRow = 0; nRow < static_cast<int>(m_vecRows.size()); ++nRow) {
        if (bNurMarkierte && m_matListe[nRow][kColCheck] != "True") continue;
        vecGewaehlt.push_back(m_vecRows[nRow]);
        matZeilen.SetValue(matZeilen.DoAdd(), 0, BuildFormattedListboxStringForPrinting(nRow));
    }
    if (matZeilen.IsEmpty()) return;
    CPrintLU print(m_Sum, &matZeilen, vecGewaehlt, m_pAccu, this, &m_Settings, m_bLabRech,
                   m_bBezahlt, m_bFiktiv, m_bStorniert);
    if (m_pAccu) {
        print.m_strVonDatum = Db2Date(m_pAccu->GetAbDatum());
        print.m_strBisDatum = Db2Date(m_pAccu->GetBisDatum());
        print.m_strMandantName = GetMandantName(m_pAccu->GetMandant());
    }
    print.m_strFirstMdId = GetFirstMdId();
    print.m_nView = m_nSelectedTab;
    print.m_cWaehrung = m_cWaehrung;
    print.m_strStand = LUStandDatum(DataDirName());
    print.SetRanking(&m_dtRanking1, &m_dtRanking2);
    m_strLetzterDruck = print.DruckeLU(true);
}
