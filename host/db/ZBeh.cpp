#include "host/db/ZBeh.h"

#include "host/TextUtil.h"

#include <sstream>

// "'k','g','p','q'" -> k, g, p, q. Quotes and blanks around an item are dropped,
// so "k,g" reads the same; empty items are skipped.
std::vector<CString> CZBeh::ParsePlanArten(const CString& strPlanArten) {
    std::vector<CString> vecArten;
    std::istringstream in(strPlanArten);
    for (CString strItem; std::getline(in, strItem, ',');) {
        strItem = Trim(strItem);
        if (strItem.size() >= 2 && strItem.front() == '\'' && strItem.back() == '\'')
            strItem = strItem.substr(1, strItem.size() - 2);
        if (!strItem.empty()) vecArten.push_back(strItem);
    }
    return vecArten;
}

CZBeh::CZBeh(CDatabase* pDb) : CTKRSet(pDb) {
    Define("beh",
           {
               {"beh_id", &m_nBehId},           {"md_id", &m_strMdId},
               {"pat_nr", &m_strPatNr},         {"plan_nr", &m_strPlanNr},
               {"datum", &m_strDatum},          {"art", &m_strArt},
               {"sub_art", &m_strSubArt},       {"text", &m_strText},
               {"betrag_cent", &m_nBetragCent}, {"waehrung", &m_strWaehrung},
               {"mwst_satz", &m_nMwStSatz},     {"fakt_key", &m_strFaktKey},
               {"flag1", &m_strFlag1},          {"flag2", &m_strFlag2},
               {"liq_nr1", &m_strLiqNr1},       {"liq_nr2", &m_strLiqNr2},
               {"lblock_nr", &m_strLBlockNr},   {"lblock_entry_nr", &m_strLBlockEntryNr},
               {"bill_key", &m_strBillKey},     {"techniker_id", &m_strTechnikerId},
           },
           {"beh_id"});
}

int CZBeh::GetForEvaluate(CString, CString, CString, CString&, CString& strPlanArten, bool, bool,
                          bool, int, int) {
    std::vector<CString> params = {m_strPatNr, m_strPlanNr};
    std::string sql = "pat_nr = ? AND plan_nr = ?";
    const std::vector<CString> vecArten = ParsePlanArten(strPlanArten);
    if (!vecArten.empty()) {
        sql += " AND coalesce((SELECT plan.plan_art FROM plan WHERE plan.pat_nr = beh.pat_nr"
               " AND plan.plan_nr = beh.plan_nr), flag1) IN (?";
        for (std::size_t i = 1; i < vecArten.size(); ++i)
            sql += ", ?";
        sql += ")";
        params.insert(params.end(), vecArten.begin(), vecArten.end());
    }
    return QueryFew(sql + " ORDER BY datum, beh_id", std::move(params));
}

int CZBeh::GetByFaktKey(const CString& strFaktKey) {
    return QueryFew("fakt_key = ? ORDER BY beh_id", {strFaktKey});
}
