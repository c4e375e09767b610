#pragma once
// A modal dialog on a layout resource (LayoutLoader.h) with the host's button bar.
//
// Create builds the window: it loads the layout, adds the button bar, calls
// OnInitDialog (where subclasses attach their elements and fill them) and sizes
// the window; DoModal does the same if needed and runs the dialog until
// EndDialog. A layout whose root has the property "scrollable" set may be made
// smaller than it needs: it then scrolls inside the window. The buttons, their shortcuts, Esc and
// the window's close button lead to the virtual commands below; a command's button must be enabled.
#include "host/CString.h"
#include "host/gui/WPFWndBase.h"

#include <QDialog>
#include <QPointer>
#include <QString>
#include <map>
#include <memory>
#include <vector>

class CInputBlocker;
class CWPFFrameworkElement;

class CWPFDialog : public CWPFWndBase {
public:
    static constexpr int kEndExit = 0;    // end code of OnExit
    static constexpr int kEndSaved = 1;   // end code of OnSaveAndExit
    static constexpr int kEndFailed = -1; // DoModal without a layout

    CWPFDialog(const CString& strLayout, CWnd* pParent);
    ~CWPFDialog() override;

    // False when the layout cannot be loaded (reported in the host's error box).
    bool Create();
    int DoModal();
    void EndDialog(int nCode);
    int GetEndCode() const { return m_nEndCode; }

    void SetTitle(const CString& strTitle);
    CString GetTitle() const;
    void SetHelpName(const CString& strHelpName) { m_strHelpName = strHelpName; }
    const CString& GetHelpName() const { return m_strHelpName; }
    void SetButtonCaption(int nButton, const CString& strCaption);

    // True when no input element under pElement (nullptr: the whole dialog) differs
    // from its state at the end of OnInitDialog.
    bool NoChanges(QWidget* pElement = nullptr) const;
    bool NoChanges(const CWPFFrameworkElement& element) const;

    // Gives the window its default size on a screen of the given free area: the
    // size drawn in the layout, at most 97 % of the width and 90 % of the height.
    void FitToScreen(QSize sizeAvailable);

    QWidget* GetQWidget() const override;
    QDialog* GetDialog() const { return m_pWindow; }

    // Returns the layout's root element; overrides call it first.
    virtual QWidget* OnInitDialog();
    virtual void OnPrint() {}
    virtual void OnConfig() {}
    virtual void OnUnSelect() {}
    virtual void OnBearbeiten() {}
    virtual void OnSaveAndExit() { EndDialog(kEndSaved); }
    virtual void OnExit() { EndDialog(kEndExit); }
    // Esc and the window's close button; by default the same as OnExit.
    virtual void OnClosing() { OnExit(); }
    virtual void OnCTRL_A() {}
    virtual void OnCTRL_R() {}
    virtual void OnCTRL_T() {}
    virtual void OnCTRL_Y() {}
    virtual void OnCTRL_N() {} // Ctrl+N, a command without a button

    // Runs the command of a host button if the button is enabled and input is not blocked.
    void RunCommand(int nButton);

    // While blocked, the window drops the user's keys, clicks, shortcuts and
    // commands (a long operation is running and processes events); other windows,
    // such as its progress box, still take theirs.
    void BlockInput(bool bBlock);
    bool IsInputBlocked() const { return m_pInputBlocker != nullptr; }

protected:
    // The buttons shown when the layout does not list them.
    virtual std::vector<int> DefaultHostButtons() const;

private:
    void AddButtonBar(QWidget* pRoot);
    void TakeSnapshot();
    void FitWindowSize();

    CWnd* m_pParent;
    CString m_strTitle;
    CString m_strHelpName;
    std::map<int, CString> m_mapCaptions;
    QPointer<QDialog> m_pWindow;
    QPointer<QWidget> m_pRoot;
    QSize m_sizeLayout; // as drawn in the layout
    int m_nEndCode = kEndExit;
    bool m_bEnded = false;
    std::vector<std::pair<QPointer<QWidget>, QString>> m_vecSnapshot;
    std::unique_ptr<CInputBlocker> m_pInputBlocker;
};
