#pragma once
// What a list view, list box or combo box shows of a matrix: its own columns,
// each a matrix column with title, alignment and tool tip, or the check box of a
// "True"/"False" column. The model follows the matrix's resets, reorders and cell
// changes one to one, so a view never holds a copy of the data.
#include "host/CString.h"
#include "host/gui/TKHorizontalAlignment.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <vector>

class CWPFMatrixBase;

class CWPFListModel : public QAbstractTableModel {
public:
    struct Column {
        CString strTitel;
        int nCol = 0;   // matrix column shown
        int nCol2 = -1; // a second matrix column, joined with a blank (combo boxes)
        bool bCheckBox = false;
        TKHorizontalAlignment eAlign = TKLeft;
        CString strToolTip;
        bool bSized = false; // its width was fitted to the content
    };

    CWPFListModel() = default;
    ~CWPFListModel() override;

    void SetMatrix(CWPFMatrixBase* pMatrix);
    CWPFMatrixBase* GetMatrix() const { return m_pMatrix; }

    void AddColumn(const Column& column);
    void ClearColumns();
    int GetColumnCount() const { return static_cast<int>(m_vecColumns.size()); }
    const Column& GetColumn(int nViewCol) const { return m_vecColumns[nViewCol]; }
    void SetColumnSized(int nViewCol, bool bSized) { m_vecColumns[nViewCol].bSized = bSized; }
    int FindViewColumn(int nMatrixCol) const; // first list column showing it; -1

    void SetForegroundColumn(int nMatrixCol) { m_nForegroundCol = nMatrixCol; }
    void SetBackgroundColumn(int nMatrixCol) { m_nBackgroundCol = nMatrixCol; }

    // The text a list column shows in a row ("" for check boxes).
    CString GetCellText(int nRow, int nViewCol) const;
    bool IsChecked(int nRow, int nViewCol) const;
    // Turns the check box of a cell round in the matrix; false for other cells.
    bool ToggleCheck(int nRow, int nViewCol);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int nRole = Qt::DisplayRole) const override;
    QVariant headerData(int nSection, Qt::Orientation orientation,
                        int nRole = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void ConnectMatrix();
    void MoveOwnPersistentIndexes();
    QVariant ColorOf(int nMatrixCol, int nRow, bool bBackground) const;

    QPointer<CWPFMatrixBase> m_pMatrix;
    std::vector<Column> m_vecColumns;
    int m_nForegroundCol = -1;
    int m_nBackgroundCol = -1;
};
