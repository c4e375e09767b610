#include "host/gui/WPFTKLListView.h"

#include "host/gui/QtText.h"
#include "host/gui/WPFMatrixBase.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPersistentModelIndex>
#include <QStyle>
#include <QTableView>
#include <algorithm>

namespace {

constexpr int kSampleRows = 100; // rows measured at the start, middle and end
constexpr int kCellPadding = 12; // room left and right of a cell's text
constexpr int kHeaderExtra = 18; // room for the sort arrow
constexpr int kMaxColumnWidth = 420;

// The rows whose texts decide the widths: all of a short list, else the first,
// the last and an even spread of the others.
std::vector<int> SampleRows(int nCount) {
    std::vector<int> vecRows;
    if (nCount <= 3 * kSampleRows) {
        for (int n = 0; n < nCount; ++n)
            vecRows.push_back(n);
        return vecRows;
    }
    for (int n = 0; n < kSampleRows; ++n) {
        vecRows.push_back(n);
        vecRows.push_back(nCount - 1 - n);
        vecRows.push_back(kSampleRows + static_cast<int>(static_cast<long long>(n) *
                                                         (nCount - 2 * kSampleRows) / kSampleRows));
    }
    return vecRows;
}

} // namespace

// Mouse and keyboard input of the check boxes, ahead of the table's own handling.
class CWPFTKLListView::CInput : public QObject {
public:
    explicit CInput(CWPFTKLListView& owner) : m_owner(owner) {}

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override {
        QTableView* pTable = m_owner.Table();
        if (!pTable) return false;
        if (pWatched == pTable->viewport()) return OnMouse(*pTable, *pEvent);
        if (pWatched == pTable && pEvent->type() == QEvent::KeyPress)
            return OnKey(*pTable, static_cast<QKeyEvent&>(*pEvent));
        return false;
    }

private:
    bool IsCheckCell(const QModelIndex& index) const {
        return index.isValid() && m_owner.Model().GetColumn(index.column()).bCheckBox;
    }

    bool OnMouse(QTableView& table, QEvent& event) {
        const QEvent::Type type = event.type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
            type != QEvent::MouseButtonRelease)
            return false;
        auto& mouse = static_cast<QMouseEvent&>(event);
        if (mouse.button() != Qt::LeftButton) return false;
        const QModelIndex index = table.indexAt(mouse.position().toPoint());
        if (type != QEvent::MouseButtonRelease) {
            if (!IsCheckCell(index)) return false;
            m_pressed = index;
            table.setFocus(Qt::MouseFocusReason);
            return true;
        }
        if (!m_pressed.isValid()) return false;
        const bool bSameCell = index == QModelIndex(m_pressed);
        m_pressed = QPersistentModelIndex();
        if (bSameCell) m_owner.ClickCheckBox(index.row(), index.column());
        return true;
    }

    bool OnKey(QTableView& table, const QKeyEvent& key) {
        if (key.key() != Qt::Key_Space || key.modifiers() != Qt::NoModifier) return false;
        const int nCheckCol = m_owner.CheckBoxColumn();
        const int nRow = table.currentIndex().row();
        if (nCheckCol < 0 || nRow < 0) return false;
        m_owner.ClickCheckBox(nRow, nCheckCol);
        return true;
    }

    CWPFTKLListView& m_owner;
    QPersistentModelIndex m_pressed;
};

CWPFTKLListView::CWPFTKLListView() : m_pInput(std::make_unique<CInput>(*this)) {}
CWPFTKLListView::~CWPFTKLListView() = default;

QTableView* CWPFTKLListView::Table() const {
    return qobject_cast<QTableView*>(GetWidget());
}

bool CWPFTKLListView::Accepts(const QWidget& widget) const {
    return qobject_cast<const QTableView*>(&widget) != nullptr;
}

void CWPFTKLListView::OnAttached() {
    CWPFTKLListBox::OnAttached();
    QTableView* pTable = Table();
    pTable->setAlternatingRowColors(true);
    pTable->setWordWrap(false);
    pTable->setShowGrid(false);
    pTable->setSortingEnabled(false);
    pTable->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    QHeaderView* pRows = pTable->verticalHeader();
    pRows->hide();
    pRows->setSectionResizeMode(QHeaderView::Fixed); // equal rows: positions in O(1)
    pRows->setDefaultSectionSize(pTable->fontMetrics().height() + 8);
    QHeaderView* pHeader = pTable->horizontalHeader();
    pHeader->setSectionsClickable(true);
    pHeader->setSortIndicatorShown(true);
    pHeader->setSortIndicator(-1, Qt::AscendingOrder);
    pHeader->setHighlightSections(false);
    pHeader->setStretchLastSection(false);
    pTable->viewport()->installEventFilter(m_pInput.get());
    pTable->installEventFilter(m_pInput.get());
    QObject::connect(pTable, &QAbstractItemView::clicked, Context(),
                     [this](const QModelIndex& index) { FireClick(index.row(), index.column()); });
    QObject::connect(pHeader, &QHeaderView::sectionClicked, Context(), [this](int nSection) {
        FireHeaderClick(nSection);
        ApplySortIndicator(); // the header turned its arrow round on its own
    });
    QObject::connect(&Model(), &QAbstractItemModel::modelReset, Context(), [this] {
        if (Model().rowCount() > 0) Fit(false);
    });
}

