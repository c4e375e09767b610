#include "host/gui/WPFListModel.h"

#include "host/gui/QtText.h"
#include "host/gui/WPFColorCodes.h"
#include "host/gui/WPFMatrixBase.h"

#include <QBrush>

namespace {

const CString kTrue = "True";
const CString kFalse = "False";

Qt::Alignment AlignmentOf(TKHorizontalAlignment eAlign) {
    switch (eAlign) {
    case TKCenter:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case TKRight:
        return Qt::AlignRight | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

} // namespace

CWPFListModel::~CWPFListModel() = default;

void CWPFListModel::SetMatrix(CWPFMatrixBase* pMatrix) {
    beginResetModel();
    if (m_pMatrix) QObject::disconnect(m_pMatrix, nullptr, this, nullptr);
    m_pMatrix = pMatrix;
    if (m_pMatrix) {
        m_pMatrix->Flush(); // the reset below shows everything written so far
        ConnectMatrix();
    }
    endResetModel();
}

void CWPFListModel::ConnectMatrix() {
    CWPFMatrixBase* pMatrix = m_pMatrix;
    connect(pMatrix, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
    connect(pMatrix, &QAbstractItemModel::modelReset, this, [this] { endResetModel(); });
    connect(pMatrix, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                if (GetColumnCount() > 0)
                    emit dataChanged(index(topLeft.row(), 0),
                                     index(bottomRight.row(), GetColumnCount() - 1));
            });
    connect(pMatrix, &QAbstractItemModel::layoutAboutToBeChanged, this,
            [this] { emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint); });
    connect(pMatrix, &QAbstractItemModel::layoutChanged, this, [this] {
        MoveOwnPersistentIndexes();
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    });
    connect(pMatrix, &QObject::destroyed, this, [this] {
        beginResetModel();
        m_pMatrix = nullptr;
        endResetModel();
    });
}

void CWPFListModel::MoveOwnPersistentIndexes() {
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& old : from)
        to.append(old.isValid() ? index(m_pMatrix->GetMovedRow(old.row()), old.column()) : old);
    changePersistentIndexList(from, to);
}

void CWPFListModel::AddColumn(const Column& column) {
    const int nNew = GetColumnCount();
    beginInsertColumns({}, nNew, nNew);
    m_vecColumns.push_back(column);
    endInsertColumns();
}

void CWPFListModel::ClearColumns() {
    if (m_vecColumns.empty()) return;
    beginRemoveColumns({}, 0, GetColumnCount() - 1);
    m_vecColumns.clear();
    endRemoveColumns();
}

int CWPFListModel::FindViewColumn(int nMatrixCol) const {
    for (int n = 0; n < GetColumnCount(); ++n)
        if (m_vecColumns[n].nCol == nMatrixCol) return n;
    return -1;
}

CString CWPFListModel::GetCellText(int nRow, int nViewCol) const {
    if (!m_pMatrix || nViewCol < 0 || nViewCol >= GetColumnCount()) return {};
    const Column& column = m_vecColumns[nViewCol];
    if (column.bCheckBox) return {};
    const CString& strFirst = m_pMatrix->GetValue(nRow, column.nCol);
    if (column.nCol2 < 0) return strFirst;
    const CString& strSecond = m_pMatrix->GetValue(nRow, column.nCol2);
    return strSecond.empty() ? strFirst : strFirst + " " + strSecond;
}

bool CWPFListModel::IsChecked(int nRow, int nViewCol) const {
    if (!m_pMatrix || nViewCol < 0 || nViewCol >= GetColumnCount()) return false;
    return m_pMatrix->GetValue(nRow, m_vecColumns[nViewCol].nCol) == kTrue;
}

bool CWPFListModel::ToggleCheck(int nRow, int nViewCol) {
    if (!m_pMatrix || nViewCol < 0 || nViewCol >= GetColumnCount()) return false;
    if (!m_vecColumns[nViewCol].bCheckBox || nRow < 0 || nRow >= m_pMatrix->Count()) return false;
    m_pMatrix->SetValue(nRow, m_vecColumns[nViewCol].nCol,
                        IsChecked(nRow, nViewCol) ? kFalse : kTrue);
    m_pMatrix->Flush(); // the box shows its new state at once
    return true;
}

int CWPFListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !m_pMatrix ? 0 : m_pMatrix->Count();
}

int CWPFListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : GetColumnCount();
}

QVariant CWPFListModel::ColorOf(int nMatrixCol, int nRow, bool bBackground) const {
    if (nMatrixCol < 0) return {};
    QColor color;
    const CString& strCode = m_pMatrix->GetValue(nRow, nMatrixCol);
    const bool bFound = bBackground ? CWPFColorCodes::Background(strCode, color)
                                    : CWPFColorCodes::Foreground(strCode, color);
    return bFound ? QVariant(QBrush(color)) : QVariant();
}

QVariant CWPFListModel::data(const QModelIndex& index, int nRole) const {
    if (!m_pMatrix || !index.isValid() || index.column() >= GetColumnCount()) return {};
    const Column& column = m_vecColumns[index.column()];
    const int nRow = index.row();
    switch (nRole) {
    case Qt::DisplayRole:
        return column.bCheckBox ? QVariant()
                                : QVariant(ToQString(GetCellText(nRow, index.column())));
    case Qt::CheckStateRole:
        if (!column.bCheckBox) return {};
        return static_cast<int>(IsChecked(nRow, index.column()) ? Qt::Checked : Qt::Unchecked);
    case Qt::TextAlignmentRole:
        return static_cast<int>(AlignmentOf(column.eAlign));
    case Qt::ForegroundRole:
        return ColorOf(m_nForegroundCol, nRow, false);
    case Qt::BackgroundRole:
        return ColorOf(m_nBackgroundCol, nRow, true);
    default:
        return {};
    }
}

QVariant CWPFListModel::headerData(int nSection, Qt::Orientation orientation, int nRole) const {
    if (orientation != Qt::Horizontal || nSection < 0 || nSection >= GetColumnCount()) return {};
    const Column& column = m_vecColumns[nSection];
    switch (nRole) {
    case Qt::DisplayRole:
        return ToQString(column.strTitel);
    case Qt::ToolTipRole:
        return column.strToolTip.empty() ? QVariant() : QVariant(ToQString(column.strToolTip));
    case Qt::TextAlignmentRole:
        return static_cast<int>(AlignmentOf(column.eAlign));
    default:
        return {};
    }
}

Qt::ItemFlags CWPFListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    // Check boxes are turned by the list view itself (a click on the box, or
    // space), so that the click event follows the new state.
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
