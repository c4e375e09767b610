#include "host/gui/WPFTKLComboBox.h"

#include "host/gui/QtText.h"
#include "host/gui/WPFMatrixBase.h"

#include <QComboBox>
#include <QEvent>

// Drops the wheel events of a combo box that has not got the focus.
class CWPFTKLComboBox::CWheelGuard : public QObject {
protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override {
        if (pEvent->type() != QEvent::Wheel) return false;
        auto* pCombo = qobject_cast<QComboBox*>(pWatched);
        if (!pCombo || pCombo->hasFocus()) return false;
        pEvent->ignore();
        return true;
    }
};

CWPFTKLComboBox::CWPFTKLComboBox()
    : m_pModel(std::make_unique<CWPFListModel>()), m_pWheelGuard(std::make_unique<CWheelGuard>()) {}
CWPFTKLComboBox::~CWPFTKLComboBox() = default; // the combo box lets go of a destroyed model

bool CWPFTKLComboBox::Accepts(const QWidget& widget) const {
    return qobject_cast<const QComboBox*>(&widget) != nullptr;
}

void CWPFTKLComboBox::OnAttached() {
    auto* pCombo = qobject_cast<QComboBox*>(GetWidget());
    pCombo->setModel(m_pModel.get());
    pCombo->setFocusPolicy(Qt::StrongFocus); // the wheel alone does not give it the focus
    pCombo->installEventFilter(m_pWheelGuard.get());
    QObject::connect(pCombo, &QComboBox::currentIndexChanged, Context(),
                     [this] { FireSelectionChanged(); });
}

void CWPFTKLComboBox::BindMatrix(CWPFMatrixBase& matrix, int nShownCol) {
    Bind(matrix, nShownCol, -1);
}

void CWPFTKLComboBox::BindMatrix2(CWPFMatrixBase& matrix, int nShownCol1, int nShownCol2) {
    Bind(matrix, nShownCol1, nShownCol2);
}

void CWPFTKLComboBox::Bind(CWPFMatrixBase& matrix, int nCol1, int nCol2) {
    m_pModel->SetMatrix(&matrix);
    m_pModel->ClearColumns();
    CWPFListModel::Column column;
    column.nCol = nCol1;
    column.nCol2 = nCol2;
    m_pModel->AddColumn(column);
    if (auto* pCombo = qobject_cast<QComboBox*>(GetWidget())) pCombo->setModelColumn(0);
}

void CWPFTKLComboBox::FlushMatrix() const {
    if (CWPFMatrixBase* pMatrix = m_pModel->GetMatrix()) pMatrix->Flush();
}

CString CWPFTKLComboBox::GetData() const {
    FlushMatrix();
    auto* pCombo = qobject_cast<QComboBox*>(GetWidget());
    return pCombo && pCombo->currentIndex() >= 0 ? FromQString(pCombo->currentText()) : CString();
}

int CWPFTKLComboBox::GetSelectedIndex() const {
    FlushMatrix();
    auto* pCombo = qobject_cast<QComboBox*>(GetWidget());
    return pCombo ? pCombo->currentIndex() : -1;
}

void CWPFTKLComboBox::SetSelectedIndex(int nIndex) {
    FlushMatrix();
    auto* pCombo = qobject_cast<QComboBox*>(GetWidget());
    if (pCombo) pCombo->setCurrentIndex(nIndex >= 0 && nIndex < pCombo->count() ? nIndex : -1);
}

void CWPFTKLComboBox::SetPlaceholderText(const CString& strText) {
    if (auto* pCombo = qobject_cast<QComboBox*>(GetWidget()))
        pCombo->setPlaceholderText(ToQString(strText));
}
