#include "host/gui/WPFContentControl.h"

#include "host/gui/QtText.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>

void CWPFContentControl::SetContent(const CString& strContent) {
    const QString text = ToQString(strContent);
    if (auto* p = qobject_cast<QAbstractButton*>(GetWidget()))
        p->setText(text);
    else if (auto* p = qobject_cast<QLabel*>(GetWidget()))
        p->setText(text);
    else if (auto* p = qobject_cast<QGroupBox*>(GetWidget()))
        p->setTitle(text);
}

CString CWPFContentControl::GetContent() const {
    if (auto* p = qobject_cast<QAbstractButton*>(GetWidget())) return FromQString(p->text());
    if (auto* p = qobject_cast<QLabel*>(GetWidget())) return FromQString(p->text());
    if (auto* p = qobject_cast<QGroupBox*>(GetWidget())) return FromQString(p->title());
    return {};
}

bool CWPFContentControl::Accepts(const QWidget& widget) const {
    return qobject_cast<const QAbstractButton*>(&widget) || qobject_cast<const QLabel*>(&widget) ||
           qobject_cast<const QGroupBox*>(&widget);
}
