#pragma once
// Base of the toolkit's windows: the layout name, the named elements of the
// loaded layout, and the enabled state of the host buttons by number.
#include "host/CString.h"
#include "host/gui/GuiWnd.h"
#include "host/gui/WPFButtonBar.h"
#include "host/gui/WPFEventHandler.h"
#include "host/gui/WPFNodeCache.h"

#include <QPointer>
#include <map>

class CWPFWndBase : public CWnd, public CWPFEventHandler, public CWPFNodeCache {
public:
    explicit CWPFWndBase(const CString& strLayout) : m_strLayout(strLayout) {}
    ~CWPFWndBase() override = default;
    CWPFWndBase(const CWPFWndBase&) = delete;
    CWPFWndBase& operator=(const CWPFWndBase&) = delete;

    const CString& GetLayoutName() const { return m_strLayout; }
    // The layout was loaded; until then, or when it is missing, Attach finds nothing
    // and stays quiet (the missing layout was reported once).
    bool HasLayout() const { return m_bHasLayout; }

    // Host buttons by number (TKButtonClass). A number never set counts as enabled.
    void SetIsEnabled(int nButton, bool bEnabled);
    bool GetIsEnabled(int nButton) const;

protected:
    void SetLayoutLoaded(bool bLoaded) { m_bHasLayout = bLoaded; }
    void SetButtonBar(CWPFButtonBar* pBar) { m_pButtonBar = pBar; }
    CWPFButtonBar* GetButtonBar() const { return m_pButtonBar; }

private:
    CString m_strLayout;
    bool m_bHasLayout = false;
    std::map<int, bool> m_mapEnabled;
    QPointer<CWPFButtonBar> m_pButtonBar;
};
