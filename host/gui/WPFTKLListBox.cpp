#include "host/gui/WPFTKLListBox.h"

#include "host/gui/WPFMatrixBase.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <algorithm>

CWPFTKLListBox::CWPFTKLListBox() : m_pModel(std::make_unique<CWPFListModel>()) {}

CWPFTKLListBox::~CWPFTKLListBox() {
    if (QAbstractItemView* pView = View()) pView->setModel(nullptr);
}

QAbstractItemView* CWPFTKLListBox::View() const {
    return qobject_cast<QAbstractItemView*>(GetWidget());
}

bool CWPFTKLListBox::Accepts(const QWidget& widget) const {
    return qobject_cast<const QAbstractItemView*>(&widget) != nullptr;
}

void CWPFTKLListBox::OnAttached() {
    QAbstractItemView* pView = View();
    pView->setModel(m_pModel.get());
    pView->setSelectionBehavior(QAbstractItemView::SelectRows);
    pView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    pView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QObject::connect(pView->selectionModel(), &QItemSelectionModel::selectionChanged, Context(),
                     [this] { FireSelectionChanged(); });
}

void CWPFTKLListBox::BindMatrix(CWPFMatrixBase& matrix, int nShownCol) {
    m_pModel->SetMatrix(&matrix);
    m_pModel->ClearColumns();
    CWPFListModel::Column column;
    column.nCol = nShownCol;
    m_pModel->AddColumn(column);
}

void CWPFTKLListBox::FlushMatrix() const {
    if (CWPFMatrixBase* pMatrix = m_pModel->GetMatrix()) pMatrix->Flush();
}

int CWPFTKLListBox::GetSelectedItems(std::vector<int>& vecRows) const {
    vecRows.clear();
    FlushMatrix();
    QAbstractItemView* pView = View();
    if (!pView || !pView->selectionModel()) return 0;
    for (const QModelIndex& index : pView->selectionModel()->selectedRows())
        vecRows.push_back(index.row());
    return static_cast<int>(vecRows.size());
}

int CWPFTKLListBox::GetSelectedIndex() const {
    FlushMatrix();
    QAbstractItemView* pView = View();
    if (!pView || !pView->selectionModel()) return -1;
    const QItemSelectionModel* pSelection = pView->selectionModel();
    const QModelIndex current = pSelection->currentIndex();
    if (current.isValid() && pSelection->isRowSelected(current.row(), {})) return current.row();
    const QModelIndexList rows = pSelection->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void CWPFTKLListBox::SetSelectedIndex(int nIndex) {
    FlushMatrix();
    QAbstractItemView* pView = View();
    if (!pView || !pView->selectionModel()) return;
    QItemSelectionModel* pSelection = pView->selectionModel();
    if (nIndex < 0 || nIndex >= m_pModel->rowCount()) {
        pSelection->clear();
        return;
    }
    const QModelIndex index = m_pModel->index(nIndex, 0);
    pSelection->setCurrentIndex(index,
                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    pView->scrollTo(index);
}
