#pragma once
// A combo box showing one column of a matrix, or two joined with a blank. Its
// choice changes only when the user works in it: a mouse wheel passing over a box
// without the focus changes nothing.
#include "host/gui/WPFListModel.h"
#include "host/gui/WPFSelector.h"

#include <memory>

class CWPFTKLComboBox : public CWPFSelector {
public:
    CWPFTKLComboBox();
    ~CWPFTKLComboBox() override;

    void BindMatrix(CWPFMatrixBase& matrix, int nShownCol);
    void BindMatrix2(CWPFMatrixBase& matrix, int nShownCol1, int nShownCol2);

    CString GetData() const; // the shown text of the selected entry
    int GetSelectedIndex() const override;
    void SetSelectedIndex(int nIndex) override;
    // The text shown while nothing is selected.
    void SetPlaceholderText(const CString& strText);

protected:
    bool Accepts(const QWidget& widget) const override;
    const char* ExpectedClass() const override { return "QComboBox"; }
    void OnAttached() override;

private:
    void Bind(CWPFMatrixBase& matrix, int nCol1, int nCol2);
    void FlushMatrix() const;

    class CWheelGuard;
    std::unique_ptr<CWPFListModel> m_pModel;
    std::unique_ptr<CWheelGuard> m_pWheelGuard;
};
