#pragma once
// The treatment records the search for a liquidation number looks at, read for
// every patient and plan in one query, so that an evaluation does not ask the
// database once per plan. The search walks the records of one patient and plan
// whose plan kind is listed, in date order, and asks for the bill of each.
#include "host/CString.h"

#include <unordered_map>
#include <unordered_set>
#include <vector>

class IDbConnection;

// A record as the search needs it: its amount kind and the key of its bill.
struct CLiqSatz {
    CString strArt;
    CString strBillKey;
};

class CBehLiqIndex {
public:
    // Reads the records of every patient and plan whose plan kind is in
    // strPlanArten (as CZBeh::GetForEvaluate takes it). Throws DbError when the
    // database cannot be read.
    void Load(IDbConnection& db, const CString& strPlanArten);

    // The records of a patient and plan as GetForEvaluate gives them, an empty
    // list when it gives none. nullptr when the index cannot tell: before Load,
    // and for a plan whose records hold a text that Windows-1252 cannot hold
    // (GetForEvaluate reports such texts as it reads them, so it must run).
    const std::vector<CLiqSatz>* Find(const CString& strPatNr, const CString& strPlanNr) const;

private:
    bool m_bGeladen = false;
    std::unordered_map<CString, std::vector<CLiqSatz>> m_mapSaetze;
    std::unordered_set<CString> m_setUnsicher; // plans GetForEvaluate must read
};
