// The frame of the lab-turnover dialog: construction, controls, title, owner,
// technician and tab choice. The list is built in diaAwLUListe.cpp, marks and
// sums in diaAwLUMarks.cpp, the commands in diaAwLUCommands.cpp.
#include "dialog/diaAwLU.h"

#include "dialog/Format2Nk.h"
#include "dialog/LUColumns.h"
#include "dialog/LURowBuilder.h"
#include "host/Cp1252.h"
#include "host/TextUtil.h"
#include "host/gui/WPFEventCall.h"
#include "host/stat/StatAccu.h"

#include <utility>

namespace {

// The help name is the source file's path without its extension.
CString HelpName() {
    CString strPath = __FILE__;
    const std::size_t nDot = strPath.rfind('.');
    return nDot == CString::npos ? strPath : strPath.substr(0, nDot);
}

} // namespace

CdiaAwLU::CdiaAwLU(const CLUSum& sum, CStatAccu* pAccu, CWnd* pParent, bool bLabRech, bool bBezahlt,
                   bool bFiktiv, bool bStorniert, const CString& strPresetTechniker,
                   const CString& strInfo)
    : CdiaWPFAw("VxStatLU/diaAwLU", pAccu, pParent), m_Sum(sum),
      m_strPresetTechniker(strPresetTechniker), m_strInfo(strInfo), m_bLabRech(bLabRech),
      m_bBezahlt(bBezahlt), m_bFiktiv(bFiktiv), m_bStorniert(bStorniert) {
    SetHelpName(HelpName());
    m_sort.Init(m_lvListe, m_matListe, kLUListCols, kLUSortTypes);
}

CdiaAwLU::CdiaAwLU(CLUSum&& sum, CStatAccu* pAccu, CWnd* pParent, bool bLabRech, bool bBezahlt,
                   bool bFiktiv, bool bStorniert, const CString& strPresetTechniker,
                   const CString& strInfo)
    : CdiaAwLU(static_cast<const CLUSum&>(CLUSum()), pAccu, pParent, bLabRech, bBezahlt, bFiktiv,
               bStorniert, strPresetTechniker, strInfo) {
    // The accumulator's rows and maps move; its search index is rebuilt when needed.
    m_Sum.m_vecLabRech = std::move(sum.m_vecLabRech);
    m_Sum.m_mapLiqNr = std::move(sum.m_mapLiqNr);
    m_Sum.m_WorkLabRech = sum.m_WorkLabRech;
}

CdiaAwLU::~CdiaAwLU() = default;

QWidget* CdiaAwLU::OnInitDialog() {
    CdiaWPFAw::OnInitDialog();
    AttachControls();
    RegisterHandlers();
    BindControls();
    CreateRankingTables();
    m_bBusy = true;
    m_bCheckAll = true;
    m_bFirstFill = true;
    m_nMandantIdx = -1;
    ShowTitel();
    m_tabArt.SetSelectedIndex(0);
    m_nSelectedTab = 0;
    FillOwnerAndTechnician();
    FillVecLeb(m_vecLeb);
    ShowConrols();
    FillDataFromAccu(m_Sum.m_vecLabRech);
    m_bBusy = false;
    return nullptr;
}

void CdiaAwLU::AttachControls() {
    m_cbMandant.Attach(this, "TKLCOMBOX_MD");
    m_cbTechniker.Attach(this, "TKLCOMBOX_LE");
    m_lvListe.Attach(this, "UmsatzListe");
    m_tabArt.Attach(this, "TabArt");
    for (std::size_t n = 0; n < m_tbSum.size(); ++n)
        m_tbSum[n].Attach(this, "Sum" + itoc(static_cast<long long>(n) + 1));
    m_tbSummeUst.Attach(this, "SummeUst");
    m_tbSummeNetto.Attach(this, "SummeNetto");
    m_tbSummeGesamt.Attach(this, "SummeGesamt");
    for (std::size_t n = 0; n < m_tbTechSum.size(); ++n)
        m_tbTechSum[n].Attach(this, "TechSum" + itoc(static_cast<long long>(n) + 1));
    m_gbSummenNormal.Attach(this, "SummenNormal");
    m_gbSummenTech.Attach(this, "SummenTech");
    m_gbSummenGesamt.Attach(this, "SummenGesamt");
    m_xgRanking.Attach(this, "XG_RANKING");
}

