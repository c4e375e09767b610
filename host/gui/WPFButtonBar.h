#pragma once
// The bar of host buttons at the bottom of a dialog, with one window-wide
// shortcut per button. A click or a shortcut of an enabled button reports the
// button's number.
#include "host/gui/TKButtonClass.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <map>

class QAction;
class QHBoxLayout;
class QPushButton;

class CWPFButtonBar : public QWidget {
public:
    // The shortcuts are added to pWindow, the bar's dialog window.
    CWPFButtonBar(QWidget* pWindow, std::function<void(int)> fnCommand);

    // Adds the button of a number (ignored without a TKButtonInfo).
    void AddButton(int nNummer, const QString& strCaption, bool bEnabled);
    void SetCaption(int nNummer, const QString& strCaption);
    void SetButtonEnabled(int nNummer, bool bEnabled);
    QPushButton* GetButton(int nNummer) const; // nullptr when not shown

private:
    struct Entry {
        QPushButton* pButton;
        QAction* pAction;
    };

    QWidget* m_pWindow;
    std::function<void(int)> m_fnCommand;
    QHBoxLayout* m_pLayout;
    int m_nLeftCount = 0; // buttons before the stretch
    std::map<int, Entry> m_mapEntries;
};
