#include "host/gui/WPFTKTextBlock.h"

#include "host/gui/QtText.h"

#include <QLabel>

void CWPFTKTextBlock::SetText(const CString& strText) {
    if (auto* pLabel = qobject_cast<QLabel*>(GetWidget())) pLabel->setText(ToQString(strText));
}

CString CWPFTKTextBlock::GetText() const {
    auto* pLabel = qobject_cast<QLabel*>(GetWidget());
    return pLabel ? FromQString(pLabel->text()) : CString();
}

bool CWPFTKTextBlock::Accepts(const QWidget& widget) const {
    return qobject_cast<const QLabel*>(&widget) != nullptr;
}
