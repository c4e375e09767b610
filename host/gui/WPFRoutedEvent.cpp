#include "host/gui/WPFRoutedEvent.h"

bool CWPFRoutedEvent::GetClickRowAndCol(const CWPFMatrixBase& matrix, int& nRow, int& nCol) const {
    if (m_eArt != Art::Click || m_pMatrix != &matrix || m_nRow < 0) return false;
    nRow = m_nRow;
    nCol = m_nCol;
    return true;
}
