#include "host/gui/WPFTKTabControl.h"

#include <QTabWidget>

int CWPFTKTabControl::GetSelectedIndex() const {
    auto* pTabs = qobject_cast<QTabWidget*>(GetWidget());
    return pTabs ? pTabs->currentIndex() : -1;
}

void CWPFTKTabControl::SetSelectedIndex(int nIndex) {
    if (auto* pTabs = qobject_cast<QTabWidget*>(GetWidget())) pTabs->setCurrentIndex(nIndex);
}

int CWPFTKTabControl::GetCount() const {
    auto* pTabs = qobject_cast<QTabWidget*>(GetWidget());
    return pTabs ? pTabs->count() : 0;
}

bool CWPFTKTabControl::Accepts(const QWidget& widget) const {
    return qobject_cast<const QTabWidget*>(&widget) != nullptr;
}

void CWPFTKTabControl::OnAttached() {
    QObject::connect(qobject_cast<QTabWidget*>(GetWidget()), &QTabWidget::currentChanged, Context(),
                     [this] { FireSelectionChanged(CWPFRoutedEvent::Art::TabSelectionChanged); });
}