void CWPFTKLListView::BindMatrix(CWPFMatrixBase& matrix) {
    Model().SetMatrix(&matrix);
    if (Model().rowCount() > 0) Fit(false);
}

void CWPFTKLListView::ClearColumns() {
    Model().ClearColumns();
    ApplySortIndicator();
}

void CWPFTKLListView::AddTextBlockColumn(const CString& strTitle, int nMatrixCol,
                                         TKHorizontalAlignment eAlign, const CString& strToolTip) {
    CWPFListModel::Column column;
    column.strTitel = strTitle;
    column.nCol = nMatrixCol;
    column.eAlign = eAlign;
    column.strToolTip = strToolTip;
    Model().AddColumn(column);
    ApplySortIndicator();
}

void CWPFTKLListView::AddCheckBoxColumn(const CString& strTitle, int nMatrixCol,
                                        const CString& strToolTip) {
    CWPFListModel::Column column;
    column.strTitel = strTitle;
    column.nCol = nMatrixCol;
    column.bCheckBox = true;
    column.eAlign = TKCenter;
    column.strToolTip = strToolTip;
    Model().AddColumn(column);
}

int CWPFTKLListView::GetColumnMatrixCol(int nViewCol) const {
    if (nViewCol < 0 || nViewCol >= GetColumnCount()) return -1;
    return Model().GetColumn(nViewCol).nCol;
}

int CWPFTKLListView::CheckBoxColumn() const {
    for (int n = 0; n < GetColumnCount(); ++n)
        if (Model().GetColumn(n).bCheckBox) return n;
    return -1;
}

void CWPFTKLListView::AutoSizeGridViewColumns() {
    Fit(false);
}

void CWPFTKLListView::ResizeColumnsToContents() {
    Fit(true);
}

void CWPFTKLListView::Fit(bool bAll) {
    FlushMatrix();
    if (QTableView* pTable = Table()) FitColumns(*pTable, Model(), bAll);
}

void CWPFTKLListView::FitColumns(QTableView& view, CWPFListModel& model, bool bAll) {
    const QFontMetrics cellMetrics = view.fontMetrics();
    const QFontMetrics headerMetrics = view.horizontalHeader()->fontMetrics();
    const std::vector<int> vecRows = SampleRows(model.rowCount());
    const int nIndicator = view.style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &view);
    for (int nCol = 0; nCol < model.GetColumnCount(); ++nCol) {
        const CWPFListModel::Column& column = model.GetColumn(nCol);
        if (column.bSized && !bAll) continue;
        int nWidth = headerMetrics.horizontalAdvance(ToQString(column.strTitel)) + kHeaderExtra;
        if (column.bCheckBox) {
            nWidth = std::max(nWidth - kHeaderExtra, nIndicator) + kCellPadding;
        } else {
            for (const int nRow : vecRows)
                nWidth = std::max(nWidth, cellMetrics.horizontalAdvance(
                                              ToQString(model.GetCellText(nRow, nCol))) +
                                              kCellPadding);
        }
        view.horizontalHeader()->resizeSection(nCol, std::min(nWidth, kMaxColumnWidth));
        model.SetColumnSized(nCol, true);
    }
}

void CWPFTKLListView::SetForegroundColumn(int nMatrixCol) {
    Model().SetForegroundColumn(nMatrixCol);
}

void CWPFTKLListView::SetBackgroundColumn(int nMatrixCol) {
    Model().SetBackgroundColumn(nMatrixCol);
}

void CWPFTKLListView::ShowSortIndicator(int nMatrixCol, bool bAscending) {
    m_nSortMatrixCol = nMatrixCol;
    m_bSortAscending = bAscending;
    ApplySortIndicator();
}

void CWPFTKLListView::ApplySortIndicator() {
    QTableView* pTable = Table();
    if (!pTable) return;
    const int nViewCol = m_nSortMatrixCol < 0 ? -1 : Model().FindViewColumn(m_nSortMatrixCol);
    pTable->horizontalHeader()->setSortIndicator(nViewCol, m_bSortAscending ? Qt::AscendingOrder
                                                                            : Qt::DescendingOrder);
}

void CWPFTKLListView::ClickCheckBox(int nRow, int nViewCol) {
    if (Model().ToggleCheck(nRow, nViewCol)) FireClick(nRow, nViewCol);
}

void CWPFTKLListView::FireClick(int nRow, int nViewCol) {
    CWPFRoutedEvent event(CWPFRoutedEvent::Art::Click, this);
    event.m_pMatrix = Model().GetMatrix();
    event.m_nRow = nRow;
    event.m_nViewCol = nViewCol;
    event.m_nCol = GetColumnMatrixCol(nViewCol);
    for (const WPFHandler& handler : m_vecClick)
        handler(event);
}

void CWPFTKLListView::FireHeaderClick(int nViewCol) {
    CWPFRoutedEvent event(CWPFRoutedEvent::Art::HeaderClick, this);
    event.m_pMatrix = Model().GetMatrix();
    event.m_nHeaderCol = nViewCol;
    for (const WPFHandler& handler : m_vecHeaderClick)
        handler(event);
}
