#pragma once
// The host's window handle, made concrete for the Qt toolkit. The module passes
// CWnd* through without looking inside (host/Wnd.h); the toolkit's dialogs derive
// from it, so that a dialog opened from another one gets its window as parent.
class QWidget;

class CWnd {
public:
    virtual ~CWnd() = default;
    // The Qt window, nullptr while it does not exist.
    virtual QWidget* GetQWidget() const = 0;
};
