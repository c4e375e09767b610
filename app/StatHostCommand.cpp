#include "app/StatHostCommand.h"

#include "app/Args.h"
#include "app/CommandHelp.h"
#include "app/StatHostChoices.h"
#include "app/StatHostWindow.h"
#include "host/Cp1252.h"
#include "host/HostServices.h"
#include "host/gui/DisplayCheck.h"
#include "host/gui/QtHostServices.h"

#include <QApplication>
#include <QDate>

#include <filesystem>
#include <memory>

namespace {

// Paths are remembered whole, so that they are found from any folder; a database
// location that names no file (a server) stays as it is.
std::string WholePath(const std::string& strPath, bool bOrdner) {
    std::error_code ec;
    if (!bOrdner && !std::filesystem::exists(strPath, ec)) return strPath;
    const auto path = std::filesystem::absolute(strPath, ec);
    return ec ? strPath : path.lexically_normal().string();
}

} // namespace

bool IsStatHostOption(const std::string& strWord) {
    return strWord == "--db" || strWord == "--data";
}

int CmdStatHost(int argc, char** argv) {
    const Args args(argc, argv, 1, {"db", "data"});
    if (!args.Error().empty()) return UsageError("", args.Error());
    if (!args.Positional().empty())
        return UsageError("", "Unerwartetes Argument: " + args.Positional()[0]);
    if (CString strError; !CanOpenDisplay(strError))
        return UsageError("", Cp1252ToUtf8(strError) +
                                  " Das Statistikfenster kann nicht geöffnet werden. "
                                  "Bitte einen Befehl angeben.");
    if (args.Get("db") || args.Get("data")) {
        StatHostChoices choices = LoadStatHostChoices();
        if (const auto db = args.Get("db")) choices.strDatenbank = WholePath(*db, false);
        if (const auto data = args.Get("data")) choices.strDatenordner = WholePath(*data, true);
        SaveStatHostChoices(choices);
    }
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
