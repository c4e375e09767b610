#include "core/diaLUConfig.h"

#include "core/LUDefault.h"
#include "host/Cp1252.h"
#include "host/HostServices.h"
#include "host/VxStrings.h"
#include "host/gui/QtText.h"
#include "host/gui/WPFEventCall.h"

#include <QComboBox>

#include <algorithm>

namespace {

using Element = CWPFFrameworkElement;

// Mask bits of CLUDefault::CheckedStornoTypen.
constexpr int kBitTypMinus = 1; // type -1
constexpr int kBitTypNull = 2;  // type 0
constexpr int kBitTypPlus = 4;  // type 1

constexpr int kListeLeistungen = 0;  // by lab services: the service-date option
constexpr int kListeRechnungen = 1;  // lab invoices by the date chosen in "SelDatum"
constexpr int kListeEigenanteil = 2; // offers the 100 % case option
constexpr int kDatumRechnung = 0;    // "SelDatum": invoice date

void Show(Element& element, bool bShow) {
    element.SetVisibility(bShow ? Element::kVisible : Element::kCollapsed);
}

void Collapse(CWPFTKCheckBox& box) {
    box.SetVisibility(Element::kCollapsed);
    box.SetIsChecked(false);
}

void ShowChecked(CWPFTKCheckBox& box, bool bChecked) {
    box.SetVisibility(Element::kVisible);
    box.SetIsChecked(bChecked);
}

// A box the user cannot see is no choice of his, whatever its check mark.
bool Chosen(const CWPFTKCheckBox& box) {
    return box.GetVisibility() != Element::kCollapsed && box.GetIsChecked();
}

// A stored index outside the list falls back to the first entry, so the dialog
// never opens without a selection and never saves "-1".
void SelectOrFirst(CWPFTKLComboBox& combo, int nIndex) {
    combo.SetSelectedIndex(nIndex);
    if (combo.GetSelectedIndex() < 0) combo.SetSelectedIndex(0);
}

int SelectedOrFirst(const CWPFTKLComboBox& combo) {
    return std::max(combo.GetSelectedIndex(), 0);
}

// The entries a layout gives a combo box; binding it to a matrix replaces them.
void TakeLayoutEntries(QWidget* pWidget, CWPFMatrixBase& matrix) {
    matrix.Clear();
    if (auto* pCombo = qobject_cast<QComboBox*>(pWidget))
        for (int i = 0; i < pCombo->count(); ++i)
            matrix[matrix.DoAdd()][0] = FromQString(pCombo->itemText(i));
}

} // namespace

CdiaLUConfig::CdiaLUConfig(CLUDefault* pLUDefault, CWnd* pParent)
    : CWPFVxDialog("vxstatlu/diaLUConfig", pParent), m_pLUDefault(pLUDefault) {
    SetHelpName("diaLUConfig");
}

QWidget* CdiaLUConfig::OnInitDialog() {
    QWidget* pRoot = CWPFVxDialog::OnInitDialog();
    m_bBusy = true;
    AttachControls();
    AttachHandlers();
    FillListeInit();
    SetTitle(Utf8ToCp1252("Konfiguration Laborumsätze"));
    ReadData();
    m_bBusy = false;
    OnChangeCbLstRechInit();
    return pRoot;
}

void CdiaLUConfig::AttachControls() {
    m_chkMitName.Attach(this, "CheckMitName");
    m_cbListeInit.Attach(this, "ListeInit");
    TakeLayoutEntries(FindNode("SelDatum"), m_matSelDatum);
    m_cbSelDatum.Attach(this, "SelDatum");
    m_cbSelDatum.BindMatrix(m_matSelDatum, 0);
    m_chkOhneMaterial.Attach(this, "CheckOhneMaterial");
    m_chkRechNr.Attach(this, "CheckRechNr");
    m_chkStorno.Attach(this, "CheckStorno");
    m_chkStornoTypYes.Attach(this, "CheckStornoTypYes");
    m_chkStornoTypZero.Attach(this, "CheckStornoTypZero");
    m_chkStornoTypNo.Attach(this, "CheckStornoTypNo");
    m_chkMitTechMat.Attach(this, "CheckMitTechMat");
    m_chkMit100PoEA.Attach(this, "CheckMit100PoEA");
    m_chkStetsLstDatum.Attach(this, "CheckStetsLstDatum");
    m_chkMitFestzGeEA.Attach(this, "CheckMitFestzGeEA");
    m_chkFortlRgNr.Attach(this, "CheckFortlRgNr");
}

