#include "app/LuShowCommand.h"

#include "app/Args.h"
#include "app/CommandHelp.h"
#include "app/DataFolderOption.h"
#include "app/LuHitFile.h"
#include "app/LuMode.h"
#include "app/LuWalk.h"
#include "core/LUDefault.h"
#include "core/LUSum.h"
#include "dialog/diaAwLU.h"
#include "host/Cp1252.h"
#include "host/HostServices.h"
#include "host/TextUtil.h"
#include "host/VxStrings.h"
#include "host/db/Database.h"
#include "host/gui/DisplayCheck.h"
#include "host/gui/QtHostServices.h"
#include "host/stat/DataPath.h"
#include "host/stat/StatAccu.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <utility>

namespace {

constexpr int kOptionsFrom = 3; // argv: vxstat lu show ...

// The period of the title: the options, else the period of the run that the
// selection file names, else (files of older runs) the span of the rows' dates.
void SetPeriod(const LuShowOptions& opt, const CLUSum& sum, bool bBezahlt, CStatAccu& accu) {
    CString strAb = opt.strAb.empty() ? accu.GetAbDatum() : opt.strAb;
    CString strBis = opt.strBis.empty() ? accu.GetBisDatum() : opt.strBis;
    const bool bAbAusZeilen = strAb.empty(), bBisAusZeilen = strBis.empty();
    for (const CLULabRech& r : sum.m_vecLabRech) {
        const CString& strDatum = bBezahlt ? r.m_strDatumAlt : r.m_strRechDatum;
        if (!IsDbDate(strDatum)) continue;
        if (bAbAusZeilen && (strAb.empty() || strDatum < strAb)) strAb = strDatum;
        if (bBisAusZeilen && (strBis.empty() || strDatum > strBis)) strBis = strDatum;
    }
    accu.SetPeriod(strAb, strBis);
}

// The owners of the rows, for the owner choice.
void SetMandanten(const CLUSum& sum, CStatAccu& accu) {
    for (const CLULabRech& r : sum.m_vecLabRech)
        if (!r.m_strMandant.empty() && !accu.FindMd(r.m_strMandant))
            accu.m_vecMandanten.push_back(r.m_strMandant);
    std::sort(accu.m_vecMandanten.begin(), accu.m_vecMandanten.end());
}

// The dialog's results, read after it has closed.
struct CDialogErgebnis {
    bool bSettingsChanged = false;
    bool bTechnikerChanged = false;
    CString strTechniker;
    CLUDefault settings;
};

CDialogErgebnis ShowDialog(CLUSum& sum, CStatAccu& accu, LuMode eMode, const CString& strTechniker,
                           CWnd* pParent, const std::function<void(CdiaAwLU&)>& fnShow) {
    const CString strInfo = accu.m_vecErrors.empty()
                                ? CString()
                                : Format("Fehler beim Durchlauf: %zu", accu.m_vecErrors.size());
    CdiaAwLU dialog(std::move(sum), &accu, pParent, eMode == LuMode::Invoices,
                    eMode == LuMode::Paid, eMode == LuMode::Manual, eMode == LuMode::Cancelled,
                    strTechniker, strInfo);
    fnShow(dialog);
    return {dialog.m_bSettingsChanged, dialog.m_bTechnikerChanged, dialog.m_strTechniker,
            dialog.m_Settings};
}

// Runs the pass of the mode over the shown period again and writes the hit file;
// with a technician only that technician's invoices are kept.
bool RunPassAgain(const CStatAccu& shown, LuMode eMode, const CLUDefault& settings,
                  const CString& strTechniker) {
    LuWalkRequest req;
    req.strAb = shown.GetAbDatum();
    req.strBis = shown.GetBisDatum();
    req.strMandant = shown.GetMandant();
    req.eMode = eMode;
    CStatAccu accu;
    CLUSum sum;
    CString strError;
    bool bOk = RunLuWalk(req, settings, accu, sum, strError);
    if (bOk && !strTechniker.empty())
        std::erase_if(sum.m_vecLabRech,
                      [&](const CLULabRech& r) { return r.m_strTechniker != strTechniker; });
    if (bOk) bOk = WriteLuHitFile(sum, accu, eMode, settings, GetDataDir(), strError);
    if (!bOk) HaltE(kVxStrLaborumsatz, strError);
    return bOk;
}

// The mode of the next pass: the shown one, unless the settings chose another list.
LuMode NextMode(LuMode eShown, int nListIdxVorher, const CLUDefault& settings) {
    LuMode eMode = eShown;
    if (settings.GetLstRechIdx() != nListIdxVorher)
        LuModeOfListIdx(settings.GetLstRechIdx(), eMode);
    return eMode;
}

bool KeinDurchlaufOhneDatenbank(const LuShowOptions& opt) {
    if (opt.bMitDatenbank) return false;
    Halt(kVxStrLaborumsatz, "Ohne Praxisdatenbank (--db PFAD) kann die Laborumsatzliste nicht "
                            "neu erstellt werden.");
    return true;
}

} // namespace

