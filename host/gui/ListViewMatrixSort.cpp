#include "host/gui/ListViewMatrixSort.h"

#include "host/gui/MatrixSortKey.h"
#include "host/gui/WPFMatrixBase.h"
#include "host/gui/WPFTKLListView.h"

#include <algorithm>
#include <numeric>

namespace {

std::vector<CMatrixSortKey> Keys(const CWPFMatrixBase& matrix, int nCol, char cTyp) {
    std::vector<CMatrixSortKey> keys;
    keys.reserve(static_cast<std::size_t>(matrix.Count()));
    for (int nRow = 0, nCount = matrix.Count(); nRow < nCount; ++nRow)
        keys.push_back(CMatrixSortKey::Make(cTyp, matrix.GetValue(nRow, nCol)));
    return keys;
}

} // namespace

void CListViewMatrixSort::Init(CWPFTKLListView* pListView, CWPFMatrixBase* pMatrix, int nColumns,
                               const CString& strTypes) {
    m_pListView = pListView;
    m_pMatrix = pMatrix;
    m_nColumns = nColumns;
    m_strTypes = strTypes;
    m_nSortCol = -1;
    m_bSortAscending = true;
    m_vecVectorPos.clear();
}

char CListViewMatrixSort::GetColumnType(int nCol) const {
    if (nCol < 0 || nCol >= m_nColumns) return '0';
    return nCol < static_cast<int>(m_strTypes.size()) ? m_strTypes[nCol] : '1';
}

bool CListViewMatrixSort::IsSortable(int nCol) const {
    return m_pMatrix && nCol < m_pMatrix->GetColumnCount() && GetColumnType(nCol) != '0';
}

bool CListViewMatrixSort::SortMatrix(int nCol, bool bAscending, int nCol2, bool bAscending2) {
    if (!IsSortable(nCol)) return false;
    const int nCount = m_pMatrix->Count();
    if (static_cast<int>(m_vecVectorPos.size()) != nCount) SetVectorIndizesToMatrix();

    const std::vector<CMatrixSortKey> keys = Keys(*m_pMatrix, nCol, GetColumnType(nCol));
    std::vector<CMatrixSortKey> keys2;
    if (IsSortable(nCol2)) keys2 = Keys(*m_pMatrix, nCol2, GetColumnType(nCol2));
    std::vector<int> vecOrder(static_cast<std::size_t>(nCount));
    std::iota(vecOrder.begin(), vecOrder.end(), 0);
    std::stable_sort(vecOrder.begin(), vecOrder.end(), [&](int a, int b) {
        auto order = keys[a] <=> keys[b];
        if (order != 0) return bAscending ? order < 0 : order > 0;
        if (keys2.empty()) return false;
        order = keys2[a] <=> keys2[b];
        return bAscending2 ? order < 0 : order > 0;
    });
    m_pMatrix->ReorderRows(vecOrder);

    std::vector<int> vecPos(vecOrder.size());
    for (std::size_t i = 0; i < vecOrder.size(); ++i)
        vecPos[i] = m_vecVectorPos[vecOrder[i]];
    m_vecVectorPos.swap(vecPos);
    m_nSortCol = nCol;
    m_bSortAscending = bAscending;
    if (m_pListView) m_pListView->ShowSortIndicator(nCol, bAscending);
    return true;
}

bool CListViewMatrixSort::SortMatrixForClickedHeader(int nCol) {
    const bool bAscending = nCol == m_nSortCol ? !m_bSortAscending : true;
    return SortMatrix(nCol, bAscending);
}

void CListViewMatrixSort::SortVectorLikeMatrix(const std::function<void(int, int)>& fnSwap) {
    const int nCount = static_cast<int>(m_vecVectorPos.size());
    // at: the original entry now at a position; where: the position of an entry.
    std::vector<int> at(m_vecVectorPos.size()), where(m_vecVectorPos.size());
    std::iota(at.begin(), at.end(), 0);
    std::iota(where.begin(), where.end(), 0);
    for (int i = 0; i < nCount; ++i) {
        const int nWant = m_vecVectorPos[i];
        const int j = where[nWant];
        if (j == i) continue;
        fnSwap(i, j);
        const int nDisplaced = at[i];
        at[i] = nWant;
        where[nWant] = i;
        at[j] = nDisplaced;
        where[nDisplaced] = j;
    }
    std::iota(m_vecVectorPos.begin(), m_vecVectorPos.end(), 0);
}

void CListViewMatrixSort::SetVectorIndizesToMatrix() {
    m_vecVectorPos.resize(static_cast<std::size_t>(m_pMatrix ? m_pMatrix->Count() : 0));
    std::iota(m_vecVectorPos.begin(), m_vecVectorPos.end(), 0);
}
