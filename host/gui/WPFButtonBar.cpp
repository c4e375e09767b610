#include "host/gui/WPFButtonBar.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>

CWPFButtonBar::CWPFButtonBar(QWidget* pWindow, std::function<void(int)> fnCommand)
    : QWidget(pWindow), m_pWindow(pWindow), m_fnCommand(std::move(fnCommand)),
      m_pLayout(new QHBoxLayout(this)) {
    m_pLayout->setContentsMargins(12, 8, 12, 12);
    m_pLayout->setSpacing(8);
    m_pLayout->addStretch(1);
}

void CWPFButtonBar::AddButton(int nNummer, const QString& strCaption, bool bEnabled) {
    const TKButtonInfo* pInfo = FindTKButton(nNummer);
    if (!pInfo || m_mapEntries.count(nNummer)) return;
    auto* pButton = new QPushButton(strCaption, this);
    pButton->setObjectName(QStringLiteral("TKButton%1").arg(nNummer));
    pButton->setAutoDefault(false);
    pButton->setDefault(nNummer == TKSpeichern);
    pButton->setMinimumWidth(96);
    if (pInfo->bRechts) {
        m_pLayout->addWidget(pButton);
    } else {
        m_pLayout->insertWidget(m_nLeftCount++, pButton);
    }
    QAction* pAction = nullptr;
    const QKeySequence keys(QString::fromLatin1(pInfo->szShortcut));
    if (!keys.isEmpty()) {
        pAction = new QAction(pButton);
        pAction->setShortcut(keys);
        pAction->setShortcutContext(Qt::WindowShortcut);
        m_pWindow->addAction(pAction);
        QObject::connect(pAction, &QAction::triggered, this,
                         [this, nNummer] { m_fnCommand(nNummer); });
        pButton->setToolTip(
            QStringLiteral("%1 (%2)").arg(strCaption, keys.toString(QKeySequence::NativeText)));
    } else if (pInfo->eCommand == TKCommand::Exit) {
        pButton->setToolTip(QStringLiteral("%1 (Esc)").arg(strCaption));
    }
    QObject::connect(pButton, &QPushButton::clicked, this,
                     [this, nNummer] { m_fnCommand(nNummer); });
    m_mapEntries[nNummer] = Entry{pButton, pAction};
    SetButtonEnabled(nNummer, bEnabled);
}

void CWPFButtonBar::SetCaption(int nNummer, const QString& strCaption) {
    if (QPushButton* pButton = GetButton(nNummer)) pButton->setText(strCaption);
}

void CWPFButtonBar::SetButtonEnabled(int nNummer, bool bEnabled) {
    const auto it = m_mapEntries.find(nNummer);
    if (it == m_mapEntries.end()) return;
    it->second.pButton->setEnabled(bEnabled);
    if (it->second.pAction) it->second.pAction->setEnabled(bEnabled);
}

QPushButton* CWPFButtonBar::GetButton(int nNummer) const {
    const auto it = m_mapEntries.find(nNummer);
    return it == m_mapEntries.end() ? nullptr : it->second.pButton;
}
