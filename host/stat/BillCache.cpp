#include "host/stat/BillCache.h"

#include "host/Cp1252.h"
#include "host/db/Bill.h"
#include "host/db/DbConnection.h"

namespace {

void CopyColumns(const CBill& from, CBill& to) {
    to.m_strPatNr = from.m_strPatNr;
    to.m_strBillKey = from.m_strBillKey;
    to.m_strStatus = from.m_strStatus;
    to.m_nAbgerechnet = from.m_nAbgerechnet;
    to.m_strLiqNr = from.m_strLiqNr;
    to.m_strDatum = from.m_strDatum;
}

} // namespace

CBillCache::CBillCache() = default;
CBillCache::~CBillCache() = default;
CBillCache::CBillCache(const CBillCache&) {}

CBill* CBillCache::Get(const CString& strPatNr, const CString& strBillKey) {
    Key key(strPatNr, strBillKey);
    const auto it = m_mapBills.find(key);
    if (it != m_mapBills.end()) return it->second.get();
    const auto gelesen = m_mapGelesen.find(key);
    if (gelesen != m_mapGelesen.end()) {
        auto pBill = std::make_unique<CBill>(&dbDatabaseRO);
        pBill->m_strPatNr = strPatNr;
        pBill->m_strBillKey = strBillKey;
        pBill->m_strStatus = gelesen->second.strStatus;
        pBill->m_nAbgerechnet = gelesen->second.nAbgerechnet;
        pBill->m_strLiqNr = gelesen->second.strLiqNr;
        pBill->m_strDatum = gelesen->second.strDatum;
        m_mapGelesen.erase(gelesen);
        return m_mapBills.emplace(std::move(key), std::move(pBill)).first->second.get();
    }
    if (m_bAlleGelesen && !m_setNachfragen.count(key))
        return m_mapBills.emplace(std::move(key), nullptr).first->second.get();
    bool bFault = false;
    std::unique_ptr<CBill> pBill = Lookup(strPatNr, strBillKey, bFault);
    if (bFault) return nullptr;
    return m_mapBills.emplace(std::move(key), std::move(pBill)).first->second.get();
}

void CBillCache::LoadAll(IDbConnection& db) {
    auto stmt =
        db.PrepareCursor("SELECT pat_nr, bill_key, status, abgerechnet, liq_nr, datum FROM bill");
    // Texts converted here are not the caller's to report: a bill with one that
    // loses characters is left to Get, which reads it as before.
    const CCp1252Verluste verschluckt;
    while (stmt->Step()) {
        Key key;
        Werte werte;
        // Get asks with texts that came from the database: a key that loses
        // characters is one no caller can ask for.
        if (!Utf8ToCp1252Exakt(stmt->ColumnText(0), key.first) ||
            !Utf8ToCp1252Exakt(stmt->ColumnText(1), key.second))
            continue;
        werte.nAbgerechnet = static_cast<int>(stmt->ColumnInt(3));
        if (Utf8ToCp1252Exakt(stmt->ColumnText(2), werte.strStatus) &&
            Utf8ToCp1252Exakt(stmt->ColumnText(4), werte.strLiqNr) &&
            Utf8ToCp1252Exakt(stmt->ColumnText(5), werte.strDatum))
            m_mapGelesen.emplace(std::move(key), std::move(werte));
        else
            m_setNachfragen.insert(std::move(key));
    }
    m_bAlleGelesen = true;
}

std::unique_ptr<CBill> CBillCache::Lookup(const CString& strPatNr, const CString& strBillKey,
                                          bool& bFault) {
    if (!m_pQuery) m_pQuery = std::make_unique<CBill>(&dbDatabaseRO);
    m_pQuery->Reset();
    m_pQuery->m_strPatNr = strPatNr;
    m_pQuery->m_strBillKey = strBillKey;
    const int nResult = m_pQuery->GetByK1(CTKRSet::kExact);
    bFault = nResult != CTKRSet::kOk && nResult != CTKRSet::kNotFound;
    if (nResult != CTKRSet::kOk) return nullptr;
    auto pBill = std::make_unique<CBill>(&dbDatabaseRO);
    CopyColumns(*m_pQuery, *pBill);
    return pBill;
}
