#include "host/gui/WPFTKCheckBox.h"

#include <QCheckBox>

bool CWPFTKCheckBox::GetIsChecked() const {
    auto* pBox = qobject_cast<QCheckBox*>(GetWidget());
    return pBox && pBox->isChecked();
}

void CWPFTKCheckBox::SetIsChecked(bool bChecked) {
    if (auto* pBox = qobject_cast<QCheckBox*>(GetWidget())) pBox->setChecked(bChecked);
}

bool CWPFTKCheckBox::Accepts(const QWidget& widget) const {
    return qobject_cast<const QCheckBox*>(&widget) != nullptr;
}

void CWPFTKCheckBox::OnAttached() {
    QObject::connect(qobject_cast<QCheckBox*>(GetWidget()), &QCheckBox::clicked, Context(), [this] {
        CWPFRoutedEvent event(CWPFRoutedEvent::Art::Click, this);
        for (const WPFHandler& handler : m_vecClick)
            handler(event);
    });
}
