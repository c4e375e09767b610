#include "app/GlabDialogCommands.h"

#include "app/Args.h"
#include "app/BatchQt.h"
#include "app/CommandHelp.h"
#include "app/DataFolderOption.h"
#include "glab/File2Glab.h"
#include "glab/GlabSum.h"
#include "glab/diaAwGlab.h"
#include "host/Cp1252.h"
#include "host/HostServices.h"
#include "host/TerminalHostServices.h"
#include "host/TextUtil.h"
#include "host/VxStrings.h"
#include "host/db/Database.h"
#include "host/gui/DisplayCheck.h"
#include "host/gui/QtHostServices.h"
#include "host/print/PrintFile.h"
#include "host/stat/StatAccu.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kOptionsFrom = 3; // argv: vxstat glab <sub> ...

struct GlabDialogOptions {
    std::string strKunde = ""; // "" as the run chose, "alle", or a number
    int nStorno = kAlleRechnungen;
    bool bNurMarkierte = false;
    std::string strZiel; // the PDF or PNG
};

// Messages go to the terminal; the question "only the checked rows?" is answered
// by --marked-only, so that a script never waits for an answer.
class CBatchGlabServices : public CTerminalHostServices {
public:
    explicit CBatchGlabServices(bool bNurMarkierte) : m_bNurMarkierte(bNurMarkierte) {}
    int Question(const CString&, const CString&, bool) override {
        return m_bNurMarkierte ? kAntwortJa : kAntwortNein;
    }

private:
    bool m_bNurMarkierte;
};

// Reads the hit file of the data folder; bad lines were kept out and are named.
bool LeseTrefferdatei(const std::string& strDir, CGlabSum& sum, CStatAccu& accu) {
    CFile2Glab reader(&sum, nullptr);
    CString strError;
    if (!reader.Run(accu, strDir, strError)) {
        DataError(strError);
        return false;
    }
    for (const CBehErrors& err : accu.m_vecErrors)
        std::fprintf(stderr, "vxstat: Hinweis: %s\n", Cp1252ToUtf8(err.m_strText).c_str());
    return true;
}

// Selects the combo row of the customer with the number given (leading zeros and
// blanks do not matter: "0102" is customer 102); false when there is none. Row 0
// is "Alle" with no number, or the one customer of a run for one customer.
bool WaehleKunde(CdiaAwGlab& dialog, const CString& strKunde) {
    const long long nKunde = LeadingInt(Trim(strKunde));
    for (int nRow = 0; nRow < dialog.m_matLabKu.Count(); ++nRow) {
        const CString strNr = Trim(dialog.m_matLabKu.GetValue(nRow, 0));
        if (IsPlainNumber(strNr) && LeadingInt(strNr) == nKunde) {
            dialog.m_cbLaborkunde.SetSelectedIndex(nRow);
            return true;
        }
    }
    return false;
}

// Sets both filters of the dialog as the options say; false with a message.
bool WaehleFilter(CdiaAwGlab& dialog, const GlabDialogOptions& opt) {
    if (opt.strKunde == "alle") {
        if (dialog.m_matLabKu.GetValue(0, 1) != "Alle") {
            HaltE(CdiaAwGlab::kTitel, "Die Auswertung wurde f\xFCr einen Laborkunden erstellt; "
                                      "\"alle\" ist nicht w\xE4hlbar.");
            return false;
        }
        dialog.m_cbLaborkunde.SetSelectedIndex(0);
    } else if (!opt.strKunde.empty() && !WaehleKunde(dialog, opt.strKunde)) {
        HaltE(CdiaAwGlab::kTitel, "Laborkunde " + opt.strKunde +
                                      " steht nicht in der Auswahl des Dialogs (Kunden mit "
                                      "Anschrift aus der Praxisdatenbank, --db).");
        return false;
    }
    dialog.m_cbStorno.SetSelectedIndex(opt.nStorno);
    return true;
}

// Opens the database of --db for reading; false after the message.
bool OeffneDb(const Args& args, bool& bOffen) {
    bOffen = false;
    const auto db = args.Get("db");
    if (!db) return true;
    CString strError;
    if (!OpenPracticeDatabase(*db, DbOpenMode::ReadOnly, strError)) {
        DataError(strError);
        return false;
    }
    bOffen = true;
    return true;
}

// The steps print and chart share: the target's folder, the data folder and the
// database are checked first; then the dialog is built without a window on the
// hit file, its filters are set and fnRun does the command.
int OhneFenster(const Args& args, const GlabDialogOptions& opt, char* szProgramm,
                const std::function<bool(CdiaAwGlab&)>& fnRun) {
    if (!TargetFolderExists(opt.strZiel))
        return DataError("Fehler beim Speichern der Datei:\n\n" + Utf8ToCp1252(opt.strZiel));
    std::string strDir;
    if (!DataDirForReading(args, strDir)) return kExitFehler;
    bool bDb = false;
    if (!OeffneDb(args, bDb)) return kExitFehler;
    PrepareBatchQt();
    int nArgc = 1;
    char* argvQt[] = {szProgramm, nullptr};
    bool bOk = false;
    {
        QApplication app(nArgc, argvQt);
        auto previous =
            InstallHostServices(std::make_shared<CBatchGlabServices>(opt.bNurMarkierte));
        CGlabSum sum;
        CStatAccu accu;
        bOk = LeseTrefferdatei(strDir, sum, accu);
        if (bOk) {
            CdiaAwGlab dialog(sum, &accu, GlabDialogKunde(accu), nullptr);
            bOk = dialog.Create() && WaehleFilter(dialog, opt) && fnRun(dialog);
        }
        InstallHostServices(previous);
    }
    if (bDb) ClosePracticeDatabase();
    return bOk ? kExitOk : kExitFehler;
}

