#include "app/LuShowCommand.h"

#include "app/Args.h"
#include "core/File2LU.h"
#include "core/LUSum.h"
#include "dialog/diaAwLU.h"
#include "host/Cp1252.h"
#include "host/TextUtil.h"
#include "host/db/Database.h"
#include "host/gui/QtHostServices.h"
#include "host/stat/DataPath.h"
#include "host/stat/StatAccu.h"

#include <QApplication>
#include <QMessageBox>
#include <QProgressDialog>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <utility>

namespace {

constexpr int kOptionsFrom = 3; // argv: vxstat lu show ...

int Usage(const std::string& utf8) {
    std::fprintf(stderr,
                 "vxstat: %s\nAufruf:\n  vxstat lu show [--data ORDNER] [--db PFAD] "
                 "[--from JJJJ-MM-TT --to JJJJ-MM-TT]\n",
                 utf8.c_str());
    return 2;
}

// The selection file does not carry the period: it comes from the options, or
// else spans the dates of the rows.
void SetPeriod(const Args& args, const CLUSum& sum, bool bBezahlt, CStatAccu& accu) {
    CString strAb = IsoDate2Db(args.GetOr("from", "")), strBis = IsoDate2Db(args.GetOr("to", ""));
    for (const CLULabRech& r : sum.m_vecLabRech) {
        const CString& strDatum = bBezahlt ? r.m_strDatumAlt : r.m_strRechDatum;
        if (!IsDbDate(strDatum)) continue;
        if (!args.Get("from") && (strAb.empty() || strDatum < strAb)) strAb = strDatum;
        if (!args.Get("to") && (strBis.empty() || strDatum > strBis)) strBis = strDatum;
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

// Reads the hit file of the data folder; false with the reason on stderr.
bool ReadHits(CFile2LU& reader, CStatAccu& accu) {
    CString strError;
    if (reader.Run(accu, GetDataDir(), strError)) return true;
    std::fprintf(stderr, "vxstat: %s\n", Cp1252ToUtf8(strError).c_str());
    return false;
}

void ShowDialog(const Args& args, CLUSum& sum, CStatAccu& accu, const CFile2LU& reader) {
    SetPeriod(args, sum, reader.m_bIsLRechBez, accu);
    SetMandanten(sum, accu);
    const CString strInfo = accu.m_vecErrors.empty()
                                ? CString()
                                : Format("Fehler beim Durchlauf: %zu", accu.m_vecErrors.size());
    CdiaAwLU dialog(std::move(sum), &accu, nullptr, reader.m_bIsLRech, reader.m_bIsLRechBez,
                    reader.m_bIsManLabRech, reader.m_bIsStornoLabRech, "", strInfo);
    dialog.DoModal();
}

} // namespace

int CmdLuShow(int argc, char** argv) {
    const Args args(argc, argv, kOptionsFrom, {"data", "db", "from", "to"});
    if (!args.Error().empty()) return Usage(args.Error());
    if (!args.Positional().empty()) return Usage("Unerwartetes Argument: " + args.Positional()[0]);
    for (const char* szName : {"from", "to"})
        if (const auto text = args.Get(szName); text && !IsDbDate(IsoDate2Db(*text)))
            return Usage(std::string("--") + szName + " erwartet ein Datum JJJJ-MM-TT.");
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "vxstat: Kein Bildschirm vorhanden (DISPLAY ist nicht gesetzt).\n");
        return 1;
    }
    if (const auto dir = args.Get("data")) SetDataDir(*dir);
    if (const auto db = args.Get("db")) {
        CString strError;
        if (!OpenPracticeDatabase(*db, strError)) {
            std::fprintf(stderr, "vxstat: %s\n", Cp1252ToUtf8(strError).c_str());
            return 1;
        }
    }
    CLUSum sum;
    CStatAccu accu;
    CFile2LU reader(&sum, nullptr);
    int nResult = 1;
    if (ReadHits(reader, accu)) {
        int nArgc = 1;
        QApplication app(nArgc, argv);
        auto previous = InstallHostServices(std::make_shared<CQtHostServices>());
        ShowDialog(args, sum, accu, reader);
        InstallHostServices(previous);
        nResult = 0;
    }
    if (args.Get("db")) ClosePracticeDatabase();
    return nResult;
}
