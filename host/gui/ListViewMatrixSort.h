#pragma once
// Sorts the matrix of a list view by its column types (see MatrixSortKey.h) and
// carries the new order over to a vector the caller keeps parallel to the rows.
//
// The caller's vector is parallel after SetVectorIndizesToMatrix (usually right
// after a fill). Each sort moves the matrix rows at once and remembers where each
// row came from; SortVectorLikeMatrix then replays the order onto the vector with
// the caller's swap function, at most one swap per row.
#include "host/CString.h"

#include <functional>
#include <vector>

class CWPFMatrixBase;
class CWPFTKLListView;

class CListViewMatrixSort {
public:
    // strTypes holds one type character per matrix column; columns beyond
    // nColumns are not sortable. The list view (may be null) shows the order.
    void Init(CWPFTKLListView* pListView, CWPFMatrixBase* pMatrix, int nColumns,
              const CString& strTypes);
    void Init(CWPFTKLListView& listView, CWPFMatrixBase& matrix, int nColumns,
              const CString& strTypes) {
        Init(&listView, &matrix, nColumns, strTypes);
    }

    // Stable sort by nCol, ties by nCol2 (-1: none). False when nCol is not
    // sortable; the order then stays as it was.
    bool SortMatrix(int nCol, bool bAscending, int nCol2 = -1, bool bAscending2 = true);
    // A click on a header: the column sorted last turns round, any other column
    // sorts ascending.
    bool SortMatrixForClickedHeader(int nCol);

    // Reorders the caller's vector like the matrix rows: fnSwap(i, j) must swap its
    // entries i and j. Afterwards entry i belongs to matrix row i again.
    void SortVectorLikeMatrix(const std::function<void(int, int)>& fnSwap);
    // Declares the caller's vector parallel to the matrix as it stands now.
    void SetVectorIndizesToMatrix();

    char GetColumnType(int nCol) const;
    bool IsSortable(int nCol) const;
    int GetSortColumn() const { return m_nSortCol; } // -1 before the first sort
    bool GetSortAscending() const { return m_bSortAscending; }

private:
    CWPFTKLListView* m_pListView = nullptr;
    CWPFMatrixBase* m_pMatrix = nullptr;
    int m_nColumns = 0;
    CString m_strTypes;
    int m_nSortCol = -1;
    bool m_bSortAscending = true;
    std::vector<int> m_vecVectorPos; // matrix row i shows entry m_vecVectorPos[i] of the vector
};
