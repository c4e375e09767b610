#pragma once
// The columns of the lab-turnover list per view: title, matrix column, alignment
// and tool tip, in display order after the check-box column.
#include "host/CString.h"
#include "host/gui/TKHorizontalAlignment.h"

#include <vector>

class CLUDefault;

enum LUViewType : int {
    kViewNormal = 0,   // without technical material
    kViewTechnMat = 1, // with technical material
};

struct LUColumn {
    CString strTitle;
    int nMatrixCol;
    TKHorizontalAlignment eAlign;
    CString strToolTip;
};

// The text columns of the view; bStorno adds the cancellation date at the end.
std::vector<LUColumn> LUViewColumns(int nView, bool bMitPatName, bool bStorno);

// The type character of every matrix column 0 .. 24 for the sorter.
extern const char* const kLUSortTypes;
