#include "app/StatHostCommand.h"

#include "app/CommandHelp.h"
#include "app/StatHostWindow.h"
#include "host/Cp1252.h"
#include "host/HostServices.h"
#include "host/gui/DisplayCheck.h"
#include "host/gui/QtHostServices.h"

#include <QApplication>
#include <QDate>

#include <memory>

int CmdStatHost(int /*argc*/, char** argv) {
    if (CString strError; !CanOpenDisplay(strError))
        return UsageError("", Cp1252ToUtf8(strError) +
                                  " Das Statistikfenster kann nicht geöffnet werden. "
                                  "Bitte einen Befehl angeben.");
    int nArgc = 1;
    QApplication app(nArgc, argv);
    auto previous = InstallHostServices(std::make_shared<CQtHostServices>());
    {
        const QDate heute = QDate::currentDate();
        CStatHostWindow window({heute.year(), heute.month(), heute.day()});
        window.exec();
    }
    InstallHostServices(previous);
    return kExitOk;
}
