// The frame of the commercial-lab dialog: construction, controls, the customer
// combo from the customer and address records, and both filters. The list and
// sorting live in diaAwGlabListe.cpp, marks and totals in diaAwGlabMarks.cpp,
// the journal in diaAwGlabPrint.cpp, the chart in diaAwGlabChart.cpp.
#include "glab/diaAwGlab.h"

#include "host/TextUtil.h"
#include "host/db/ZAdr.h"
#include "host/db/ZGLKu.h"
#include "host/gui/QtText.h"
#include "host/gui/WPFEventCall.h"
#include "host/stat/StatAccu.h"

#include <QComboBox>

namespace {

// One character per column 0 to 13: check and name text, the date, the rest numbers.
constexpr const char* kSortTypen = "13212222222222";
constexpr int kSortSpalten = 14;

// Items of the cancellation filter when the layout brings none.
const char* const kStornoTexte[] = {"nur stornierte", "ohne stornierte", "alle"};

CString HelpName() {
    CString strPath = __FILE__;
    const std::size_t nDot = strPath.rfind('.');
    return nDot == CString::npos ? strPath : strPath.substr(0, nDot);
}

void AppendNonBlank(CString& text, const CString& strTeil) {
    if (!Blank(strTeil)) text += strTeil + " ";
}

} // namespace

CdiaAwGlab::CdiaAwGlab(CGlabSum& sum, CStatAccu* pAccu, CString strLabKu, CWnd* pParent)
    : CdiaWPFAw("vxstatlu/diaAwGlab", pAccu, pParent), m_Sum(sum), m_strLabKu(std::move(strLabKu)) {
    SetHelpName(HelpName());
    m_Sort.Init(m_lvListe, m_matListe, kSortSpalten, kSortTypen);
}

CdiaAwGlab::~CdiaAwGlab() = default;

QWidget* CdiaAwGlab::OnInitDialog() {
    QWidget* pRoot = CdiaWPFAw::OnInitDialog();
    m_bInInit = true;
    SetTitle(GetStatistikTitel());
    FillStornoItems();
    AttachControls();
    RegisterHandlers();
    BindControls();
    DefineColumns();
    SetDefaults();
    m_Sum.m_vecFaktSave = m_Sum.m_vecFakt;
    FillDataFromAccu(m_Sum.m_vecFakt);
    m_bInInit = false;
    if (m_lvListe.GetSelectedIndex() < 0) {
        SetIsEnabled(TKBearbeiten, false);
        SetIsEnabled(TKZeileGewaehlt, false);
    }
    return pRoot;
}

CString CdiaAwGlab::GetStatistikTitel() const {
    const CString strAb = m_pAccu ? Db2Date(m_pAccu->GetAbDatum()) : CString();
    const CString strBis = m_pAccu ? Db2Date(m_pAccu->GetBisDatum()) : CString();
    return CString(kTitel) + " vom " + strAb + " bis " + strBis;
}

// The layout names the filter's items; the combo then shows them from a table.
void CdiaAwGlab::FillStornoItems() {
    m_matStorno.Clear();
    if (auto* pCombo = qobject_cast<QComboBox*>(FindNode("cbStorno"))) {
        for (int n = 0; n < pCombo->count(); ++n)
            m_matStorno.SetValue(m_matStorno.DoAdd(), 0, FromQString(pCombo->itemText(n)));
    }
    if (m_matStorno.Count() != 3) {
        m_matStorno.Clear();
        for (const char* szText : kStornoTexte)
            m_matStorno.SetValue(m_matStorno.DoAdd(), 0, szText);
    }
}

void CdiaAwGlab::AttachControls() {
    m_lvListe.Attach(this, "Liste");
    m_tbAnzTreffer.Attach(this, "AnzTreffer");
    m_tbAnzSelektiert.Attach(this, "AnzSelektiert");
    m_tbSumTech.Attach(this, "SumTech");
    m_tbSumUSt.Attach(this, "SumUSt");
    m_tbSumNetto.Attach(this, "SumNetto");
    m_tbSumMetall.Attach(this, "SumMetall");
    m_tbSumBrutto.Attach(this, "SumBrutto");
    m_tbSumMaterial.Attach(this, "SumMaterial");
    m_cbLaborkunde.Attach(this, "cbLaborkunde");
    m_cbStorno.Attach(this, "cbStorno");
}

void CdiaAwGlab::RegisterHandlers() {
    m_lvListe.AddSelectionChangedHandler(
        CWPFEventCall(this, &CdiaAwGlab::OnSelectionChangedErgebnis));
    m_lvListe.AddClickHandler(CWPFEventCall(this, &CdiaAwGlab::OnClickErgebnis));
    m_lvListe.AddHeaderClickHandler(CWPFEventCall(this, &CdiaAwGlab::OnHeaderClickedErgebnis));
    m_cbLaborkunde.AddSelectionChangedHandler(CWPFEventCall(this, &CdiaAwGlab::OnChangeLabKu));
    m_cbStorno.AddSelectionChangedHandler(CWPFEventCall(this, &CdiaAwGlab::OnChangeStorno));
}

