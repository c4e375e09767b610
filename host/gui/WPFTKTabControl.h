#pragma once
// A tab control; its selection-changed event is the tab selection change.
#include "host/gui/WPFSelector.h"

class CWPFTKTabControl : public CWPFSelector {
public:
    int GetSelectedIndex() const override;
    void SetSelectedIndex(int nIndex) override;
    int GetCount() const;

protected:
    bool Accepts(const QWidget& widget) const override;
    const char* ExpectedClass() const override { return "QTabWidget"; }
    void OnAttached() override;
};