void CdiaAwLU::RegisterHandlers() {
    m_cbMandant.AddSelectionChangedHandler(CWPFEventCall(this, &CdiaAwLU::OnOnChangeTklcomboxMd));
    m_cbTechniker.AddSelectionChangedHandler(
        CWPFEventCall(this, &CdiaAwLU::OnOnChangeTklcomboxLeb));
    m_tabArt.AddSelectionChangedHandler(CWPFEventCall(this, &CdiaAwLU::OnChangeTab));
    m_lvListe.AddSelectionChangedHandler(CWPFEventCall(this, &CdiaAwLU::OnSelectionChangedListbox));
    m_lvListe.AddClickHandler(CWPFEventCall(this, &CdiaAwLU::OnOnClickCheckTklistboxLu));
    m_lvListe.AddHeaderClickHandler(CWPFEventCall(this, &CdiaAwLU::OnHeaderClickList));
}

void CdiaAwLU::BindControls() {
    m_lvListe.BindMatrix(m_matListe);
    m_lvListe.SetForegroundColumn(kColFarbe);
    m_cbMandant.BindMatrix(m_matMandant, 1);
    m_cbTechniker.BindMatrix2(m_matLeb, 1, 2);
}

void CdiaAwLU::CreateRankingTables() {
    const std::vector<CString> vecCols = {"Id",    "Folge",  "Name", "TechnLst",
                                          "Labor", "Gesamt", "Proz"};
    m_dsRanking.AddTable(m_dtRanking1, "Ranking1");
    m_dsRanking.AddTable(m_dtRanking2, "Ranking2");
    m_dtRanking1.AddColumns(vecCols);
    m_dtRanking2.AddColumns(vecCols);
    m_dtRanking1.SetPrimaryKey("Id");
    m_dsRanking.AddChildRelation("Relation5", m_dtRanking1, m_dtRanking2, "Id", "Id");
    m_xgRanking.BindDataTable(m_dtRanking1);
    m_xgRanking.ExpandAllDetails(1, false, false);
    if (!m_dtRanking1.IsEmpty()) m_xgRanking.SetCurrentIndex(0);
}

void CdiaAwLU::FillOwnerAndTechnician() {
    const CString strMandant = m_pAccu ? m_pAccu->GetMandant() : CString();
    FillMandant(m_vecMandanten, strMandant, m_matMandant, m_cbMandant);
    if (m_matMandant.Count() < 2) m_cbMandant.SetIsEnabled(false);
    FillLeb(m_vecTechniker, m_vecTechnikerIds, m_matLeb, m_cbTechniker, false);
    if (m_strPresetTechniker.empty()) {
        if (m_matLeb.Count() < 2) m_cbTechniker.SetIsEnabled(false);
    } else {
        DoSetMember(m_cbTechniker, m_matLeb, m_strPresetTechniker, 0);
    }
}

void CdiaAwLU::ShowTitel() {
    CString strTitel = "Laborumsatzliste";
    if (m_bBezahlt) {
        strTitel += ", bezahlte Laborrechnungen";
        if (m_Settings.GetMit100PoEA()) strTitel += Utf8ToCp1252(" inkl. 100% Fälle");
    } else if (m_bLabRech) {
        strTitel += m_Settings.GetMitTechnMat() ? ", Laborrechnungen (techn. Material)"
                                                : ", Laborrechnungen";
    } else if (m_bFiktiv) {
        strTitel = "Laborumsatzliste, fiktive Laborrechnungen";
    } else if (m_bStorniert) {
        strTitel = "Laborumsatzliste, stornierte Laborrechnungen";
    } else {
        strTitel += ", Laborleistungen";
    }
    const CString strAb = m_pAccu ? Db2Date(m_pAccu->GetAbDatum()) : CString();
    const CString strBis = m_pAccu ? Db2Date(m_pAccu->GetBisDatum()) : CString();
    strTitel += " (in " + GetWaehrungText() + ") vom " + strAb + " bis " + strBis;
    SetTitle(strTitel);
}

bool CdiaAwLU::IsMitTechnMat() const {
    return m_bLabRech && !m_bBezahlt && !m_bFiktiv && !m_bStorniert &&
           m_Settings.GetLabRechDatumIdx() == 0 && m_Settings.GetMitTechnMat();
}

