#include "host/gui/WPFVxDialog.h"

#include "host/gui/TKButtonClass.h"

CWPFVxDialog::CWPFVxDialog(const CString& strLayout, CWnd* pParent)
    : CWPFDialog(strLayout, pParent) {
    SetButtonCaption(TKSchliessen, "Abbrechen");
}

std::vector<int> CWPFVxDialog::DefaultHostButtons() const {
    return {TKSpeichern, TKSchliessen};
}
