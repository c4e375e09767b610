#pragma once
// Bills of the practice database, looked up once each. An evaluation asks for the
// bill of every treatment record it inspects, and many records share one bill, so
// the answers (also "no such bill") are kept for the life of the cache.
#include "host/CString.h"

#include <map>
#include <memory>
#include <optional>
#include <utility>

class CBill;

class CBillCache {
public:
    CBillCache();
    ~CBillCache();
    // A copy starts empty, and assigning keeps this cache: pointers handed out stay
    // valid as long as the cache that returned them.
    CBillCache(const CBillCache&);
    CBillCache& operator=(const CBillCache&) { return *this; }

    // The bill of the key on dbDatabaseRO, nullptr when there is none. A database
    // fault also gives nullptr but is not remembered, so a later call tries again.
    CBill* Get(const CString& strPatNr, const CString& strBillKey);

    // The columns of a bill that a query read along with other rows.
    struct Werte {
        CString strStatus;
        int nAbgerechnet = 0;
        CString strLiqNr;
        CString strDatum;
    };
    // Takes the answer for a key from such a query: the bill, or std::nullopt when
    // there is none. A key answered before keeps its answer. The bill object is
    // made only when Get asks for it: most of them are never asked for.
    void Put(const CString& strPatNr, const CString& strBillKey, std::optional<Werte> werte);

private:
    using Key = std::pair<CString, CString>;
    std::unique_ptr<CBill> Lookup(const CString& strPatNr, const CString& strBillKey, bool& bFault);

    // One record set runs every query; found bills are copied out of it, so that a
    // cached bill holds no prepared statement.
    std::unique_ptr<CBill> m_pQuery;
    std::map<Key, std::unique_ptr<CBill>> m_mapBills;
    std::map<Key, std::optional<Werte>> m_mapGelesen; // from Put, not yet asked for
};
