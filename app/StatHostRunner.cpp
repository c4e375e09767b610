#include "app/StatHostRunner.h"

#include "app/GlabWalk.h"
#include "app/LuHitFile.h"
#include "app/LuShowCommand.h"
#include "app/LuWalk.h"
#include "core/LUDefault.h"
#include "core/LUSum.h"
#include "glab/File2Glab.h"
#include "glab/Glab2File.h"
#include "glab/GlabSum.h"
#include "host/TextUtil.h"
#include "host/stat/DataPath.h"
#include "host/stat/StatAccu.h"

namespace {

bool RunLu(const StatHostRequest& req, CString& strErgebnis, CString& strError) {
    if (!CheckLuPeriod(req.strAb, req.strBis, strError)) return false;
    LuWalkRequest walk;
    walk.strAb = req.strAb;
    walk.strBis = req.strBis;
    walk.strMandant = req.strMandant;
    walk.eMode = req.eMode;
    const CLUDefault settings;
    CStatAccu accu;
    CLUSum sum;
    if (!RunLuWalk(walk, settings, accu, sum, strError)) return false;
    if (!WriteLuHitFile(sum, accu, req.eMode, settings, GetDataDir(), strError)) return false;
    strErgebnis =
        Format("Laborumsatzliste, %s: %zu Rechnungszeilen, %zu Fehler.",
               LuModeTitel(req.eMode).c_str(), sum.m_vecLabRech.size(), accu.m_vecErrors.size());
    return true;
}

bool RunGlab(const StatHostRequest& req, CString& strErgebnis, CString& strError) {
    if (!IsDbDate(req.strAb) || !IsDbDate(req.strBis) || req.strAb > req.strBis) {
        strError = "Der Zeitraum ist ung\xFCltig: er beginnt nach seinem Ende.";
        return false;
    }
    CStatAccu accu;
    accu.SetPeriod(req.strAb, req.strBis);
    accu.SetLaborkunde(req.strLaborkunde.empty() ? CString("alle") : req.strLaborkunde);
    CGlabWalk walk;
    if (!walk.Run(accu, strError)) return false;
    CGlab2File writer(nullptr);
    if (!writer.Run(accu, GetDataDir(), strError)) return false;
    strErgebnis = Format("Gewerbelaborstatistik: %zu Kundenrechnungen, %zu Fehler.",
                         accu.m_vecGlabHits.size(), accu.m_vecErrors.size());
    return true;
}

} // namespace

bool RunStatPass(const StatHostRequest& req, CString& strErgebnis, CString& strError) {
    strErgebnis.clear();
    return req.eAuswertung == StatAuswertung::Laborumsatz ? RunLu(req, strErgebnis, strError)
                                                          : RunGlab(req, strErgebnis, strError);
}

bool ShowLuStatistik(CWnd* pParent, const std::function<void(CdiaAwLU&)>& fnShow,
                     CString& strError) {
    LuShowOptions opt;
    opt.bMitDatenbank = true;
    opt.pParent = pParent;
    CString strTechniker;
    LuShowWeiter weiter = LuShowWeiter::Wieder;
    while (weiter == LuShowWeiter::Wieder)
        weiter = LuShowRunde(opt, strTechniker, fnShow, &strError);
    return weiter != LuShowWeiter::Fehler;
}

bool ShowGlabStatistik(CWnd* pParent, const GlabShowFn& fnShow, CString& strError) {
    CGlabSum sum;
    CStatAccu accu;
    CFile2Glab reader(&sum, nullptr);
    if (!reader.Run(accu, DataDirName(), strError)) return false;
    fnShow({sum, accu, pParent});
    return true;
}
