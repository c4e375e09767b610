#pragma once
// A check box. Its click event comes only from the user (mouse or space key),
// not from SetIsChecked.
#include "host/gui/WPFContentControl.h"
#include "host/gui/WPFRoutedEvent.h"

#include <vector>

class CWPFTKCheckBox : public CWPFContentControl {
public:
    bool GetIsChecked() const;
    void SetIsChecked(bool bChecked);
    void AddClickHandler(WPFHandler handler) { m_vecClick.push_back(std::move(handler)); }

protected:
    bool Accepts(const QWidget& widget) const override;
    const char* ExpectedClass() const override { return "QCheckBox"; }
    void OnAttached() override;

private:
    std::vector<WPFHandler> m_vecClick;
};