void CdiaAwLU::ShowConrols() {
    using E = CWPFFrameworkElement;
    if (m_nSelectedTab == kTabRanking) {
        m_lvListe.SetVisibility(E::kHidden);
        m_xgRanking.SetVisibility(E::kVisible);
        m_gbSummenNormal.SetVisibility(E::kCollapsed);
        m_gbSummenTech.SetVisibility(E::kCollapsed);
        m_gbSummenGesamt.SetVisibility(E::kCollapsed);
        return;
    }
    m_lvListe.SetVisibility(E::kVisible);
    m_xgRanking.SetVisibility(E::kHidden);
    const bool bTechnMat = IsMitTechnMat();
    m_gbSummenNormal.SetVisibility(bTechnMat ? E::kCollapsed : E::kVisible);
    m_gbSummenTech.SetVisibility(bTechnMat ? E::kVisible : E::kCollapsed);
    m_gbSummenGesamt.SetVisibility(bTechnMat ? E::kVisible : E::kCollapsed);
    DefineView(bTechnMat ? kMitTechnMat : kOhneTechnMat);
}

void CdiaAwLU::OnOnChangeTklcomboxMd(CWPFRoutedEvent&) {
    if (m_bBusy) return;
    if (m_bListeInArbeit) { // the list being built stays for the owner it was built for
        m_bBusy = true;
        m_cbMandant.SetSelectedIndex(m_nMandantIdx);
        m_bBusy = false;
        return;
    }
    const int nIdx = m_cbMandant.GetSelectedIndex();
    if (nIdx == m_nMandantIdx) return;
    m_nMandantIdx = nIdx;
    if (nIdx >= 0) FillDataFromAccu(m_Sum.m_vecLabRech);
}

void CdiaAwLU::OnOnChangeTklcomboxLeb(CWPFRoutedEvent&) {
    if (m_bBusy || m_bListeInArbeit) return;
    m_bTechnikerChanged = true;
    DoGetMember(m_cbTechniker, m_matLeb, m_strTechniker, 0);
    EndDialog(kEndTechniker);
}

void CdiaAwLU::OnChangeTab(CWPFRoutedEvent&) {
    if (m_bBusy) return;
    if (m_bListeInArbeit) { // the tab of the list being built stays selected
        m_bBusy = true;
        m_tabArt.SetSelectedIndex(m_nSelectedTab);
        m_bBusy = false;
        return;
    }
    const int nTab = m_tabArt.GetSelectedIndex();
    if (nTab == m_nSelectedTab) return;
    m_nSelectedTab = nTab;
    FillDataFromAccu(m_Sum.m_vecLabRech);
}

CString CdiaAwLU::GetFirstMdId() const {
    for (const LURowEntry& entry : m_vecRows) {
        const CLULabRech& r = m_Sum.m_vecLabRech[entry.nIndex];
        if (entry.nArt == 0 && !r.m_strMandant.empty()) return r.m_strMandant;
    }
    return {};
}

void CdiaAwLU::DisableMangelsMasse() {
    const bool bEnable = !m_vecRows.empty();
    DisOrEnableKnoepfe(bEnable);
    DisOrEnableCallFunc(bEnable);
}

void CdiaAwLU::DisOrEnableKnoepfe(bool bEnable) {
    SetIsEnabled(TKDrucken, bEnable);
    SetIsEnabled(TKAlleMarkieren, bEnable);
}

void CdiaAwLU::DisOrEnableCallFunc(bool bEnable) {
    SetIsEnabled(TKZeilenAnzahl, bEnable);
    SetIsEnabled(TKExport, bEnable);
    SetIsEnabled(TKPlanOeffnen, bEnable);
}

CString CdiaAwLU::Format2Nk(const CDBetrag& betrag, char cWaehrung) {
    return ::Format2Nk(betrag, cWaehrung);
}

void CdiaAwLU::FormatTechSums(int nTab, char cWaehrung, CLULabRechLst& s, CLULabRechLst& s5,
                              CLULabRechLst& s7, CLULabRechLst& s16, CLULabRechLst& s19,
                              LUTechTexts& t) {
    ::FormatTechSums(nTab, cWaehrung, s, s5, s7, s16, s19, t);
}