void CdiaLUConfig::AttachHandlers() {
    using Call = CWPFEventCall<CdiaLUConfig>;
    m_cbListeInit.AddSelectionChangedHandler(Call(this, &CdiaLUConfig::OnChangeCbLstRechInit));
    m_cbSelDatum.AddSelectionChangedHandler(Call(this, &CdiaLUConfig::OnChangeCbLabrechdatum));
    m_chkMitTechMat.AddClickHandler(Call(this, &CdiaLUConfig::OnClickChkMitTechnMat));
    m_chkStorno.AddClickHandler(Call(this, &CdiaLUConfig::OnClickChkStornoLabRech));
}

void CdiaLUConfig::FillListeInit() {
    const int anTexte[] = {kVxStrLuLeistungen, kVxStrLuRechnungen, kVxStrLuBezahlt,
                           kVxStrLuStorniert, kVxStrLuFiktiv};
    m_matListeInit.Clear();
    for (int i = 0; i < 5; ++i) {
        const int nRow = m_matListeInit.DoAdd();
        m_matListeInit[nRow][0] = std::to_string(i);
        m_matListeInit[nRow][1] = VxString(anTexte[i]);
    }
    m_cbListeInit.BindMatrix(m_matListeInit, 1);
}

void CdiaLUConfig::ReadData() {
    const CLUDefault& def = *m_pLUDefault;
    m_chkMitName.SetIsChecked(def.GetMitPatName());
    SelectOrFirst(m_cbListeInit, def.GetLstRechIdx());
    SelectOrFirst(m_cbSelDatum, def.GetLabRechDatumIdx());
    m_chkOhneMaterial.SetIsChecked(def.GetOhneMaterial());
    m_chkRechNr.SetIsChecked(def.GetStetsLabRgNr());
    m_chkStorno.SetIsChecked(def.GetStornoLabRech());
    const int nMask = def.GetCheckedStornoTypen();
    m_chkStornoTypYes.SetIsChecked(nMask & kBitTypMinus);
    m_chkStornoTypZero.SetIsChecked(nMask & kBitTypNull);
    m_chkStornoTypNo.SetIsChecked(nMask & kBitTypPlus);
    m_chkMitTechMat.SetIsChecked(def.GetMitTechnMat());
    m_chkMit100PoEA.SetIsChecked(def.GetMit100PoEA());
    m_chkStetsLstDatum.SetIsChecked(def.GetStetsLstDatum());
    m_chkMitFestzGeEA.SetIsChecked(def.GetMitFestzGeEA());
    m_chkFortlRgNr.SetIsChecked(def.GetMitFortlRgNr());
}

void CdiaLUConfig::WriteData() {
    CLUDefault& def = *m_pLUDefault;
    def.SetMitPatName(Chosen(m_chkMitName));
    def.SetLstRechIdx(SelectedOrFirst(m_cbListeInit));
    def.SetLabRechDatumIdx(SelectedOrFirst(m_cbSelDatum));
    def.SetOhneMaterial(Chosen(m_chkOhneMaterial));
    def.SetStetsLabRgNr(Chosen(m_chkRechNr));
    def.SetStornoLabRech(Chosen(m_chkStorno));
    def.SetMitTechnMat(Chosen(m_chkMitTechMat));
    def.SetMit100PoEA(Chosen(m_chkMit100PoEA));
    def.SetStetsLstDatum(Chosen(m_chkStetsLstDatum));
    def.SetMitFestzGeEA(Chosen(m_chkMitFestzGeEA));
    def.SetMitFortlRgNr(Chosen(m_chkFortlRgNr));
    def.SetCheckedStornoTypen((Chosen(m_chkStornoTypYes) ? kBitTypMinus : 0) |
                              (Chosen(m_chkStornoTypZero) ? kBitTypNull : 0) |
                              (Chosen(m_chkStornoTypNo) ? kBitTypPlus : 0));
    def.WriteParPool();
}

void CdiaLUConfig::OnChangeCbLstRechInit() {
    const CLUDefault& def = *m_pLUDefault;
    m_chkOhneMaterial.SetIsEnabled(true);
    m_chkOhneMaterial.SetIsChecked(def.GetOhneMaterial());
    Show(m_cbSelDatum, false);
    for (CWPFTKCheckBox* pBox : {&m_chkStorno, &m_chkStornoTypYes, &m_chkStornoTypZero,
                                 &m_chkStornoTypNo, &m_chkRechNr, &m_chkMitTechMat})
        Collapse(*pBox);
    for (CWPFTKCheckBox* pBox : {&m_chkMit100PoEA, &m_chkStetsLstDatum, &m_chkMitFestzGeEA})
        Show(*pBox, false);
    ShowChecked(m_chkFortlRgNr, def.GetMitFortlRgNr());

    switch (m_cbListeInit.GetSelectedIndex()) {
    case kListeLeistungen:
        Show(m_chkStetsLstDatum, true);
        break;
    case kListeRechnungen:
        Show(m_cbSelDatum, true);
        OnChangeCbLabrechdatum();
        break;
    case kListeEigenanteil:
        Show(m_chkMit100PoEA, true); // the fixed-subsidy option stays hidden
        break;
    default:
        break;
    }
}

