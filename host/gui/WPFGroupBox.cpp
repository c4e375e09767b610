#include "host/gui/WPFGroupBox.h"

#include <QGroupBox>

bool CWPFGroupBox::Accepts(const QWidget& widget) const {
    return qobject_cast<const QGroupBox*>(&widget) != nullptr;
}
