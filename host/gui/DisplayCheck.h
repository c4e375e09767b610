#pragma once
// Whether the window system can be reached before a QApplication is built: Qt
// ends the program when its platform cannot connect to the display, so the
// program asks first and can tell the user in German.
#include "host/CString.h"

// True when the dialogs can be shown. Otherwise false with a German strError
// (Windows-1252) naming the display. Platforms other than X11 are left to Qt.
bool CanOpenDisplay(CString& strError);
