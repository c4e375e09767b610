#include "host/gui/WPFEventHandler.h"

#include "host/Cp1252.h"
#include "host/HostServices.h"

#include <exception>

bool CWPFEventHandler::ExceptionFilter(const std::function<void()>& fn) {
    const CString strTitel = Utf8ToCp1252("Unerwarteter Fehler");
    try {
        fn();
        return true;
    } catch (const std::exception& e) {
        HaltE(strTitel, Utf8ToCp1252(std::string("Die Aktion wurde abgebrochen:\n") + e.what()));
    } catch (...) {
        HaltE(strTitel, Utf8ToCp1252("Die Aktion wurde abgebrochen."));
    }
    return false;
}