void CdiaAwGlab::BindControls() {
    m_cbLaborkunde.BindMatrix(m_matLabKu, 1);
    m_cbStorno.BindMatrix(m_matStorno, 0);
    m_lvListe.BindMatrix(m_matListe);
    m_lvListe.SetBackgroundColumn(kGlabColHintergrund);
    m_lvListe.SetForegroundColumn(kGlabColVordergrund);
}

void CdiaAwGlab::SetDefaults() {
    FillLabKu();
    m_cbLaborkunde.SetSelectedIndex(0);
    m_cbStorno.SetSelectedIndex(kAlleRechnungen);
}

// The combo lists the customers that have an address: the one the evaluation
// was run for, or "Alle" and every customer.
void CdiaAwGlab::FillLabKu() {
    m_matLabKu.Clear();
    CZGLKu ku(&dbDatabaseRO);
    ku.SetForwardOnly(true);
    const CString strGewaehlt = m_pAccu ? m_pAccu->GetLaborkunde() : CString("alle");
    if (strGewaehlt != "alle") {
        // The selection carries the number right-aligned ("%4d").
        ku.m_strKuNr = Trim(strGewaehlt);
        if (ku.GetByK1(CTKRSet::kExact) != CTKRSet::kOk) return;
        AddLabKuRow(ku.m_strKuNr, ku.m_strAdrId);
        m_cbLaborkunde.SetIsEnabled(false);
        return;
    }
    m_matLabKu.SetValue(m_matLabKu.DoAdd(), 1, "Alle");
    for (int nResult = ku.GetByK1(CTKRSet::kFromKey); nResult == CTKRSet::kOk; nResult = ku.Next())
        AddLabKuRow(ku.m_strKuNr, ku.m_strAdrId);
}

void CdiaAwGlab::AddLabKuRow(const CString& strKuNr, const CString& strAdrId) {
    CZAdr adr(&dbDatabaseRO);
    adr.m_strAdrId = strAdrId;
    if (adr.GetByK1(CTKRSet::kExact) != CTKRSet::kOk) return;
    CString strText = strKuNr + " - ";
    AppendNonBlank(strText, adr.m_strName1);
    AppendNonBlank(strText, adr.m_strName2);
    AppendNonBlank(strText, adr.m_strName3);
    if (!Blank(adr.m_strName4)) strText += adr.m_strName4;
    CString strName;
    AppendNonBlank(strName, adr.m_strName2);
    if (!Blank(adr.m_strName4)) strName += adr.m_strName4;
    const int nRow = m_matLabKu.DoAdd();
    m_matLabKu.SetValue(nRow, 0, strKuNr);
    m_matLabKu.SetValue(nRow, 1, strText);
    m_matLabKu.SetValue(nRow, 2, strName);
}

// Rebuilds the displayed list from the full one by both filters.
void CdiaAwGlab::ChangeView() {
    m_Sum.m_vecFakt.clear();
    // Row 0 is "Alle" or the only customer; no row chosen (the customer of the
    // run is unknown) filters nothing either.
    const int nKunde = m_cbLaborkunde.GetSelectedIndex();
    const CString strKunde = nKunde > 0 ? m_matLabKu.GetValue(nKunde, 0) : CString();
    const int nStorno = m_cbStorno.GetSelectedIndex();
    for (const CGlabFakt& fakt : m_Sum.m_vecFaktSave) {
        if (nKunde > 0 && fakt.m_strLabKu != strKunde) continue;
        if (nStorno == kNurStornierte && !fakt.m_bStorno) continue;
        if (nStorno == kOhneStornierte && fakt.m_bStorno) continue;
        m_Sum.m_vecFakt.push_back(fakt);
    }
    const bool bLeer = m_Sum.m_vecFakt.empty();
    if (m_lvListe.GetSelectedIndex() >= 0 && !bLeer && m_lvListe.GetIsKeyboardFocusWithin()) {
        SetIsEnabled(TKBearbeiten, true);
        SetIsEnabled(TKDrucken, true);
        return;
    }
    SetIsEnabled(TKBearbeiten, false);
    SetIsEnabled(TKDrucken, !bLeer);
}

void CdiaAwGlab::OnChangeLabKu(CWPFRoutedEvent&) {
    if (m_bInInit) return;
    ChangeView();
    FillDataFromAccu(m_Sum.m_vecFakt);
    // The number of the chosen row ("" for "Alle"), whatever its length.
    DoGetMember(m_cbLaborkunde, m_matLabKu, m_strLabKu, 0);
}

void CdiaAwGlab::OnChangeStorno(CWPFRoutedEvent&) {
    if (m_bInInit) return;
    ChangeView();
    FillDataFromAccu(m_Sum.m_vecFakt);
}

// "number - name" of a customer as the combo shows it; the number alone when
// the combo has no such customer.
CString CdiaAwGlab::KundenText(const CString& strKuNr) const {
    const int nRow = strKuNr.empty() ? -1 : m_matLabKu.FindRow(strKuNr, 0);
    return nRow < 0 ? strKuNr : m_matLabKu.GetValue(nRow, 1);
}

CString CdiaAwGlab::KundenName(const CString& strKuNr) const {
    const int nRow = strKuNr.empty() ? -1 : m_matLabKu.FindRow(strKuNr, 0);
    return nRow < 0 ? CString() : m_matLabKu.GetValue(nRow, 2);
}
