#pragma once
// Bills of the practice database, looked up once each. An evaluation asks for the
// bill of every treatment record it inspects, and many records share one bill, so
// the answers (also "no such bill") are kept for the life of the cache.
#include "host/CString.h"

#include <map>
#include <memory>
#include <set>
#include <utility>

class CBill;
class IDbConnection;

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

    // Reads every bill of the database at once, for a walk that asks for many of
    // them; Get then answers from memory. Throws DbError when the table cannot be
    // read.
    void LoadAll(IDbConnection& db);

private:
    using Key = std::pair<CString, CString>;
    std::unique_ptr<CBill> Lookup(const CString& strPatNr, const CString& strBillKey, bool& bFault);

    // One record set runs every query; found bills are copied out of it, so that a
    // cached bill holds no prepared statement.
    std::unique_ptr<CBill> m_pQuery;
    std::map<Key, std::unique_ptr<CBill>> m_mapBills;
    // From LoadAll: the bills not yet asked for, and whether that was every bill.
    struct Werte {
        CString strStatus;
        int nAbgerechnet = 0;
        CString strLiqNr;
        CString strDatum;
    };
    std::map<Key, Werte> m_mapGelesen;
    std::set<Key> m_setNachfragen; // bills whose texts Get reads itself
    bool m_bAlleGelesen = false;
};
