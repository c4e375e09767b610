#pragma once
// A named table of text rows for the master/detail grid (CWPFTKLXceedDataGrid),
// held in a CWPFDataSet with the relations between its tables.
#include "host/CString.h"
#include "host/gui/WPFDataRow.h"

#include <deque>
#include <vector>

class CWPFDataSet;

class CWPFDataTable {
public:
    explicit CWPFDataTable(const CString& strName = "") : m_strName(strName) {}
    CWPFDataTable(const CWPFDataTable&) = delete; // rows refer to their table
    CWPFDataTable& operator=(const CWPFDataTable&) = delete;

    const CString& GetName() const { return m_strName; }
    CWPFDataSet* GetDataSet() const { return m_pDataSet; }

    void AddColumns(const std::vector<CString>& vecNames);
    int GetColumnCount() const { return static_cast<int>(m_vecColumns.size()); }
    const CString& GetColumnName(int nCol) const { return m_vecColumns[nCol]; }
    int FindColumn(const CString& strName) const;       // -1 when absent
    bool SetPrimaryKey(const CString& strColumn);       // false for an unknown column
    int GetPrimaryKey() const { return m_nPrimaryKey; } // -1 without

    // Appends a row (values in column order) and returns it; it stays in place
    // until Clear.
    CWPFDataRow& AddRow(const std::vector<CString>& vecValues = {});
    int GetRowCount() const { return static_cast<int>(m_deqRows.size()); }
    const CWPFDataRow& GetRow(int nRow) const { return m_deqRows[nRow]; }
    CWPFDataRow& GetRow(int nRow) { return m_deqRows[nRow]; }
    bool IsEmpty() const { return m_deqRows.empty(); }
    void Clear() { m_deqRows.clear(); }

    // The rows that pass the filter, in the order asked for. Filter: "" (all) or
    // comparisons Column='value' joined with " AND "; order: "" (table order) or
    // a column name, optionally followed by " DESC". Returns the number of rows.
    int Select(std::vector<const CWPFDataRow*>& vecRows, const CString& strFilter,
               const CString& strOrder) const;

private:
    friend class CWPFDataSet;

    CString m_strName;
    CWPFDataSet* m_pDataSet = nullptr;
    std::vector<CString> m_vecColumns;
    int m_nPrimaryKey = -1;
    std::deque<CWPFDataRow> m_deqRows;
};
