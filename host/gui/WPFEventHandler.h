#pragma once
// Guard around the dialogs' event handlers: an exception must not unwind through
// Qt's event loop, so it ends in the host's error box and the dialog goes on.
#include <functional>

class CWPFEventHandler {
public:
    // Runs fn; false when it threw.
    static bool ExceptionFilter(const std::function<void()>& fn);

protected:
    ~CWPFEventHandler() = default;
};
