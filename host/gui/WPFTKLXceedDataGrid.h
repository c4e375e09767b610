#pragma once
// A master/detail grid (a QTreeView of the layout): the rows of a data table,
// each with its child rows of the table's first child relation as details. The
// primary key column is not shown, so grid column 0 is the table's first other
// column; nor is the detail table's column that ties it to the parent row. The grid shows the
// tables as they are when BindDataTable (or Refresh) runs; fill the tables first.
#include "host/gui/WPFFrameworkElement.h"

#include <map>
#include <memory>

class CWPFDataTable;
class QStandardItemModel;
class QTreeView;

class CWPFTKLXceedDataGrid : public CWPFFrameworkElement {
public:
    CWPFTKLXceedDataGrid();
    ~CWPFTKLXceedDataGrid() override;

    void BindDataTable(CWPFDataTable& table);
    void Refresh();
    void SetColumnTitle(int nCol, const CString& strTitle);
    // Opens the details of every row (the arguments are the layouts' own).
    void ExpandAllDetails(int nLevel = 1, bool bOnlyFirst = false, bool bRecursive = false);
    // Whether the user may open and close the details.
    void SetAllowDetailToggle(const CString& strRelation, bool bAllow);
    void SetCurrentIndex(int nRow); // a row of the bound table
    int GetCurrentIndex() const;    // -1 when no row of the bound table is current
    int GetRowCount() const;

protected:
    bool Accepts(const QWidget& widget) const override;
    const char* ExpectedClass() const override { return "QTreeView"; }
    void OnAttached() override;

private:
    QTreeView* Tree() const;
    void ApplyTitles();

    std::unique_ptr<QStandardItemModel> m_pModel;
    CWPFDataTable* m_pTable = nullptr;
    std::map<int, CString> m_mapTitles;
};
