#include "host/gui/WPFDataTable.h"

#include "host/TextUtil.h"

#include <algorithm>
#include <utility>

namespace {

// "A='1' AND B='x'" as pairs of column name and value; false when malformed.
bool ParseFilter(const CString& strFilter, std::vector<std::pair<CString, CString>>& vecTerms) {
    CString strRest = Trim(strFilter);
    while (!strRest.empty()) {
        const std::size_t nEq = strRest.find('=');
        if (nEq == CString::npos) return false;
        const CString strColumn = Trim(strRest.substr(0, nEq));
        CString strValue = TrimLeft(strRest.substr(nEq + 1));
        if (strValue.empty() || strValue.front() != '\'') return false;
        const std::size_t nClose = strValue.find('\'', 1);
        if (nClose == CString::npos) return false;
        vecTerms.emplace_back(strColumn, strValue.substr(1, nClose - 1));
        strRest = Trim(strValue.substr(nClose + 1));
        if (strRest.empty()) break;
        if (strRest.compare(0, 4, "AND ") != 0) return false;
        strRest = Trim(strRest.substr(4));
    }
    return true;
}

} // namespace

void CWPFDataTable::AddColumns(const std::vector<CString>& vecNames) {
    m_vecColumns.insert(m_vecColumns.end(), vecNames.begin(), vecNames.end());
}

int CWPFDataTable::FindColumn(const CString& strName) const {
    const auto it = std::find(m_vecColumns.begin(), m_vecColumns.end(), strName);
    return it == m_vecColumns.end() ? -1 : static_cast<int>(it - m_vecColumns.begin());
}

bool CWPFDataTable::SetPrimaryKey(const CString& strColumn) {
    const int nCol = FindColumn(strColumn);
    if (nCol < 0) return false;
    m_nPrimaryKey = nCol;
    return true;
}

CWPFDataRow& CWPFDataTable::AddRow(const std::vector<CString>& vecValues) {
    CWPFDataRow& row = m_deqRows.emplace_back(*this);
    for (std::size_t n = 0; n < vecValues.size(); ++n)
        row.SetValue(static_cast<int>(n), vecValues[n]);
    return row;
}

int CWPFDataTable::Select(std::vector<const CWPFDataRow*>& vecRows, const CString& strFilter,
                          const CString& strOrder) const {
    vecRows.clear();
    std::vector<std::pair<CString, CString>> vecTerms;
    if (!ParseFilter(strFilter, vecTerms)) return 0;
    for (const CWPFDataRow& row : m_deqRows) {
        const bool bMatch = std::all_of(vecTerms.begin(), vecTerms.end(), [&](const auto& term) {
            return FindColumn(term.first) >= 0 && row.GetValue(term.first) == term.second;
        });
        if (bMatch) vecRows.push_back(&row);
    }
    CString strColumn = Trim(strOrder);
    bool bDescending = false;
    if (strColumn.size() > 5 && strColumn.compare(strColumn.size() - 5, 5, " DESC") == 0) {
        bDescending = true;
        strColumn = Trim(strColumn.substr(0, strColumn.size() - 5));
    }
    const int nCol = FindColumn(strColumn);
    if (nCol >= 0) {
        std::stable_sort(vecRows.begin(), vecRows.end(),
                         [&](const CWPFDataRow* a, const CWPFDataRow* b) {
                             return bDescending ? b->GetValue(nCol) < a->GetValue(nCol)
                                                : a->GetValue(nCol) < b->GetValue(nCol);
                         });
    }
    return static_cast<int>(vecRows.size());
}
