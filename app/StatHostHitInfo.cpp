#include "app/StatHostHitInfo.h"

#include "app/LuHitFile.h"
#include "core/LUSum.h"
#include "glab/File2Glab.h"
#include "glab/GlabSum.h"
#include "host/TextUtil.h"
#include "host/db/Database.h"
#include "host/db/ZMandant.h"
#include "host/stat/StatAccu.h"

#include <sys/stat.h>

#include <ctime>
#include <filesystem>

namespace {

// Modification time of the file as "dd.mm.yyyy hh:mm"; "" when unknown.
CString Stand(const std::string& strPath) {
    struct stat st {};
    if (::stat(strPath.c_str(), &st) != 0) return {};
    std::tm tm{};
    if (!localtime_r(&st.st_mtime, &tm)) return {};
    return Format("%02d.%02d.%04d %02d:%02d", tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900,
                  tm.tm_hour, tm.tm_min);
}

CString FehlerZeile(const CBehErrors& e) {
    CString line;
    if (!e.m_strDatum.empty()) line += Db2Date(e.m_strDatum) + "  ";
    if (!e.m_strPatNr.empty()) line += "Pat. " + Trim(e.m_strPatNr) + "  ";
    if (!e.m_strMandant.empty()) line += "Mandant " + Trim(e.m_strMandant) + "  ";
    return line + e.m_strText;
}

CString Zeitraum(const StatHostRequest& r) {
    if (r.strAb.empty()) return "Zeitraum unbekannt";
    return "vom " + Db2Date(r.strAb) + " bis " + Db2Date(r.strBis);
}

// "Name (id)" of a practice owner, the id alone when the database does not know it.
CString MandantText(const CString& strMdId) {
    if (strMdId.empty()) return "alle";
    if (dbDatabaseRO.IsOpen()) {
        CZMandant md;
        md.m_strMdId = strMdId;
        if (md.GetByK1(CTKRSet::kExact) == CTKRSet::kOk && !Trim(md.m_strName).empty())
            return Trim(md.m_strName) + " (" + Trim(strMdId) + ")";
    }
    return Trim(strMdId);
}

void ReadLu(const std::string& strDir, StatHitInfo& info, CStatAccu& accu) {
    CLUSum sum;
    LuMode eMode = LuMode::Invoices;
    if (!ReadLuHitFile(sum, accu, strDir, eMode, info.strLesefehler)) return;
    info.nZeilen = sum.m_vecLabRech.size();
    info.auswahl.strAb = accu.GetAbDatum();
    info.auswahl.strBis = accu.GetBisDatum();
    info.auswahl.eMode = eMode;
    info.auswahl.strMandant = accu.GetMandant();
    info.strAuswahl = LuModeTitel(eMode) + " " + Zeitraum(info.auswahl) +
                      ", Mandant: " + MandantText(accu.GetMandant());
}

void ReadGlab(const std::string& strDir, StatHitInfo& info, CStatAccu& accu) {
    CGlabSum sum;
    CFile2Glab reader(&sum, nullptr);
    if (!reader.Run(accu, strDir, info.strLesefehler)) return;
    info.nZeilen = sum.m_vecFakt.size();
    info.auswahl.strAb = accu.GetAbDatum();
    info.auswahl.strBis = accu.GetBisDatum();
    info.auswahl.strLaborkunde = Trim(accu.GetLaborkunde());
    info.strAuswahl = Zeitraum(info.auswahl) + ", Laborkunde: " + info.auswahl.strLaborkunde;
}

} // namespace

std::string StatHitFilePath(StatAuswertung eAuswertung, const std::string& strDataDir) {
    const char* pszName = eAuswertung == StatAuswertung::Laborumsatz ? "vx_slu.txt" : "vx_gla.txt";
    return (std::filesystem::path(strDataDir) / pszName).string();
}

StatHitInfo ReadStatHitInfo(StatAuswertung eAuswertung, const std::string& strDataDir) {
    StatHitInfo info;
    info.auswahl.eAuswertung = eAuswertung;
    const std::string strPath = StatHitFilePath(eAuswertung, strDataDir);
    std::error_code ec;
    if (!std::filesystem::exists(strPath, ec)) return info;
    info.bVorhanden = true;
    info.strStand = Stand(strPath);
    CStatAccu accu;
    if (eAuswertung == StatAuswertung::Laborumsatz)
        ReadLu(strDataDir, info, accu);
    else
        ReadGlab(strDataDir, info, accu);
    if (!info.strLesefehler.empty()) return info;
    for (const CBehErrors& e : accu.m_vecErrors)
        info.vecFehler.push_back(FehlerZeile(e));
    return info;
}
