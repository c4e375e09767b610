#pragma once
// The host's standard dialog: "Speichern" (the default button, Ctrl+S) and
// "Abbrechen" (Esc) unless the layout lists other buttons.
#include "host/gui/WPFDialog.h"

class CWPFVxDialog : public CWPFDialog {
public:
    CWPFVxDialog(const CString& strLayout, CWnd* pParent);

protected:
    std::vector<int> DefaultHostButtons() const override;
};
