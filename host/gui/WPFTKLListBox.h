#pragma once
// A list of matrix rows with multi-selection (a QListView of the layout, or any
// other item view). It owns the model between its view and the matrix.
#include "host/gui/WPFListModel.h"
#include "host/gui/WPFSelector.h"

#include <memory>
#include <vector>

class QAbstractItemView;

class CWPFTKLListBox : public CWPFSelector {
public:
    CWPFTKLListBox();
    ~CWPFTKLListBox() override;

    // Shows one column of the matrix.
    void BindMatrix(CWPFMatrixBase& matrix, int nShownCol);

    // The selected rows in the order they were selected; returns their number.
    int GetSelectedItems(std::vector<int>& vecRows) const;
    // The current row if it is selected, else the first selected one; -1 for none.
    int GetSelectedIndex() const override;
    // Selects just this row, makes it current and scrolls it into view.
    void SetSelectedIndex(int nIndex) override;

protected:
    bool Accepts(const QWidget& widget) const override;
    const char* ExpectedClass() const override { return "QAbstractItemView"; }
    void OnAttached() override;

    QAbstractItemView* View() const;
    CWPFListModel& Model() const { return *m_pModel; }
    void FlushMatrix() const; // the view sees every change before it is read

private:
    std::unique_ptr<CWPFListModel> m_pModel;
};
