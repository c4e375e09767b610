#include "app/LuSample.h"

#include "core/LUDefault.h"
#include "core/LULabRech.h"
#include "host/BehHitLine.h"
#include "host/Cp1252.h"
#include "host/TextUtil.h"
#include "host/db/ZBeh.h"
#include "host/db/ZFakt.h"
#include "host/db/ZPat.h"

#include <vector>

namespace {

CString PatName(const CString& strPatNr) {
    CZPat pat;
    pat.m_strPatNr = strPatNr;
    if (pat.GetByK1(CTKRSet::kExact) != 0) return {};
    return pat.m_strName + ", " + pat.m_strVorname;
}

// The rows of one invoice, merged as the accumulator does: a hit joins the newest
// row it matches.
std::vector<CLULabRech> MergeInvoice(CZFakt& fakt, const CLUDefault& settings) {
    std::vector<CLULabRech> rows;
    CZBeh beh;
    const CString strName = PatName(fakt.m_strPatNr);
    for (int rc = beh.GetByFaktKey(fakt.m_strFaktKey); rc == 0; rc = beh.Next()) {
        const CBehHitLine hit = BehHitFromRecord(beh, strName);
        auto it = rows.rbegin();
        while (it != rows.rend() && !it->Compare(hit, settings)) ++it;
        if (it == rows.rend()) {
            rows.emplace_back().Clear();
            rows.back().MoveBeh(hit);
        } else {
            it->MoveBeh(hit);
        }
    }
    for (CLULabRech& row : rows) {
        row.MoveFakt(&fakt);
        row.BerechneMwStSummen();
    }
    return rows;
}

void PrintRow(const CLULabRech& r, std::FILE* out) {
    const CLULabRechLst& a = r.m_LstAlle;
    const CString line =
        Format("%-12s %-12s %-10s %-24s %10s %10s %10s %10s %9s %9s", r.m_strRechNr.c_str(),
               r.m_strFortlRgNr.c_str(), Db2Date(r.m_strRechDatum).c_str(),
               LeftFix(r.m_strPatName, 24).c_str(), a.m_TechnLst.ToExt(0, true).c_str(),
               a.m_Material.ToExt(0, true).c_str(), a.m_Metall.ToExt(0, true).c_str(),
               a.m_Netto.ToExt(0, true).c_str(), a.m_MwSt.ToExt(0, true).c_str(),
               a.m_Brutto.ToExt(0, true).c_str());
    std::fprintf(out, "%s\n", Cp1252ToUtf8(line).c_str());
}

} // namespace

void PrintLuSample(int nCount, std::FILE* out) {
    const CLUDefault settings;
    std::fprintf(out, "%s\n",
                 Cp1252ToUtf8(Format("%-12s %-12s %-10s %-24s %10s %10s %10s %10s %9s %9s",
                                     "Rg.-Nr.", "Fortl.Nr.", "Datum", "Patient",
                                     "Techn.Lst.", "Material", "Metall", "Netto", "USt.",
                                     "Brutto"))
                     .c_str());
    CZFakt fakt;
    int nShown = 0;
    for (int rc = fakt.GetByK1(CTKRSet::kFromKey); rc == 0 && nShown < nCount;
         rc = fakt.Next(), ++nShown)
        for (const CLULabRech& row : MergeInvoice(fakt, settings)) PrintRow(row, out);
}
