#pragma once
// A group box; SetContent sets its title.
#include "host/gui/WPFContentControl.h"

class CWPFGroupBox : public CWPFContentControl {
protected:
    bool Accepts(const QWidget& widget) const override;
    const char* ExpectedClass() const override { return "QGroupBox"; }
};