LuShowWeiter LuShowRunde(const LuShowOptions& opt, CString& strTechniker,
                         const std::function<void(CdiaAwLU&)>& fnShow, CString* pstrFehler) {
    CLUSum sum;
    CStatAccu accu;
    LuMode eMode = LuMode::Invoices;
    CString strError;
    if (!ReadLuHitFile(sum, accu, DataDirName(), eMode, strError)) {
        if (pstrFehler) {
            *pstrFehler = strError;
            return LuShowWeiter::Fehler;
        }
        std::fprintf(stderr, "vxstat: %s\n", Cp1252ToUtf8(strError).c_str());
        return LuShowWeiter::Fehler;
    }
    SetPeriod(opt, sum, eMode == LuMode::Paid, accu);
    SetMandanten(sum, accu);
    const int nListIdxVorher = CLUDefault().GetLstRechIdx();
    const CDialogErgebnis ergebnis =
        ShowDialog(sum, accu, eMode, strTechniker, opt.pParent, fnShow);
    if (ergebnis.bTechnikerChanged) {
        // Shown again in any case; the technician is preset only when the list is theirs.
        if (KeinDurchlaufOhneDatenbank(opt)) return LuShowWeiter::Wieder;
        const LuMode eNext = NextMode(eMode, nListIdxVorher, ergebnis.settings);
        if (RunPassAgain(accu, eNext, ergebnis.settings, ergebnis.strTechniker))
            strTechniker = ergebnis.strTechniker;
        return LuShowWeiter::Wieder;
    }
    if (!ergebnis.bSettingsChanged || !opt.bMitDatenbank) return LuShowWeiter::Ende;
    if (SollIch(kVxStrLaborumsatz, "Die Einstellungen wurden ge\xE4ndert. Soll die "
                                   "Laborumsatzliste mit den neuen Einstellungen neu erstellt "
                                   "werden?") != kAntwortJa)
        return LuShowWeiter::Ende;
    const LuMode eNext = NextMode(eMode, nListIdxVorher, ergebnis.settings);
    return RunPassAgain(accu, eNext, ergebnis.settings, strTechniker) ? LuShowWeiter::Wieder
                                                                      : LuShowWeiter::Ende;
}

int CmdLuShow(int argc, char** argv) {
    const Args args(argc, argv, kOptionsFrom, {"data", "db", "from", "to"});
    if (!args.Error().empty()) return UsageError("lu show", args.Error());
    if (!args.Positional().empty())
        return UsageError("lu show", "Unerwartetes Argument: " + args.Positional()[0]);
    LuShowOptions opt;
    opt.strAb = IsoDate2Db(args.GetOr("from", ""));
    opt.strBis = IsoDate2Db(args.GetOr("to", ""));
    for (const char* szName : {"from", "to"})
        if (const auto text = args.Get(szName); text && !IsDbDate(IsoDate2Db(*text)))
            return UsageError("lu show",
                              std::string("--") + szName + " erwartet ein Datum JJJJ-MM-TT.");
    if (CString strError; !CanOpenDisplay(strError)) return DataError(strError);
    // Showing creates no data folder; only a pass run from the dialog writes into it.
    if (std::string strDir; !DataDirForReading(args, strDir)) return kExitFehler;
    if (const auto db = args.Get("db")) {
        CString strError;
        if (!OpenPracticeDatabase(*db, strError)) {
            return DataError(strError);
        }
        opt.bMitDatenbank = true;
    }
    int nArgc = 1;
    QApplication app(nArgc, argv);
    auto previous = InstallHostServices(std::make_shared<CQtHostServices>());
    CString strTechniker;
    LuShowWeiter weiter = LuShowWeiter::Wieder;
    while (weiter == LuShowWeiter::Wieder)
        weiter = LuShowRunde(opt, strTechniker, [](CdiaAwLU& dialog) { dialog.DoModal(); });
    InstallHostServices(previous);
    if (opt.bMitDatenbank) ClosePracticeDatabase();
    return weiter == LuShowWeiter::Fehler ? 1 : 0;
}
