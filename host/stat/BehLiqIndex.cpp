#include "host/stat/BehLiqIndex.h"

#include "host/Cp1252.h"
#include "host/TextUtil.h"
#include "host/db/DbConnection.h"
#include "host/db/ZBeh.h"
#include "host/stat/BillCache.h"

#include <cstddef>
#include <optional>
#include <string>

namespace {

// Patient and plan as one text; the length keeps "1"+"23" apart from "12"+"3".
CString Schluessel(const CString& strPatNr, const CString& strPlanNr) {
    return itoc(static_cast<long long>(strPatNr.size())) + ":" + strPatNr + strPlanNr;
}

// False when the text loses characters in Windows-1252.
bool Verlustfrei(std::string_view utf8, CString& str) {
    if (IsAscii(utf8)) {
        str.assign(utf8);
        return true;
    }
    std::size_t nErsetzt = 0;
    str = Utf8ToCp1252(utf8, &nErsetzt);
    return nErsetzt == 0;
}

// The columns of beh that the search reads only to note lost characters: one
// text, "|" between them so that broken bytes at the end of one column cannot
// join the next one's to a valid character.
constexpr const char* kUebrigeSpalten =
    "beh.md_id || '|' || beh.datum || '|' || beh.sub_art || '|' || beh.text || '|' || "
    "beh.waehrung || '|' || beh.fakt_key || '|' || beh.flag1 || '|' || beh.flag2 || '|' || "
    "beh.liq_nr1 || '|' || beh.liq_nr2 || '|' || beh.lblock_nr || '|' || beh.lblock_entry_nr || "
    "'|' || beh.techniker_id";

} // namespace

void CBehLiqIndex::Load(IDbConnection& db, const CString& strPlanArten, CBillCache& bills) {
    m_mapSaetze.clear();
    m_setUnsicher.clear();
    const std::vector<CString> vecArten = CZBeh::ParsePlanArten(strPlanArten);
    // The plan kind as GetForEvaluate takes it: the plan's (a plan is unique per
    // patient and number), or the record's flag1 when the plan is missing.
    std::string strArten;
    if (!vecArten.empty()) {
        strArten = " WHERE coalesce(pl.plan_art, beh.flag1) IN (?";
        for (std::size_t i = 1; i < vecArten.size(); ++i)
            strArten += ", ?";
        strArten += ")";
    }
    auto stmt = db.PrepareCursor(
        std::string("SELECT beh.pat_nr, beh.plan_nr, beh.art, beh.bill_key, ") + kUebrigeSpalten +
        ", bl.pat_nr, bl.status, bl.abgerechnet, bl.liq_nr, bl.datum FROM beh"
        " LEFT JOIN plan pl ON pl.pat_nr = beh.pat_nr AND pl.plan_nr = beh.plan_nr"
        " LEFT JOIN bill bl ON bl.pat_nr = beh.pat_nr AND bl.bill_key = beh.bill_key" +
        strArten + " ORDER BY beh.pat_nr, beh.plan_nr, beh.datum, beh.beh_id");
    int n = 1;
    for (const CString& strArt : vecArten)
        stmt->BindText(n++, Cp1252ToUtf8(strArt));
    // The texts converted here are not the pass's: the search reads them anew
    // where one of them loses characters.
    const CCp1252Verluste verschluckt;
    CString strPat, strPlan, strRest;
    while (stmt->Step()) {
        CLiqSatz satz;
        const bool bPat = Verlustfrei(stmt->ColumnText(0), strPat);
        const bool bPlan = Verlustfrei(stmt->ColumnText(1), strPlan);
        CString strKey = Schluessel(strPat, strPlan);
        if (!bPat || !bPlan || !Verlustfrei(stmt->ColumnText(2), satz.strArt) ||
            !Verlustfrei(stmt->ColumnText(3), satz.strBillKey) ||
            !Verlustfrei(stmt->ColumnText(4), strRest)) {
            m_setUnsicher.insert(std::move(strKey));
            continue;
        }
        if (stmt->ColumnIsNull(5)) {
            bills.Put(strPat, satz.strBillKey, std::nullopt);
        } else {
            CBillCache::Werte werte;
            werte.nAbgerechnet = static_cast<int>(stmt->ColumnInt(7));
            // A bill whose texts lose characters is read by the cache itself.
            if (Verlustfrei(stmt->ColumnText(6), werte.strStatus) &&
                Verlustfrei(stmt->ColumnText(8), werte.strLiqNr) &&
                Verlustfrei(stmt->ColumnText(9), werte.strDatum))
                bills.Put(strPat, satz.strBillKey, std::move(werte));
        }
        m_mapSaetze[strKey].push_back(std::move(satz));
    }
    m_bGeladen = true;
}

const std::vector<CLiqSatz>* CBehLiqIndex::Find(const CString& strPatNr,
                                                const CString& strPlanNr) const {
    static const std::vector<CLiqSatz> kKeine;
    if (!m_bGeladen) return nullptr;
    const CString strKey = Schluessel(strPatNr, strPlanNr);
    if (m_setUnsicher.count(strKey)) return nullptr;
    const auto it = m_mapSaetze.find(strKey);
    return it == m_mapSaetze.end() ? &kKeine : &it->second;
}
