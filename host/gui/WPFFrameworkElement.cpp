#include "host/gui/WPFFrameworkElement.h"

#include "host/Cp1252.h"
#include "host/HostServices.h"
#include "host/gui/QtText.h"
#include "host/gui/WPFWndBase.h"

#include <QApplication>
#include <QSizePolicy>

namespace {

void ReportLayoutFault(const CString& strText) {
    HaltE(Utf8ToCp1252("Fehler in der Dialogvorlage"), strText);
}

} // namespace

CWPFFrameworkElement::CWPFFrameworkElement() = default;
CWPFFrameworkElement::~CWPFFrameworkElement() = default;

bool CWPFFrameworkElement::Attach(CWPFWndBase& dialog, const CString& strName) {
    m_pContext = std::make_unique<QObject>(); // drops the connections to an earlier element
    m_pWidget = nullptr;
    m_strName = strName;
    if (!dialog.HasLayout()) return false;
    QWidget* pWidget = dialog.FindNode(strName);
    if (!pWidget) {
        ReportLayoutFault(Utf8ToCp1252("Im Dialog \"") + dialog.GetLayoutName() +
                          "\" fehlt das Element \"" + strName + "\".");
        return false;
    }
    if (!Accepts(*pWidget)) {
        ReportLayoutFault(Utf8ToCp1252("Das Element \"") + strName + "\" im Dialog \"" +
                          dialog.GetLayoutName() + "\" ist ein " +
                          pWidget->metaObject()->className() + ", erwartet wird " +
                          ExpectedClass() + ".");
        return false;
    }
    m_pWidget = pWidget;
    OnAttached();
    return true;
}

bool CWPFFrameworkElement::Accepts(const QWidget&) const {
    return true;
}

void CWPFFrameworkElement::SetIsEnabled(bool bEnabled) {
    if (m_pWidget) m_pWidget->setEnabled(bEnabled);
}

bool CWPFFrameworkElement::GetIsEnabled() const {
    return m_pWidget && m_pWidget->isEnabled();
}

void CWPFFrameworkElement::SetVisibility(int nVisibility) {
    if (!m_pWidget) return;
    QSizePolicy policy = m_pWidget->sizePolicy();
    policy.setRetainSizeWhenHidden(nVisibility == kHidden);
    m_pWidget->setSizePolicy(policy);
    m_pWidget->setVisible(nVisibility == kVisible);
}

int CWPFFrameworkElement::GetVisibility() const {
    if (!m_pWidget) return kCollapsed;
    if (!m_pWidget->isHidden()) return kVisible;
    return m_pWidget->sizePolicy().retainSizeWhenHidden() ? kHidden : kCollapsed;
}

void CWPFFrameworkElement::SetToolTip(const CString& strToolTip) {
    if (m_pWidget) m_pWidget->setToolTip(ToQString(strToolTip));
}

CString CWPFFrameworkElement::GetToolTip() const {
    return m_pWidget ? FromQString(m_pWidget->toolTip()) : CString();
}

bool CWPFFrameworkElement::GetIsKeyboardFocusWithin() const {
    const QWidget* pFocus = QApplication::focusWidget();
    return m_pWidget && pFocus && (pFocus == m_pWidget || m_pWidget->isAncestorOf(pFocus));
}
