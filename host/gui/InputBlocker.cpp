#include "host/gui/InputBlocker.h"

#include <QCoreApplication>
#include <QEvent>

namespace {

bool IsUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

} // namespace

CInputBlocker::CInputBlocker(QWidget* pWindow) : m_pWindow(pWindow) {
    if (QCoreApplication* pApp = QCoreApplication::instance()) pApp->installEventFilter(this);
}

CInputBlocker::~CInputBlocker() {
    if (QCoreApplication* pApp = QCoreApplication::instance()) pApp->removeEventFilter(this);
}

bool CInputBlocker::eventFilter(QObject* pWatched, QEvent* pEvent) {
    if (!m_pWindow || !IsUserInput(pEvent->type()) || !BelongsToWindow(pWatched)) return false;
    pEvent->accept(); // taken care of: nothing else acts on it
    return true;
}

// A widget of the window, or an object (a shortcut's action) owned by one.
bool CInputBlocker::BelongsToWindow(QObject* pObject) const {
    for (QObject* p = pObject; p; p = p->parent())
        if (p->isWidgetType()) return static_cast<QWidget*>(p)->window() == m_pWindow;
    return false;
}