// The options shared by print and chart; "" when they are right.
std::string LeseOptionen(Args& args, GlabDialogOptions& opt, const char* szZiel) {
    opt.nStorno = static_cast<int>(args.GetInt("storno", kAlleRechnungen, 0, 2));
    if (!args.Error().empty()) return args.Error();
    if (!args.Positional().empty()) return "Unerwartetes Argument: " + args.Positional()[0];
    opt.strKunde = args.GetOr("kunde", "");
    if (args.Get("kunde") && opt.strKunde != "alle" && !IsPlainNumber(opt.strKunde))
        return "--kunde erwartet eine Kundennummer oder \"alle\", nicht \"" + opt.strKunde + "\".";
    const auto ziel = args.Get(szZiel);
    if (!ziel) return std::string("Die Zieldatei fehlt (--") + szZiel + " DATEI).";
    opt.strZiel = *ziel;
    return {};
}

} // namespace

int CmdGlabShow(int argc, char** argv) {
    const Args args(argc, argv, kOptionsFrom, {"data", "db"});
    if (!args.Error().empty()) return UsageError("glab show", args.Error());
    if (!args.Positional().empty())
        return UsageError("glab show", "Unerwartetes Argument: " + args.Positional()[0]);
    if (CString strError; !CanOpenDisplay(strError)) return DataError(strError);
    std::string strDir;
    if (!DataDirForReading(args, strDir)) return kExitFehler;
    bool bDb = false;
    if (!OeffneDb(args, bDb)) return kExitFehler;
    int nArgc = 1;
    QApplication app(nArgc, argv);
    auto previous = InstallHostServices(std::make_shared<CQtHostServices>());
    CGlabSum sum;
    CStatAccu accu;
    const bool bOk = LeseTrefferdatei(strDir, sum, accu);
    if (bOk) {
        CdiaAwGlab dialog(sum, &accu, GlabDialogKunde(accu), nullptr);
        dialog.DoModal();
    }
    InstallHostServices(previous);
    if (bDb) ClosePracticeDatabase();
    return bOk ? kExitOk : kExitFehler;
}

int CmdGlabPrint(int argc, char** argv) {
    GlabDialogOptions opt;
    std::vector<char*> vecArgs =
        TakeFlag(argc, argv, kOptionsFrom, "--marked-only", opt.bNurMarkierte);
    Args args(static_cast<int>(vecArgs.size()), vecArgs.data(), kOptionsFrom,
              {"data", "db", "kunde", "storno", "pdf"});
    if (const std::string why = LeseOptionen(args, opt, "pdf"); !why.empty())
        return UsageError("glab print", why);
    SetPrintPdfTarget(opt.strZiel);
    const int nExit = OhneFenster(args, opt, argv[0], [](CdiaAwGlab& dialog) {
        if (dialog.m_Sum.m_vecFakt.empty()) {
            HaltE(CdiaAwGlab::kTitel, "Die Liste hat mit diesen Filtern keine Zeilen; es wurde "
                                      "nichts gedruckt.");
            return false;
        }
        dialog.OnPrint();
        return !dialog.m_strLetzterDruck.empty();
    });
    SetPrintPdfTarget("");
    if (nExit == kExitOk)
        std::printf("Journal der Gewerbelaborstatistik gedruckt: %s\n", opt.strZiel.c_str());
    return nExit;
}

int CmdGlabChart(int argc, char** argv) {
    GlabDialogOptions opt;
    Args args(argc, argv, kOptionsFrom, {"data", "db", "kunde", "storno", "png"});
    if (const std::string why = LeseOptionen(args, opt, "png"); !why.empty())
        return UsageError("glab chart", why);
    const int nExit = OhneFenster(args, opt, argv[0], [&](CdiaAwGlab& dialog) {
        CString strError;
        if (dialog.SaveChartPng(opt.strZiel, strError)) return true;
        HaltE(CdiaAwGlab::kTitel, strError);
        return false;
    });
    if (nExit == kExitOk)
        std::printf("Grafik der Gewerbelaborstatistik gespeichert: %s\n", opt.strZiel.c_str());
    return nExit;
}

CString GlabDialogKunde(const CStatAccu& accu) {
    const CString strNr = Trim(accu.GetLaborkunde());
    return strNr == "alle" || LeadingInt(strNr) == 0 ? CString() : strNr;
}
