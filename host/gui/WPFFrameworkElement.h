#pragma once
// A control wrapper bound to a named element of a dialog's layout.
//
// Attach looks the name up in the loaded layout and checks the element's Qt
// class. When the layout lacks the element, or it is of another kind, the host's
// error box names the dialog and the element, Attach returns false and the
// wrapper stays unbound: every call on it then does nothing and reads as empty,
// disabled and collapsed, so a faulty layout never crashes a dialog.
#include "host/CString.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <memory>

class CWPFWndBase;

class CWPFFrameworkElement {
public:
    // Visibility values of the layouts.
    static constexpr int kVisible = 0;
    static constexpr int kHidden = 1;    // invisible, keeps its place
    static constexpr int kCollapsed = 2; // invisible, gives its place away

    CWPFFrameworkElement();
    virtual ~CWPFFrameworkElement();
    CWPFFrameworkElement(const CWPFFrameworkElement&) = delete;
    CWPFFrameworkElement& operator=(const CWPFFrameworkElement&) = delete;

    bool Attach(CWPFWndBase& dialog, const CString& strName);
    bool Attach(CWPFWndBase* pDialog, const CString& strName) {
        return pDialog && Attach(*pDialog, strName);
    }
    bool IsAttached() const { return m_pWidget != nullptr; }
    QWidget* GetWidget() const { return m_pWidget; }
    const CString& GetName() const { return m_strName; }

    void SetIsEnabled(bool bEnabled);
    bool GetIsEnabled() const;
    void SetVisibility(int nVisibility);
    int GetVisibility() const;
    void SetToolTip(const CString& strToolTip);
    CString GetToolTip() const;
    bool GetIsKeyboardFocusWithin() const;

protected:
    // The Qt class the element must have (checked by Attach) and its name for the message.
    virtual bool Accepts(const QWidget& widget) const;
    virtual const char* ExpectedClass() const { return "QWidget"; }
    // Called after a successful Attach: connect the element's signals here, with
    // Context() as context object, so that they end with the wrapper.
    virtual void OnAttached() {}
    QObject* Context() const { return m_pContext.get(); }

private:
    QPointer<QWidget> m_pWidget;
    CString m_strName;
    std::unique_ptr<QObject> m_pContext;
};
