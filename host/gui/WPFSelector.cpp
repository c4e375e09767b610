#include "host/gui/WPFSelector.h"

#include "host/gui/WPFMatrixBase.h"

void CWPFSelector::FireSelectionChanged(CWPFRoutedEvent::Art art) {
    CWPFRoutedEvent event(art, this);
    for (const WPFHandler& handler : m_vecSelectionChanged)
        handler(event);
}

bool DoGetMember(const CWPFSelector& selector, const CWPFMatrixBase& matrix, CString& strText,
                 int nCol) {
    const int nRow = selector.GetSelectedIndex();
    strText = matrix.GetValue(nRow, nCol);
    return nRow >= 0 && nRow < matrix.Count();
}

bool DoSetMember(CWPFSelector& selector, const CWPFMatrixBase& matrix, const CString& strText,
                 int nCol) {
    const int nRow = matrix.FindRow(strText, nCol);
    if (nRow < 0) return false;
    selector.SetSelectedIndex(nRow);
    return true;
}
