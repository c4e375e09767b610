#include "host/gui/WPFTKLXceedDataGrid.h"

#include "host/gui/MatrixSortKey.h"
#include "host/gui/QtText.h"
#include "host/gui/WPFDataSet.h"
#include "host/gui/WPFDataTable.h"

#include <QHeaderView>
#include <QStandardItemModel>
#include <QTreeView>
#include <vector>

namespace {

// The table columns the grid shows: all but the key (of a detail table: the
// column that ties it to its parent row), so details line up with their parents.
std::vector<int> ShownColumns(const CWPFDataTable& table, int nKeyCol) {
    std::vector<int> vecCols;
    for (int nCol = 0; nCol < table.GetColumnCount(); ++nCol)
        if (nCol != nKeyCol) vecCols.push_back(nCol);
    return vecCols;
}

QList<QStandardItem*> MakeItems(const CWPFDataRow& row, const std::vector<int>& vecCols) {
    QList<QStandardItem*> items;
    for (const int nCol : vecCols) {
        auto* pItem = new QStandardItem(ToQString(row.GetValue(nCol)));
        pItem->setEditable(false);
        items.append(pItem);
    }
    return items;
}

bool IsNumber(const CString& text) {
    std::int64_t nWert = 0;
    return ParseDisplayNumber(text, nWert) || ParsePointNumber(text, nWert);
}

// Columns whose every filled cell is a number are right-aligned.
void AlignNumberColumns(QStandardItemModel& model) {
    for (int nCol = 0; nCol < model.columnCount(); ++nCol) {
        std::vector<QStandardItem*> vecItems;
        for (int nRow = 0; nRow < model.rowCount(); ++nRow) {
            QStandardItem* pParent = model.item(nRow, 0);
            vecItems.push_back(model.item(nRow, nCol));
            for (int nChild = 0; pParent && nChild < pParent->rowCount(); ++nChild)
                vecItems.push_back(pParent->child(nChild, nCol));
        }
        bool bNumbers = true;
        for (QStandardItem* pItem : vecItems)
            if (pItem && !pItem->text().isEmpty() && !IsNumber(FromQString(pItem->text())))
                bNumbers = false;
        if (!bNumbers) continue;
        for (QStandardItem* pItem : vecItems)
            if (pItem) pItem->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
}

} // namespace

CWPFTKLXceedDataGrid::CWPFTKLXceedDataGrid() : m_pModel(std::make_unique<QStandardItemModel>()) {}

CWPFTKLXceedDataGrid::~CWPFTKLXceedDataGrid() {
    if (QTreeView* pTree = Tree()) pTree->setModel(nullptr);
}

QTreeView* CWPFTKLXceedDataGrid::Tree() const {
    return qobject_cast<QTreeView*>(GetWidget());
}

bool CWPFTKLXceedDataGrid::Accepts(const QWidget& widget) const {
    return qobject_cast<const QTreeView*>(&widget) != nullptr;
}

void CWPFTKLXceedDataGrid::OnAttached() {
    QTreeView* pTree = Tree();
    pTree->setModel(m_pModel.get());
    pTree->setAlternatingRowColors(true);
    pTree->setUniformRowHeights(true);
    pTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    pTree->setSelectionBehavior(QAbstractItemView::SelectRows);
    // The last column (a share) stays beside the others instead of at the far right.
    pTree->header()->setStretchLastSection(false);
}

void CWPFTKLXceedDataGrid::BindDataTable(CWPFDataTable& table) {
    m_pTable = &table;
    Refresh();
}

void CWPFTKLXceedDataGrid::Refresh() {
    m_pModel->clear();
    if (!m_pTable) return;
    const std::vector<int> vecCols = ShownColumns(*m_pTable, m_pTable->GetPrimaryKey());
    const CWPFDataSet::Relation* pRelation =
        m_pTable->GetDataSet() ? m_pTable->GetDataSet()->FindChildRelation(*m_pTable) : nullptr;
    std::vector<int> vecChildCols;
    if (pRelation) vecChildCols = ShownColumns(*pRelation->pChild, pRelation->nChildCol);
    for (int nRow = 0; nRow < m_pTable->GetRowCount(); ++nRow) {
        const CWPFDataRow& row = m_pTable->GetRow(nRow);
        QList<QStandardItem*> items = MakeItems(row, vecCols);
        if (pRelation && !items.isEmpty()) {
            const CString& strKey = row.GetValue(pRelation->nParentCol);
            const CWPFDataTable& child = *pRelation->pChild;
            for (int nChild = 0; nChild < child.GetRowCount(); ++nChild)
                if (child.GetRow(nChild).GetValue(pRelation->nChildCol) == strKey)
                    items.front()->appendRow(MakeItems(child.GetRow(nChild), vecChildCols));
        }
        m_pModel->appendRow(items);
    }
    m_pModel->setColumnCount(static_cast<int>(vecCols.size()));
    AlignNumberColumns(*m_pModel);
    ApplyTitles();
    if (QTreeView* pTree = Tree()) {
        for (int nCol = 0; nCol < m_pModel->columnCount(); ++nCol)
            pTree->resizeColumnToContents(nCol);
    }
}

void CWPFTKLXceedDataGrid::ApplyTitles() {
    if (!m_pTable) return;
    const std::vector<int> vecCols = ShownColumns(*m_pTable, m_pTable->GetPrimaryKey());
    for (int nCol = 0; nCol < static_cast<int>(vecCols.size()); ++nCol) {
        const auto it = m_mapTitles.find(nCol);
        const CString& strTitle =
            it != m_mapTitles.end() ? it->second : m_pTable->GetColumnName(vecCols[nCol]);
        m_pModel->setHeaderData(nCol, Qt::Horizontal, ToQString(strTitle));
    }
}

void CWPFTKLXceedDataGrid::SetColumnTitle(int nCol, const CString& strTitle) {
    m_mapTitles[nCol] = strTitle;
    ApplyTitles();
}

void CWPFTKLXceedDataGrid::ExpandAllDetails(int, bool, bool) {
    QTreeView* pTree = Tree();
    if (!pTree) return;
    pTree->expandAll();
    // The open details are indented: the columns widen to show them whole.
    for (int nCol = 0; nCol < m_pModel->columnCount(); ++nCol)
        pTree->resizeColumnToContents(nCol);
}

void CWPFTKLXceedDataGrid::SetAllowDetailToggle(const CString&, bool bAllow) {
    if (QTreeView* pTree = Tree()) {
        pTree->setItemsExpandable(bAllow);
        pTree->setRootIsDecorated(bAllow);
    }
}

void CWPFTKLXceedDataGrid::SetCurrentIndex(int nRow) {
    QTreeView* pTree = Tree();
    if (!pTree || nRow < 0 || nRow >= m_pModel->rowCount()) return;
    pTree->setCurrentIndex(m_pModel->index(nRow, 0));
}

int CWPFTKLXceedDataGrid::GetCurrentIndex() const {
    QTreeView* pTree = Tree();
    if (!pTree) return -1;
    const QModelIndex current = pTree->currentIndex();
    return current.isValid() && !current.parent().isValid() ? current.row() : -1;
}

int CWPFTKLXceedDataGrid::GetRowCount() const {
    return m_pModel->rowCount();
}
