#include "app/LuCommands.h"

#include "app/Args.h"
#include "app/CommandHelp.h"
#include "app/DataFolderOption.h"
#include "app/LuHitFile.h"
#include "app/LuReport.h"
#include "app/LuWalk.h"
#include "core/LUDefault.h"
#include "core/LUSum.h"
#include "host/Cp1252.h"
#include "host/TextUtil.h"
#include "host/db/Database.h"
#include "host/stat/StatAccu.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

constexpr int kOptionsFrom = 3; // argv: vxstat lu <command> ...

// The common checks of the options; "" when they are fine.
std::string CheckArgs(const Args& args) {
    if (!args.Error().empty()) return args.Error();
    if (!args.Positional().empty()) return "Unerwartetes Argument: " + args.Positional()[0];
    return {};
}

// "2023-01-31" as database date; "" with strProblem set when it is no date.
CString DateOption(const Args& args, const char* pszName, std::string& strProblem) {
    const auto text = args.Get(pszName);
    if (!text) {
        if (strProblem.empty()) strProblem = std::string("Die Option --") + pszName + " fehlt.";
        return {};
    }
    const CString db = IsoDate2Db(*text);
    if (!IsDbDate(db) && strProblem.empty())
        strProblem = std::string("--") + pszName + " erwartet ein Datum JJJJ-MM-TT, nicht \"" +
                     *text + "\".";
    return db;
}

bool ReadRequest(const Args& args, LuWalkRequest& req, std::string& strProblem) {
    req.strAb = DateOption(args, "from", strProblem);
    req.strBis = DateOption(args, "to", strProblem);
    req.strMandant = Utf8ToCp1252(args.GetOr("mandant", ""));
    const std::string strMode = args.GetOr("mode", "invoices");
    if (!ParseLuMode(strMode, req.eMode) && strProblem.empty())
        strProblem = "Unbekannte Auswertungsart --mode " + strMode +
                     " (services, invoices, paid, manual oder cancelled).";
    if (!args.Get("db") && strProblem.empty())
        strProblem = "Die Praxisdatenbank fehlt (--db PFAD).";
    return strProblem.empty();
}

// Walks the database and writes the hit file; the database is open.
int Pass(const LuWalkRequest& req, const Args& args) {
    const CLUDefault settings;
    CStatAccu accu;
    CLUSum sum;
    CString strError;
    std::size_t nGeaendert = 0;
    if (!RunLuWalk(req, settings, accu, sum, strError, &nGeaendert)) return DataError(strError);
    const std::string strDir = DataDirForWriting(args);
    if (!WriteLuHitFile(sum, accu, req.eMode, settings, strDir, strError))
        return DataError(strError);
    std::printf("%s\n",
                Cp1252ToUtf8(Format("Laborumsatzliste, %s vom %s bis %s: %zu Rechnungszeilen, "
                                    "%ld Trefferzeilen, %zu Fehler, %zu Texte mit \"?\" "
                                    "statt nicht darstellbarer Zeichen.",
                                    LuModeTitel(req.eMode).c_str(), Db2Date(req.strAb).c_str(),
                                    Db2Date(req.strBis).c_str(), sum.m_vecLabRech.size(),
                                    LuZeilenAnzahl(sum), accu.m_vecErrors.size(), nGeaendert))
                    .c_str());
    std::printf("Geschrieben: %s und vx_slu.sel\n",
                (std::filesystem::path(strDir) / "vx_slu.txt").string().c_str());
    return kExitOk;
}

// Reads the hit file of the data folder named by the options.
bool Read(const Args& args, CLUSum& sum, CStatAccu& accu, LuMode& eMode) {
    std::string strDir;
    if (!DataDirForReading(args, strDir)) return false;
    CString strError;
    if (ReadLuHitFile(sum, accu, strDir, eMode, strError)) return true;
    DataError(strError);
    return false;
}

} // namespace

int CmdLuPass(int argc, char** argv) {
    const Args args(argc, argv, kOptionsFrom, {"db", "from", "to", "mandant", "mode", "data"});
    if (const std::string strProblem = CheckArgs(args); !strProblem.empty())
        return UsageError("lu pass", strProblem);
    LuWalkRequest req;
    std::string strProblem;
    if (!ReadRequest(args, req, strProblem)) return UsageError("lu pass", strProblem);
    CString strError;
    // Checked before the database is opened: a wrong period touches nothing.
    if (!CheckLuPeriod(req.strAb, req.strBis, strError))
        return UsageError("lu pass", Cp1252ToUtf8(strError));
    if (!OpenPracticeDatabase(*args.Get("db"), DbOpenMode::ReadOnly, strError))
        return DataError(strError);
    const int nResult = Pass(req, args);
    ClosePracticeDatabase();
    return nResult;
}

int CmdLuRead(int argc, char** argv) {
    const Args args(argc, argv, kOptionsFrom, {"data", "format"});
    if (const std::string strProblem = CheckArgs(args); !strProblem.empty())
        return UsageError("lu read", strProblem);
    const std::string strFormat = args.GetOr("format", "text");
    if (strFormat != "text" && strFormat != "tsv")
        return UsageError("lu read",
                          "--format erwartet text oder tsv, nicht \"" + strFormat + "\".");
    CLUSum sum;
    CStatAccu accu;
    LuMode eMode = LuMode::Invoices;
    if (!Read(args, sum, accu, eMode)) return kExitFehler;
    PrintLuRows(sum, accu, strFormat == "tsv", stdout);
    return kExitOk;
}

int CmdLuSummary(int argc, char** argv) {
    const Args args(argc, argv, kOptionsFrom, {"data"});
    if (const std::string strProblem = CheckArgs(args); !strProblem.empty())
        return UsageError("lu summary", strProblem);
    CLUSum sum;
    CStatAccu accu;
    LuMode eMode = LuMode::Invoices;
    if (!Read(args, sum, accu, eMode)) return kExitFehler;
    PrintLuSummary(sum, accu, eMode, stdout);
    return kExitOk;
}
