#include "host/gui/diaWPFAw.h"

#include "host/Cp1252.h"
#include "host/TextUtil.h"
#include "host/db/ZLeb.h"
#include "host/db/ZMandant.h"
#include "host/gui/WPFTKLComboBox.h"
#include "host/gui/WPFTKLListView.h"
#include "host/stat/StatAccu.h"

#include <QTableView>

namespace {

constexpr const char* kEuroStart = "20020101";

void AddRow(CWPFMatrixBase& matrix, const std::vector<CString>& vecCells) {
    const int nRow = matrix.DoAdd();
    for (int nCol = 0; nCol < static_cast<int>(vecCells.size()); ++nCol)
        matrix[nRow][nCol] = vecCells[nCol];
}

} // namespace

CdiaWPFAw::CdiaWPFAw(const CString& strLayout, CStatAccu* pAccu, CWnd* pParent)
    : CWPFVxDialog(strLayout, pParent), m_pAccu(pAccu) {
    SetButtonCaption(TKSchliessen, Utf8ToCp1252("Schließen")); // nothing to cancel in an evaluation
    const bool bDM = pAccu && !pAccu->GetBisDatum().empty() && pAccu->GetBisDatum() < kEuroStart;
    m_cWaehrung = bDM ? ' ' : 'e';
    if (pAccu) {
        m_vecMandanten = pAccu->m_vecMandanten;
        m_vecTechniker = pAccu->m_vecTechniker;
        m_vecTechnikerIds = pAccu->m_vecTechnikerIds;
    }
}

QWidget* CdiaWPFAw::OnInitDialog() {
    QWidget* pRoot = CWPFVxDialog::OnInitDialog();
    if (m_vecTechnikerIds.empty()) ReadValidTechniker();
    return pRoot;
}

void CdiaWPFAw::ReadValidTechniker() {
    CZLeb leb(&dbDatabaseRO);
    leb.SetForwardOnly(true);
    for (int nResult = leb.GetValidTechnikerLebs(); nResult == CTKRSet::kOk; nResult = leb.Next()) {
        m_vecTechnikerIds.push_back(leb.m_strLebId);
        m_vecTechniker.push_back(
            leb.m_strVorname.empty() ? leb.m_strName : leb.m_strName + ", " + leb.m_strVorname);
    }
}

void CdiaWPFAw::OnCTRL_N() {
    if (!GetDialog()) return;
    for (QTableView* pTable : GetDialog()->findChildren<QTableView*>())
        if (auto* pModel = dynamic_cast<CWPFListModel*>(pTable->model()))
            CWPFTKLListView::FitColumns(*pTable, *pModel, true);
}

void CdiaWPFAw::FillMandant(const std::vector<CString>& vecMandanten, const CString& strMandant,
                            CWPFMatrix<2>& matrix, CWPFTKLComboBox& comboBox) {
    matrix.Clear();
    const auto Display = [this](const CString& strId) {
        const CString strName = GetMandantName(strId);
        return strName.empty() ? strId : strName + " (" + TrimLeft(strId) + ")";
    };
    if (!strMandant.empty()) {
        AddRow(matrix, {strMandant, Display(strMandant)});
    } else {
        if (vecMandanten.size() > 1) AddRow(matrix, {"", "Alle Mandanten"});
        for (const CString& strId : vecMandanten)
            AddRow(matrix, {strId, Display(strId)});
    }
    comboBox.SetSelectedIndex(matrix.IsEmpty() ? -1 : 0);
}

void CdiaWPFAw::FillLeb(const std::vector<CString>& vecNamen, const std::vector<CString>& vecIds,
                        CWPFMatrix<3>& matrix, CWPFTKLComboBox& comboBox, bool bMitAlle) {
    matrix.Clear();
    if (bMitAlle) AddRow(matrix, {"", "Alle Techniker", ""});
    for (std::size_t n = 0; n < vecIds.size(); ++n) {
        const CString strName = n < vecNamen.size() ? vecNamen[n] : GetLebName(vecIds[n]);
        AddRow(matrix, {vecIds[n], strName, "(" + TrimLeft(vecIds[n]) + ")"});
    }
    comboBox.SetPlaceholderText("Alle Techniker");
    comboBox.SetSelectedIndex(bMitAlle ? 0 : -1);
}

CString CdiaWPFAw::GetLebName(const CString& strLebId) {
    const auto it = m_mapLebNamen.find(strLebId);
    if (it != m_mapLebNamen.end()) return it->second;
    CString strName;
    CZLeb leb(&dbDatabaseRO);
    leb.m_strLebId = strLebId;
    if (!strLebId.empty() && leb.GetByK1(CTKRSet::kExact) == CTKRSet::kOk)
        strName =
            leb.m_strVorname.empty() ? leb.m_strName : leb.m_strName + ", " + leb.m_strVorname;
    m_mapLebNamen.emplace(strLebId, strName);
    return strName;
}

CString CdiaWPFAw::GetMandantName(const CString& strMdId) {
    CZMandant mandant(&dbDatabaseRO);
    mandant.m_strMdId = strMdId;
    return mandant.GetByK1(CTKRSet::kExact) == CTKRSet::kOk ? mandant.m_strName : CString();
}

std::vector<int> CdiaWPFAw::DefaultHostButtons() const {
    return {TKDrucken, TKAlleMarkieren, TKSchliessen};
}

CString CdiaWPFAw::GetWaehrungText() const {
    return m_cWaehrung == ' ' ? CString("DM") : Utf8ToCp1252("€");
}
