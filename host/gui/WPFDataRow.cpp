#include "host/gui/WPFDataRow.h"

#include "host/gui/WPFDataTable.h"

namespace {
const CString kEmpty;
}

CWPFDataRow::CWPFDataRow(const CWPFDataTable& table)
    : m_pTable(&table), m_vecValues(static_cast<std::size_t>(table.GetColumnCount())) {}

const CString& CWPFDataRow::GetValue(int nCol) const {
    return nCol >= 0 && nCol < static_cast<int>(m_vecValues.size()) ? m_vecValues[nCol] : kEmpty;
}

const CString& CWPFDataRow::GetValue(const CString& strColumn) const {
    return GetValue(m_pTable->FindColumn(strColumn));
}

void CWPFDataRow::SetValue(int nCol, const CString& strValue) {
    if (nCol < 0) return;
    if (nCol >= static_cast<int>(m_vecValues.size())) {
        if (nCol >= m_pTable->GetColumnCount()) return;
        m_vecValues.resize(
            static_cast<std::size_t>(m_pTable->GetColumnCount())); // columns added later
    }
    m_vecValues[nCol] = strValue;
}

void CWPFDataRow::SetValue(const CString& strColumn, const CString& strValue) {
    SetValue(m_pTable->FindColumn(strColumn), strValue);
}
