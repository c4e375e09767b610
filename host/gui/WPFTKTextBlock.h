#pragma once
// A text shown in the dialog (a label of the layout).
#include "host/gui/WPFFrameworkElement.h"

class CWPFTKTextBlock : public CWPFFrameworkElement {
public:
    void SetText(const CString& strText);
    CString GetText() const;

protected:
    bool Accepts(const QWidget& widget) const override;
    const char* ExpectedClass() const override { return "QLabel"; }
};
