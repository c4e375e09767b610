#include "host/gui/WPFMatrixBase.h"

#include "host/gui/QtText.h"

#include <QCoreApplication>
#include <algorithm>

namespace {
const CString kEmpty;
}

CWPFMatrixBase::CWPFMatrixBase(int nColumns) : m_nColumns(std::max(1, nColumns)) {}

CWPFMatrixBase::~CWPFMatrixBase() {
    // Views still bound see an empty table while this object is still whole.
    if (!m_bResetPending) beginResetModel();
    m_bResetPending = false;
    m_vecRows.clear();
    endResetModel();
}

int CWPFMatrixBase::DoAdd() {
    BeginBulkChange();
    if (m_nStoredRows == static_cast<int>(m_vecBlocks.size()) * kBlockRows)
        m_vecBlocks.push_back(
            std::make_unique<CString[]>(static_cast<std::size_t>(kBlockRows) * m_nColumns));
    m_vecRows.push_back(m_nStoredRows++);
    return Count() - 1;
}

void CWPFMatrixBase::Clear() {
    if (m_vecRows.empty()) return;
    BeginBulkChange();
    for (int nStored = 0; nStored < m_nStoredRows; ++nStored) { // reused by the next fill
        CString* pRow = &m_vecBlocks[nStored / kBlockRows]
                                    [static_cast<std::size_t>(nStored % kBlockRows) * m_nColumns];
        for (int nCol = 0; nCol < m_nColumns; ++nCol)
            pRow[nCol].clear();
    }
    m_nStoredRows = 0;
    m_vecRows.clear();
}

bool CWPFMatrixBase::IsCell(int nRow, int nCol) const {
    return nRow >= 0 && nCol >= 0 && nCol < m_nColumns && nRow < Count();
}

CString& CWPFMatrixBase::CellAt(int nRow, int nCol) const {
    const int nStored = m_vecRows[nRow];
    return m_vecBlocks[nStored / kBlockRows]
                      [static_cast<std::size_t>(nStored % kBlockRows) * m_nColumns + nCol];
}

const CString& CWPFMatrixBase::GetValue(int nRow, int nCol) const {
    return IsCell(nRow, nCol) ? CellAt(nRow, nCol) : kEmpty;
}

void CWPFMatrixBase::SetValue(int nRow, int nCol, const CString& text) {
    if (!IsCell(nRow, nCol)) return;
    CString& cell = CellAt(nRow, nCol);
    if (cell == text) return;
    cell = text;
    NoteCellChanged(nRow, nCol);
}

int CWPFMatrixBase::FindRow(const CString& text, int nCol) const {
    if (nCol < 0 || nCol >= m_nColumns) return -1;
    for (int nRow = 0, nCount = Count(); nRow < nCount; ++nRow)
        if (GetValue(nRow, nCol) == text) return nRow;
    return -1;
}

void CWPFMatrixBase::ReorderRows(const std::vector<int>& vecOrder) {
    const int nCount = Count();
    if (static_cast<int>(vecOrder.size()) != nCount) return;
    std::vector<int> vecRows(vecOrder.size());
    for (int nNew = 0; nNew < nCount; ++nNew)
        vecRows[nNew] = m_vecRows[vecOrder[nNew]];
    if (m_bResetPending) { // the reset still to come tells the views everything
        m_vecRows.swap(vecRows);
        return;
    }
    Flush(); // pending cell changes refer to the old rows
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    m_vecRows.swap(vecRows);
    m_vecMovedTo.assign(static_cast<std::size_t>(nCount), 0);
    for (int nNew = 0; nNew < nCount; ++nNew)
        m_vecMovedTo[vecOrder[nNew]] = nNew;
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& index : from)
        to.append(index.isValid() ? this->index(GetMovedRow(index.row()), index.column()) : index);
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    m_vecMovedTo.clear();
}

int CWPFMatrixBase::GetMovedRow(int nOldRow) const {
    if (nOldRow < 0 || nOldRow >= static_cast<int>(m_vecMovedTo.size())) return nOldRow;
    return m_vecMovedTo[nOldRow];
}

void CWPFMatrixBase::Flush() {
    if (m_bResetPending) {
        m_bResetPending = false;
        endResetModel();
    }
    if (m_nDirtyRow0 >= 0) {
        const QModelIndex topLeft = index(m_nDirtyRow0, m_nDirtyCol0);
        const QModelIndex bottomRight = index(m_nDirtyRow1, m_nDirtyCol1);
        m_nDirtyRow0 = -1;
        emit dataChanged(topLeft, bottomRight);
    }
}

void CWPFMatrixBase::BeginBulkChange() {
    if (m_bResetPending) return;
    m_nDirtyRow0 = -1; // the reset covers the cells written so far
    m_bResetPending = true;
    beginResetModel();
    ScheduleFlush();
}

void CWPFMatrixBase::NoteCellChanged(int nRow, int nCol) {
    if (m_bResetPending) return;
    if (m_nDirtyRow0 < 0) {
        m_nDirtyRow0 = m_nDirtyRow1 = nRow;
        m_nDirtyCol0 = m_nDirtyCol1 = nCol;
    } else {
        m_nDirtyRow0 = std::min(m_nDirtyRow0, nRow);
        m_nDirtyRow1 = std::max(m_nDirtyRow1, nRow);
        m_nDirtyCol0 = std::min(m_nDirtyCol0, nCol);
        m_nDirtyCol1 = std::max(m_nDirtyCol1, nCol);
    }
    ScheduleFlush();
}

void CWPFMatrixBase::ScheduleFlush() {
    // Without an application there is no event loop and no view: Flush stays explicit.
    if (m_bFlushScheduled || !QCoreApplication::instance()) return;
    m_bFlushScheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_bFlushScheduled = false;
            Flush();
        },
        Qt::QueuedConnection);
}

int CWPFMatrixBase::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Count();
}

int CWPFMatrixBase::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_nColumns;
}

QVariant CWPFMatrixBase::data(const QModelIndex& index, int nRole) const {
    if (nRole != Qt::DisplayRole && nRole != Qt::EditRole) return {};
    if (!index.isValid() || !IsCell(index.row(), index.column())) return {};
    return ToQString(GetValue(index.row(), index.column()));
}
