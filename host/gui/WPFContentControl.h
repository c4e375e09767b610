#pragma once
// An element with a caption: the text of a button or check box, of a label, or
// the title of a group box.
#include "host/gui/WPFFrameworkElement.h"

class CWPFContentControl : public CWPFFrameworkElement {
public:
    void SetContent(const CString& strContent);
    CString GetContent() const;

protected:
    bool Accepts(const QWidget& widget) const override;
    const char* ExpectedClass() const override { return "QAbstractButton, QLabel oder QGroupBox"; }
};
