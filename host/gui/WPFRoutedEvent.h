#pragma once
// What an event handler of a dialog learns about the event: which element sent
// it and, for clicks into a list, the row and column.
#include <functional>

class CWPFFrameworkElement;
class CWPFMatrixBase;

class CWPFRoutedEvent {
public:
    enum class Art { Click, HeaderClick, SelectionChanged, TabSelectionChanged };

    CWPFRoutedEvent(Art art, CWPFFrameworkElement* pSource) : m_eArt(art), m_pSource(pSource) {}

    // The clicked cell as matrix row and matrix column. False when the click hit
    // no cell, or when the list shows another matrix than the one asked about.
    bool GetClickRowAndCol(const CWPFMatrixBase& matrix, int& nRow, int& nCol) const;
    // The list column (0 = the first one shown) whose header was clicked; -1 otherwise.
    int GetGridViewColumnHeaderClickCol() const {
        return m_eArt == Art::HeaderClick ? m_nHeaderCol : -1;
    }

    Art m_eArt;
    CWPFFrameworkElement* m_pSource;
    const CWPFMatrixBase* m_pMatrix = nullptr; // the matrix the list shows
    int m_nRow = -1;                           // clicked matrix row
    int m_nCol = -1;                           // clicked matrix column
    int m_nViewCol = -1;                       // clicked list column
    int m_nHeaderCol = -1;                     // list column of a header click
};

using WPFHandler = std::function<void(CWPFRoutedEvent&)>;
