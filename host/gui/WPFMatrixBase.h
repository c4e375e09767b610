#pragma once
// Table of texts behind list views and combo boxes: rows of a fixed number of
// Windows-1252 cells. Every cell is reached in O(1): rows live in blocks that
// never move, and a row map gives each shown row its stored row, so growing a
// table copies no cells and sorting it moves only the row map.
//
// Views hear of changes in bulk, never per row: adding or clearing rows opens one
// model reset that closes at the next turn of the event loop, or at Flush, which
// the controls call before they read their view; cell writes are gathered into one
// dataChanged per turn. Filling 100,000 rows thus sends two signals.
#include "host/CString.h"

#include <QAbstractTableModel>
#include <memory>
#include <vector>

class CWPFMatrixBase : public QAbstractTableModel {
    Q_OBJECT

public:
    // One cell, read and assigned through the matrix (matrix[row][column]).
    class Cell {
    public:
        Cell(CWPFMatrixBase& matrix, int nRow, int nCol)
            : m_matrix(matrix), m_nRow(nRow), m_nCol(nCol) {}
        Cell(const Cell&) = default;
        const CString& Get() const { return m_matrix.GetValue(m_nRow, m_nCol); }
        operator const CString&() const { return Get(); }
        Cell& operator=(const CString& text) {
            m_matrix.SetValue(m_nRow, m_nCol, text);
            return *this;
        }
        Cell& operator=(const char* text) { return *this = CString(text ? text : ""); }
        Cell& operator=(const Cell& other) {
            return *this = CString(other.Get());
        } // copies the text
        bool operator==(const CString& text) const { return Get() == text; }
        bool operator==(const char* text) const { return Get() == (text ? text : ""); }

    private:
        CWPFMatrixBase& m_matrix;
        int m_nRow;
        int m_nCol;
    };

    class Row {
    public:
        Row(CWPFMatrixBase& matrix, int nRow) : m_matrix(matrix), m_nRow(nRow) {}
        Cell operator[](int nCol) const { return Cell(m_matrix, m_nRow, nCol); }

    private:
        CWPFMatrixBase& m_matrix;
        int m_nRow;
    };

    class ConstRow {
    public:
        ConstRow(const CWPFMatrixBase& matrix, int nRow) : m_matrix(matrix), m_nRow(nRow) {}
        const CString& operator[](int nCol) const { return m_matrix.GetValue(m_nRow, nCol); }

    private:
        const CWPFMatrixBase& m_matrix;
        int m_nRow;
    };

    explicit CWPFMatrixBase(int nColumns);
    ~CWPFMatrixBase() override;

    int GetColumnCount() const { return m_nColumns; }
    int Count() const { return static_cast<int>(m_vecRows.size()); }
    bool IsEmpty() const { return m_vecRows.empty(); }

    int DoAdd(); // appends a row of empty cells; returns its index
    void Clear();

    // Cells outside the table read as "" and ignore writes.
    const CString& GetValue(int nRow, int nCol) const;
    void SetValue(int nRow, int nCol, const CString& text);
    Row operator[](int nRow) { return Row(*this, nRow); }
    ConstRow operator[](int nRow) const { return ConstRow(*this, nRow); }

    // First row whose cell in nCol equals the text exactly; -1 when there is none.
    int FindRow(const CString& text, int nCol) const;

    // Puts the rows into a new order: new row i is old row vecOrder[i] (a
    // permutation of all rows). Views keep their selection and current row.
    void ReorderRows(const std::vector<int>& vecOrder);
    // While views handle the layout change of ReorderRows: where an old row went.
    int GetMovedRow(int nOldRow) const;

    // Lets the views see every change made so far.
    void Flush();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int nRole = Qt::DisplayRole) const override;

private:
    bool IsCell(int nRow, int nCol) const;
    CString& CellAt(int nRow, int nCol) const; // a cell that exists
    void BeginBulkChange();
    void NoteCellChanged(int nRow, int nCol);
    void ScheduleFlush();

    static constexpr int kBlockRows = 512;

    int m_nColumns;
    std::vector<std::unique_ptr<CString[]>> m_vecBlocks; // kBlockRows stored rows each
    int m_nStoredRows = 0;      // stored rows in use; Clear keeps the blocks for the next fill
    std::vector<int> m_vecRows; // shown row -> stored row
    bool m_bResetPending = false;
    bool m_bFlushScheduled = false;
    // Cells written since the last flush, as one rectangle; empty when m_nDirtyRow0 < 0.
    int m_nDirtyRow0 = -1, m_nDirtyRow1 = -1, m_nDirtyCol0 = -1, m_nDirtyCol1 = -1;
    std::vector<int> m_vecMovedTo; // old row -> new row, during ReorderRows only
};
