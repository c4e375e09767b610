#include "app/LuPrintCommand.h"

#include "app/Args.h"
#include "app/BatchQt.h"
#include "app/CommandHelp.h"
#include "app/DataFolderOption.h"
#include "app/LuShowCommand.h"
#include "dialog/diaAwLU.h"
#include "host/Cp1252.h"
#include "host/HostServices.h"
#include "host/TerminalHostServices.h"
#include "host/VxStrings.h"
#include "host/db/Database.h"
#include "host/print/PrintFile.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kOptionsFrom = 3; // argv: vxstat lu print ...

// Messages go to the terminal; the dialog's question "only the marked rows?" is
// answered by --marked-only, so that a script never waits for an answer.
class CBatchPrintServices : public CTerminalHostServices {
public:
    explicit CBatchPrintServices(bool bNurMarkierte) : m_bNurMarkierte(bNurMarkierte) {}
    int Question(const CString&, const CString&, bool) override {
        return m_bNurMarkierte ? kAntwortJa : kAntwortNein;
    }

private:
    bool m_bNurMarkierte;
};

struct LuPrintOptions {
    int nView = 0;
    bool bNurMarkierte = false;
    std::string strPdf;
    std::string strDb;
};

int Drucke(const LuPrintOptions& opt, char* szProgramm) {
    // The dialog is built without a window.
    PrepareBatchQt();
    int nArgc = 1;
    char* argvQt[] = {szProgramm, nullptr};
    QApplication app(nArgc, argvQt);
    auto previous = InstallHostServices(std::make_shared<CBatchPrintServices>(opt.bNurMarkierte));
    SetPrintPdfTarget(opt.strPdf);
    LuShowOptions show;
    show.bMitDatenbank = !opt.strDb.empty();
    CString strTechniker;
    bool bGedruckt = false;
    const LuShowWeiter weiter = LuShowRunde(show, strTechniker, [&](CdiaAwLU& dialog) {
        if (!dialog.Create()) return;
        if (dialog.m_nSelectedTab != opt.nView) {
            dialog.m_nSelectedTab = opt.nView;
            dialog.FillDataFromAccu(dialog.m_Sum.m_vecLabRech);
        }
        if (opt.nView == CdiaAwLU::kTabRanking ? dialog.m_dtRanking1.GetRowCount() == 0
                                               : dialog.m_vecRows.empty()) {
            HaltE(kVxStrLaborumsatz, "Die Liste hat in dieser Ansicht keine Zeilen; es wurde "
                                     "nichts gedruckt.");
            return;
        }
        dialog.OnPrint();
        bGedruckt = !dialog.m_strLetzterDruck.empty();
    });
    SetPrintPdfTarget("");
    InstallHostServices(previous);
    if (weiter == LuShowWeiter::Fehler || !bGedruckt) return kExitFehler;
    std::printf("Laborumsatzliste gedruckt: %s\n", opt.strPdf.c_str());
    return kExitOk;
}

} // namespace

int CmdLuPrint(int argc, char** argv) {
    LuPrintOptions opt;
    std::vector<char*> vecArgs =
        TakeFlag(argc, argv, kOptionsFrom, "--marked-only", opt.bNurMarkierte);
    Args args(static_cast<int>(vecArgs.size()), vecArgs.data(), kOptionsFrom,
              {"data", "db", "view", "pdf"});
    opt.nView = static_cast<int>(args.GetInt("view", 0, 0, CdiaAwLU::kTabRanking));
    if (!args.Error().empty()) return UsageError("lu print", args.Error());
    // The ranking counts every invoice and needs the technicians and treaters of the
    // practice database.
    if (opt.nView == CdiaAwLU::kTabRanking && !args.Get("db"))
        return UsageError("lu print", "--view 7 (Ranking) braucht --db PFAD.");
    if (opt.nView == CdiaAwLU::kTabRanking && opt.bNurMarkierte)
        return UsageError("lu print", "--marked-only gilt nicht für das Ranking (--view 7).");
    if (!args.Positional().empty())
        return UsageError("lu print", "Unerwartetes Argument: " + args.Positional()[0]);
    if (!args.Get("pdf")) return UsageError("lu print", "Die PDF-Datei fehlt (--pdf DATEI).");
    opt.strPdf = *args.Get("pdf");
    if (!TargetFolderExists(opt.strPdf))
        return DataError("Fehler beim Speichern der Datei:\n\n" + Utf8ToCp1252(opt.strPdf));
    if (std::string strDir; !DataDirForReading(args, strDir)) return kExitFehler;
    if (const auto db = args.Get("db")) {
        CString strError;
        if (!OpenPracticeDatabase(*db, DbOpenMode::ReadOnly, strError)) return DataError(strError);
        opt.strDb = *db;
    }
    const int nExit = Drucke(opt, argv[0]);
    if (!opt.strDb.empty()) ClosePracticeDatabase();
    return nExit;
}