void CdiaLUConfig::OnChangeCbLabrechdatum() {
    const CLUDefault& def = *m_pLUDefault;
    const bool bRechDatum = m_cbSelDatum.GetVisibility() == Element::kVisible &&
                            m_cbSelDatum.GetSelectedIndex() == kDatumRechnung;
    if (bRechDatum) {
        const bool bTechnMat = def.GetMitTechnMat();
        m_chkOhneMaterial.SetIsEnabled(!bTechnMat);
        m_chkOhneMaterial.SetIsChecked(!bTechnMat && def.GetOhneMaterial());
        Collapse(m_chkRechNr);
        ShowChecked(m_chkMitTechMat, bTechnMat);
        ShowChecked(m_chkStorno, def.GetStornoLabRech());
        m_chkStorno.SetContent("stornierte Rechnungen ausgeben?");
        m_chkStorno.SetToolTip("Sollen stornierte Rechnungen ausgegeben werden?");
    } else {
        m_chkOhneMaterial.SetIsEnabled(true);
        m_chkOhneMaterial.SetIsChecked(def.GetOhneMaterial());
        ShowChecked(m_chkRechNr, def.GetStetsLabRgNr());
        Collapse(m_chkMitTechMat);
        ShowChecked(m_chkStorno, def.GetStornoLabRech());
        m_chkStorno.SetContent("stornierte Laborrechnungen ausgeben?");
        m_chkStorno.SetToolTip("Sollen stornierte Laborrechnungen ausgegeben werden?");
    }
    OnClickChkStornoLabRech();
}

void CdiaLUConfig::OnClickChkStornoLabRech() {
    const bool bShow = Chosen(m_chkStorno);
    for (CWPFTKCheckBox* pBox : {&m_chkStornoTypYes, &m_chkStornoTypZero, &m_chkStornoTypNo})
        Show(*pBox, bShow);
    // Without a stored choice the usual case is preset: invoices of the period
    // cancelled after it.
    const int nMask = m_pLUDefault->GetCheckedStornoTypen();
    m_chkStornoTypYes.SetIsChecked(nMask & kBitTypMinus);
    m_chkStornoTypZero.SetIsChecked(nMask & kBitTypNull);
    m_chkStornoTypNo.SetIsChecked(nMask == 0 || (nMask & kBitTypPlus));
}

void CdiaLUConfig::OnClickChkMitTechnMat() {
    const bool bTechnMat = m_chkMitTechMat.GetIsChecked();
    m_chkOhneMaterial.SetIsEnabled(!bTechnMat);
    m_chkOhneMaterial.SetIsChecked(!bTechnMat && m_pLUDefault->GetOhneMaterial());
}

void CdiaLUConfig::OnChangeCbLstRechInit(CWPFRoutedEvent&) {
    if (!m_bBusy) OnChangeCbLstRechInit();
}

void CdiaLUConfig::OnChangeCbLabrechdatum(CWPFRoutedEvent&) {
    if (!m_bBusy) OnChangeCbLabrechdatum();
}

void CdiaLUConfig::OnClickChkStornoLabRech(CWPFRoutedEvent&) {
    if (!m_bBusy) OnClickChkStornoLabRech();
}

void CdiaLUConfig::OnClickChkMitTechnMat(CWPFRoutedEvent&) {
    if (!m_bBusy) OnClickChkMitTechnMat();
}

bool CdiaLUConfig::StornoOhneTyp() const {
    return Chosen(m_chkStorno) && !m_chkStornoTypYes.GetIsChecked() &&
           !m_chkStornoTypZero.GetIsChecked() && !m_chkStornoTypNo.GetIsChecked();
}

void CdiaLUConfig::OnSaveAndExit() {
    if (StornoOhneTyp()) {
        Halt("Konfiguration speichern",
             Utf8ToCp1252("Wenn Sie Stornos anzeigen lassen wollen, müssen Sie mindestens "
                          "einen Stornotyp auswählen!"));
        return;
    }
    WriteData();
    EndDialog(kEndGespeichert);
}

void CdiaLUConfig::OnExit() {
    if (NoChanges()) {
        CWPFVxDialog::OnExit();
        return;
    }
    switch (SollIchAbbruch(kVxStrLaborumsatz, VxString(kVxStrAenderungenSpeichern), 0)) {
    case kAntwortJa:
        OnSaveAndExit();
        break;
    case kAntwortAbbruch:
        break; // stay in the dialog
    default:
        CWPFVxDialog::OnExit();
        break;
    }
}
