#include "host/gui/DisplayCheck.h"

#include "host/Cp1252.h"

#include <cstdlib>
#include <dlfcn.h>
#include <string>

namespace {

std::string Env(const char* szName) {
    const char* psz = std::getenv(szName);
    return psz ? psz : "";
}

// Connects to the X server as Qt's xcb platform would; the library is loaded at run
// time, as the platform plugin does. True when the library is not there: Qt decides.
bool CanConnectX11(const std::string& strDisplay) {
    void* pLib = dlopen("libxcb.so.1", RTLD_NOW | RTLD_LOCAL);
    if (!pLib) return true;
    using Connect = void* (*)(const char*, int*);
    using HasError = int (*)(void*);
    using Disconnect = void (*)(void*);
    auto connect = reinterpret_cast<Connect>(dlsym(pLib, "xcb_connect"));
    auto hasError = reinterpret_cast<HasError>(dlsym(pLib, "xcb_connection_has_error"));
    auto disconnect = reinterpret_cast<Disconnect>(dlsym(pLib, "xcb_disconnect"));
    bool bOk = true;
    if (connect && hasError && disconnect) {
        void* pConnection = connect(strDisplay.c_str(), nullptr);
        bOk = pConnection && hasError(pConnection) == 0;
        if (pConnection) disconnect(pConnection); // also frees a failed connection
    }
    dlclose(pLib);
    return bOk;
}

} // namespace

bool CanOpenDisplay(CString& strError) {
    const std::string strPlatform = Env("QT_QPA_PLATFORM");
    if (strPlatform.empty() && !Env("WAYLAND_DISPLAY").empty()) return true; // Qt chooses
    if (!strPlatform.empty() && strPlatform.rfind("xcb", 0) != 0) return true;
    const std::string strDisplay = Env("DISPLAY");
    if (strDisplay.empty()) {
        strError = "Kein Bildschirm vorhanden (DISPLAY ist nicht gesetzt).";
        return false;
    }
    if (CanConnectX11(strDisplay)) return true;
    strError = Utf8ToCp1252("Der Bildschirm \"" + strDisplay +
                            "\" (DISPLAY) lässt sich nicht öffnen; die Dialoge können nicht "
                            "gezeigt werden.");
    return false;
}
