#pragma once
// One row of a data table: a text per column, reached by column name or number.
#include "host/CString.h"

#include <vector>

class CWPFDataTable;

class CWPFDataRow {
public:
    explicit CWPFDataRow(const CWPFDataTable& table);

    const CString& GetValue(int nCol) const; // "" outside
    const CString& GetValue(const CString& strColumn) const;
    void SetValue(int nCol, const CString& strValue); // ignored outside
    void SetValue(const CString& strColumn, const CString& strValue);
    const CString& operator[](const CString& strColumn) const { return GetValue(strColumn); }

private:
    const CWPFDataTable* m_pTable;
    std::vector<CString> m_vecValues;
};
