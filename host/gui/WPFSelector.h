#pragma once
// An element with a selected entry (combo box, list box, list view, tab control)
// and a selection-changed event. The event also follows selections made by code,
// as the dialogs rely on their busy flags to ignore those during initialisation.
#include "host/gui/WPFFrameworkElement.h"
#include "host/gui/WPFRoutedEvent.h"

#include <vector>

class CWPFMatrixBase;

class CWPFSelector : public CWPFFrameworkElement {
public:
    virtual int GetSelectedIndex() const = 0;      // -1: none
    virtual void SetSelectedIndex(int nIndex) = 0; // -1 clears the selection
    void AddSelectionChangedHandler(WPFHandler handler) {
        m_vecSelectionChanged.push_back(std::move(handler));
    }

protected:
    void FireSelectionChanged(CWPFRoutedEvent::Art art = CWPFRoutedEvent::Art::SelectionChanged);

private:
    std::vector<WPFHandler> m_vecSelectionChanged;
};

// The cell in nCol of the selected row; false (and "") without a selection.
bool DoGetMember(const CWPFSelector& selector, const CWPFMatrixBase& matrix, CString& strText,
                 int nCol);
// Selects the first row whose cell in nCol is strText; false, and the selection
// unchanged, when there is none.
bool DoSetMember(CWPFSelector& selector, const CWPFMatrixBase& matrix, const CString& strText,
                 int nCol);
