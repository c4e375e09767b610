#include "app/LuExportCommand.h"

#include "app/Args.h"
#include "app/BatchQt.h"
#include "app/CommandHelp.h"
#include "app/DataFolderOption.h"
#include "app/LuHitFile.h"
#include "app/LuMode.h"
#include "core/LUSum.h"
#include "dialog/LUExport.h"
#include "dialog/diaAwLU.h"
#include "host/Cp1252.h"
#include "host/db/Database.h"
#include "host/stat/DataPath.h"
#include "host/stat/StatAccu.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kOptionsFrom = 3; // argv: vxstat lu export ...
constexpr const char* kNurMarkierte = "--marked-only";

// The owners of the rows, for the dialog's owner filter ("all" is chosen).
void SetMandanten(const CLUSum& sum, CStatAccu& accu) {
    for (const CLULabRech& r : sum.m_vecLabRech)
        if (!r.m_strMandant.empty() && !accu.FindMd(r.m_strMandant))
            accu.m_vecMandanten.push_back(r.m_strMandant);
    std::sort(accu.m_vecMandanten.begin(), accu.m_vecMandanten.end());
}

// The dialog of the hit file's mode, built but not shown, on the view tab. Choosing
// the ranking tab fills the ranking tables as on screen, and the dialog's export
// writes them.
int Exportiere(CLUSum& sum, CStatAccu& accu, LuMode eMode, int nView, bool bNurMarkierte,
               const std::string& strZiel) {
    CdiaAwLU dialog(std::move(sum), &accu, nullptr, eMode == LuMode::Invoices,
                    eMode == LuMode::Paid, eMode == LuMode::Manual, eMode == LuMode::Cancelled, "",
                    "");
    if (!dialog.Create()) return DataError("Der Auswertungsdialog kann nicht angelegt werden.");
    if (nView != dialog.m_tabArt.GetSelectedIndex()) dialog.m_tabArt.SetSelectedIndex(nView);
    if (dialog.m_nSelectedTab != nView)
        return DataError(
            Utf8ToCp1252("Die Ansicht " + std::to_string(nView) + " kann nicht gewählt werden."));
    if (!dialog.ExportNach(strZiel, bNurMarkierte))
        return DataError(LUExportFehlerText(Utf8ToCp1252(strZiel)));
    std::printf("%s\n", Cp1252ToUtf8(LUExportGespeichertText(Utf8ToCp1252(strZiel))).c_str());
    return kExitOk;
}

} // namespace

int CmdLuExport(int argc, char** argv) {
    // The one option without a value is taken out before the others are parsed.
    bool bNurMarkierte = false;
    std::vector<char*> vecArgs = TakeFlag(argc, argv, kOptionsFrom, kNurMarkierte, bNurMarkierte);
    Args args(static_cast<int>(vecArgs.size()), vecArgs.data(), kOptionsFrom,
              {"data", "db", "view", "xlsx"});
    const int nView = static_cast<int>(args.GetInt("view", 0, 0, CdiaAwLU::kTabRanking));
    if (!args.Error().empty()) return UsageError("lu export", args.Error());
    if (!args.Positional().empty())
        return UsageError("lu export", "Unerwartetes Argument: " + args.Positional()[0]);
    const std::string strZiel = args.GetOr("xlsx", "");
    if (strZiel.empty()) return UsageError("lu export", "--xlsx DATEI fehlt.");
    // The ranking takes its technicians and treaters from the practice database and
    // counts every invoice, marked or not.
    if (nView == CdiaAwLU::kTabRanking && !args.Get("db"))
        return UsageError("lu export", "--view 7 (Ranking) braucht --db PFAD.");
    if (nView == CdiaAwLU::kTabRanking && bNurMarkierte)
        return UsageError("lu export", "--marked-only gilt nicht für das Ranking (--view 7).");
    std::string strDir;
    if (!DataDirForReading(args, strDir)) return kExitFehler;
    const auto db = args.Get("db");
    if (CString strError; db && !OpenPracticeDatabase(*db, strError)) return DataError(strError);

    CLUSum sum;
    CStatAccu accu;
    LuMode eMode = LuMode::Invoices;
    CString strError;
    int nExit = kExitFehler;
    if (ReadLuHitFile(sum, accu, DataDirName(), eMode, strError)) {
        SetMandanten(sum, accu);
        // The dialog is built without a window: no display needed.
        PrepareBatchQt();
        int nArgc = 1;
        QApplication app(nArgc, argv);
        nExit = Exportiere(sum, accu, eMode, nView, bNurMarkierte, strZiel);
    } else {
        DataError(strError);
    }
    if (db) ClosePracticeDatabase();
    return nExit;
}
