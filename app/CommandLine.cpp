#include "app/CommandLine.h"

#include "app/Args.h"
#include "app/CommandHelp.h"
#include "app/DemoDatabase.h"
#include "app/GlabCommands.h"
#include "app/GlabDialogCommands.h"
#include "app/LuCommands.h"
#include "app/LuExportCommand.h"
#include "app/LuPrintCommand.h"
#include "app/LuSample.h"
#include "app/LuShowCommand.h"
#include "app/SettingsAssign.h"
#include "app/StatHostCommand.h"
#include "core/LUDefault.h"
#include "host/Cp1252.h"
#include "host/HostServices.h"
#include "host/TextUtil.h"
#include "host/db/Database.h"
#include "host/db/PgConnection.h"

#include <cstdio>
#include <new>
#include <string>
#include <vector>

namespace {

// Opens the practice database named by --db for reading only; prints the reason
// when it cannot and returns the exit code, kExitOk when it is open.
int OpenDb(const std::string& strCommand, const Args& args, DbOpenMode eMode) {
    const auto path = args.Get("db");
    if (!path) return UsageError(strCommand, "Die Praxisdatenbank fehlt (--db PFAD).");
    CString strError;
    if (OpenPracticeDatabase(*path, eMode, strError)) return kExitOk;
    return DataError(strError);
}
int OpenDbForReading(const std::string& strCommand, const Args& args) {
    return OpenDb(strCommand, args, DbOpenMode::ReadOnly);
}

// The common checks of the options: no error, no word without an option.
std::string ArgsProblem(const Args& args) {
    if (!args.Error().empty()) return args.Error();
    if (!args.Positional().empty()) return "Unerwartetes Argument: " + args.Positional()[0];
    return {};
}

int CmdDemoDb(int argc, char** argv) {
    Args args(argc, argv, 2, {"invoices", "seed"});
    DemoOptions opt;
    opt.nInvoices = static_cast<int>(args.GetInt("invoices", opt.nInvoices, 1, 10'000'000));
    opt.nSeed = static_cast<unsigned>(args.GetInt("seed", opt.nSeed, 0, 4'294'967'295LL));
    if (!args.Error().empty()) return UsageError("demo-db", args.Error());
    if (args.Positional().size() != 1)
        return UsageError("demo-db", "Bitte genau einen Dateinamen angeben.");
    const std::string& path = args.Positional()[0];
    if (IsServerLocation(path))
        if (const std::string strProblem = PgPasswordProblem(path); !strProblem.empty())
            return UsageError("demo-db", strProblem);

    CString strError;
    VxOpenProgressBox("Demo-Praxisdatenbank wird angelegt ...");
    const bool ok = WriteDemoDatabase(
        path, opt, strError, [](long done, long total) { VxUpdateProgressBox2(done, total); });
    VxCloseProgressBox();
    if (!ok) return DataError(strError);
    std::printf("Demo-Praxisdatenbank %s mit %d Laborrechnungen angelegt.\n", path.c_str(),
                opt.nInvoices);
    return kExitOk;
}

// One settings line; the label is UTF-8 and padded by characters, not bytes.
void PrintSetting(const char* szLabelUtf8, const std::string& value) {
    const CString label = Utf8ToCp1252(szLabelUtf8);
    std::printf("  %s %s\n", Cp1252ToUtf8(LeftFix(label, 48)).c_str(), value.c_str());
}
void PrintFlag(const char* szLabelUtf8, bool b) {
    PrintSetting(szLabelUtf8, b ? "ja" : "nein");
}

// Saves the changed settings; the settings class tells the user when it cannot,
// and reading them back shows whether they arrived.
int SaveSettings(const std::vector<SettingAssignment>& vecSet) {
    CLUDefault d;
    ApplySettingAssignments(vecSet, d);
    d.WriteParPool();
    if (CLUDefault().Def2Par() != d.Def2Par()) {
        ClosePracticeDatabase();
        return kExitFehler;
    }
    std::printf("Einstellungen gespeichert.\n");
    return kExitOk;
}

int CmdSettings(int argc, char** argv) {
    Args args(argc, argv, 2, {"db", "set"});
    std::vector<SettingAssignment> vecSet;
    std::string strProblem = ArgsProblem(args);
    if (const auto set = args.Get("set"); set && strProblem.empty())
        ParseSettingAssignments(*set, vecSet, strProblem);
    if (!strProblem.empty()) return UsageError("settings", strProblem);
    const DbOpenMode eMode = vecSet.empty() ? DbOpenMode::ReadOnly : DbOpenMode::ReadWrite;
    if (const int nExit = OpenDb("settings", args, eMode); nExit != kExitOk) return nExit;
    if (!vecSet.empty())
        if (const int nExit = SaveSettings(vecSet); nExit != kExitOk) return nExit;
    const CLUDefault d;
    std::printf("Einstellungen der Laborumsatzliste (gespeichert als \"%s\"):\n",
                d.Def2Par().c_str());
    PrintFlag("Name des Patienten anzeigen", d.GetMitPatName());
    PrintFlag("Material und Metall ausgeben", d.GetMitMaterial());
    PrintSetting("Laborrechnungen selektieren nach (Index)", std::to_string(d.GetLstRechIdx()));
    PrintSetting("Datum der Laborrechnungen (Index)", std::to_string(d.GetLabRechDatumIdx()));
    PrintFlag("Material nicht in Gesamtsumme berücksichtigen", d.GetOhneMaterial());
    PrintFlag("Stets Laborrechnungsnummer ausgeben", d.GetStetsLabRgNr());
    PrintFlag("Stornierte Laborrechnungen ausgeben", d.GetStornoLabRech());
    PrintSetting("Angezeigte Stornotypen (Bitmaske)", std::to_string(d.GetCheckedStornoTypen()));
    PrintFlag("Technisches Material in eigenen Spalten", d.GetMitTechnMat());
    PrintFlag("100-%-Fälle ohne Eigenanteil berücksichtigen", d.GetMit100PoEA());
    PrintFlag("Stets Leistungsdatum verwenden", d.GetStetsLstDatum());
    PrintFlag("Festzuschuss >= Eigenanteil berücksichtigen", d.GetMitFestzGeEA());
    PrintFlag("Fortlaufende Rechnungsnummer ausgeben", d.GetMitFortlRgNr());
    ClosePracticeDatabase();
    return kExitOk;
}

int CmdLuSample(int argc, char** argv) {
    Args args(argc, argv, 3, {"db", "count"});
    const int nCount = static_cast<int>(args.GetInt("count", 10, 1, 1'000'000));
    if (const std::string strProblem = ArgsProblem(args); !strProblem.empty())
        return UsageError("lu sample", strProblem);
    if (const int nExit = OpenDbForReading("lu sample", args); nExit != kExitOk) return nExit;
    PrintLuSample(nCount, stdout);
    ClosePracticeDatabase();
    return kExitOk;
}

using CommandFn = int (*)(int argc, char** argv);

struct Command {
    const char* szGroup; // the first word
    const char* szSub;   // the second word; "" for a command of one word
    CommandFn fn;
};

constexpr Command kCommands[] = {
    {"demo-db", "", CmdDemoDb},      {"settings", "", CmdSettings},
    {"lu", "sample", CmdLuSample},   {"lu", "pass", CmdLuPass},
    {"lu", "read", CmdLuRead},       {"lu", "summary", CmdLuSummary},
    {"lu", "show", CmdLuShow},       {"lu", "export", CmdLuExport},
    {"lu", "print", CmdLuPrint},     {"glab", "pass", CmdGlabPass},
    {"glab", "read", CmdGlabRead},   {"glab", "show", CmdGlabShow},
    {"glab", "print", CmdGlabPrint}, {"glab", "chart", CmdGlabChart},
};

bool IsHelp(const std::string& word) {
    return word == "--help" || word == "-h";
}

// "sample, pass, read, summary oder show": the subcommands of a group.
std::string SubcommandsOf(const std::string& strGroup) {
    std::vector<std::string> vecSubs;
    for (const Command& c : kCommands)
        if (strGroup == c.szGroup) vecSubs.emplace_back(c.szSub);
    std::string strList;
    for (std::size_t i = 0; i < vecSubs.size(); ++i)
        strList += (i == 0 ? "" : i + 1 == vecSubs.size() ? " oder " : ", ") + vecSubs[i];
    return strList;
}

int PrintHelp(const std::string& strCommand) {
    const std::string strText = UsageText(strCommand);
    if (strText.empty()) return UsageError("", "Unbekannter Befehl: " + strCommand);
    std::fputs(strText.c_str(), stdout);
    return kExitOk;
}

// "help", "help lu", "help lu pass".
int CmdHelp(int argc, char** argv) {
    std::string strCommand;
    for (int i = 2; i < argc; ++i)
        strCommand += (strCommand.empty() ? "" : " ") + std::string(argv[i]);
    return PrintHelp(strCommand);
}

int Dispatch(int argc, char** argv) {
    const std::string strGroup = argc > 1 ? argv[1] : "";
    if (argc <= 1 || IsStatHostOption(strGroup)) {
        for (int i = 1; i < argc; ++i)
            if (IsHelp(argv[i])) return PrintHelp("");
        return CmdStatHost(argc, argv);
    }
    if (strGroup.empty()) return UsageError("", "Bitte einen Befehl angeben.");
    if (strGroup == "help" || IsHelp(strGroup)) return CmdHelp(argc, argv);
    const std::string strSubs = SubcommandsOf(strGroup);
    const std::string strSub = argc > 2 && !strSubs.empty() ? argv[2] : "";
    for (const Command& c : kCommands) {
        if (strGroup != c.szGroup || strSub != c.szSub) continue;
        const std::string strName = strSub.empty() ? strGroup : strGroup + " " + strSub;
        for (int i = strSub.empty() ? 2 : 3; i < argc; ++i)
            if (IsHelp(argv[i])) return PrintHelp(strName);
        return c.fn(argc, argv);
    }
    if (strSubs.empty()) return UsageError("", "Unbekannter Befehl: " + strGroup);
    if (strSub.empty())
        return UsageError(strGroup,
                          "Zum Befehl " + strGroup + " gehört ein Unterbefehl: " + strSubs + ".");
    if (IsHelp(strSub)) return PrintHelp(strGroup);
    return UsageError(strGroup, "Unbekannter Unterbefehl: " + strGroup + " " + strSub +
                                    " (möglich: " + strSubs + ").");
}

// The words of a message from outside the module (the standard library's) are
// shown as they are, after a German sentence that says what happened.
int InternalError(const std::string& strWhat) {
    ClosePracticeDatabase();
    VxCloseProgressBox(); // ends a progress line the message would otherwise continue
    std::fprintf(stderr,
                 "vxstat: Unerwarteter interner Fehler%s%s. Der Befehl wurde abgebrochen.\n",
                 strWhat.empty() ? "" : ": ", strWhat.c_str());
    return kExitIntern;
}

} // namespace

int RunGuarded(const std::function<int()>& command) {
    try {
        return command();
    } catch (const std::bad_alloc&) {
        return InternalError("nicht genug Arbeitsspeicher");
    } catch (const std::exception& e) {
        return InternalError(e.what());
    } catch (...) {
        return InternalError("");
    }
}

int RunCommandLine(int argc, char** argv) {
    return RunGuarded([&] { return Dispatch(argc, argv); });
}
