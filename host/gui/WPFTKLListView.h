#pragma once
// The list view of the evaluation dialogs: a table over a matrix with a chosen
// set of columns, check boxes, colour codes and multi-selection.
//
// A check-box cell turns round when the user clicks it or presses space on the
// current row; the matrix cell becomes "True" or "False" first, then the click
// event follows. Such a click leaves the selection alone, so a handler can apply
// the new state to every selected row. Clicks on other cells select as usual and
// raise the click event too. Header clicks raise the header-click event; sorting
// is the dialog's business (CListViewMatrixSort), the header only shows it.
//
// Columns are fitted to their content once, the first time the list shows rows
// after they were added, from a sample of rows; later refills keep the widths,
// also those the user set.
#include "host/gui/TKHorizontalAlignment.h"
#include "host/gui/WPFTKLListBox.h"

#include <memory>

class QTableView;

class CWPFTKLListView : public CWPFTKLListBox {
public:
    CWPFTKLListView();
    ~CWPFTKLListView() override;

    void BindMatrix(CWPFMatrixBase& matrix);

    void ClearColumns();
    void AddTextBlockColumn(const CString& strTitle, int nMatrixCol, TKHorizontalAlignment eAlign,
                            const CString& strToolTip);
    void AddCheckBoxColumn(const CString& strTitle, int nMatrixCol, const CString& strToolTip);
    int GetColumnCount() const { return Model().GetColumnCount(); }
    int GetColumnMatrixCol(int nViewCol) const; // -1 outside

    // Fits the columns not yet fitted; ResizeColumnsToContents fits all again.
    void AutoSizeGridViewColumns();
    void ResizeColumnsToContents();

    // The matrix column holding each row's colour code (WPFColorCodes.h).
    void SetForegroundColumn(int nMatrixCol);
    void SetBackgroundColumn(int nMatrixCol);

    void AddClickHandler(WPFHandler handler) { m_vecClick.push_back(std::move(handler)); }
    void AddHeaderClickHandler(WPFHandler handler) {
        m_vecHeaderClick.push_back(std::move(handler));
    }

    // Marks the header of the list column that shows nMatrixCol.
    void ShowSortIndicator(int nMatrixCol, bool bAscending);

    // Turns the check box of a cell round and raises the click event, as a user's click does.
    void ClickCheckBox(int nRow, int nViewCol);

    // Fits the columns of any list view of this toolkit; bAll also refits fitted ones.
    static void FitColumns(QTableView& view, CWPFListModel& model, bool bAll);

protected:
    bool Accepts(const QWidget& widget) const override;
    const char* ExpectedClass() const override { return "QTableView"; }
    void OnAttached() override;

private:
    class CInput;

    QTableView* Table() const;
    int CheckBoxColumn() const;
    void FireClick(int nRow, int nViewCol);
    void FireHeaderClick(int nViewCol);
    void ApplySortIndicator();
    void Fit(bool bAll);

    std::unique_ptr<CInput> m_pInput;
    std::vector<WPFHandler> m_vecClick;
    std::vector<WPFHandler> m_vecHeaderClick;
    int m_nSortMatrixCol = -1;
    bool m_bSortAscending = true;
};
