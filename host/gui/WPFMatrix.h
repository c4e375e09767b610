#pragma once
// The matrix with its column count in the type, as the dialogs declare it
// (CWPFMatrix<26> for the lab-turnover list, CWPFMatrix<2> for a combo box).
#include "host/gui/WPFMatrixBase.h"

template <int N> class CWPFMatrix : public CWPFMatrixBase {
    static_assert(N > 0, "a matrix has at least one column");

public:
    CWPFMatrix() : CWPFMatrixBase(N) {}
};
