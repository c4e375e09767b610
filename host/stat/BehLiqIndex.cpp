#include "host/stat/BehLiqIndex.h"

#include "host/Cp1252.h"
#include "host/TextUtil.h"
#include "host/db/DbConnection.h"
#include "host/db/ZBeh.h"

#include <cstddef>
#include <string>

namespace {

// Patient and plan as one text; the length keeps "1"+"23" apart from "12"+"3".
CString Schluessel(const CString& strPatNr, const CString& strPlanNr) {
    return itoc(static_cast<long long>(strPatNr.size())) + ":" + strPatNr + strPlanNr;
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

void CBehLiqIndex::Load(IDbConnection& db, const CString& strPlanArten) {
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
        " FROM beh LEFT JOIN plan pl ON pl.pat_nr = beh.pat_nr AND pl.plan_nr = beh.plan_nr" +
        strArten + " ORDER BY beh.pat_nr, beh.plan_nr, beh.datum, beh.beh_id");
    int n = 1;
    for (const CString& strArt : vecArten)
        stmt->BindText(n++, Cp1252ToUtf8(strArt));
    // The texts converted here are not the pass's: the search reads them anew
    // where one of them loses characters.
    const CCp1252Verluste verschluckt;
    CString strPat, strPlan, strRest;
    while (stmt->Step()) {
        // GetForEvaluate asks with texts that came from the database: a patient or
        // plan number that loses characters is one it can never ask for.
        if (!Utf8ToCp1252Exakt(stmt->ColumnText(0), strPat) ||
            !Utf8ToCp1252Exakt(stmt->ColumnText(1), strPlan))
            continue;
        CString strKey = Schluessel(strPat, strPlan);
        CLiqSatz satz;
        if (!Utf8ToCp1252Exakt(stmt->ColumnText(2), satz.strArt) ||
            !Utf8ToCp1252Exakt(stmt->ColumnText(3), satz.strBillKey) ||
            !Utf8ToCp1252Exakt(stmt->ColumnText(4), strRest))
            m_setUnsicher.insert(std::move(strKey));
        else
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
