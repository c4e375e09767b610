#include "host/stat/BillCache.h"

#include "host/db/Bill.h"

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
        std::unique_ptr<CBill> pBill;
        if (const std::optional<Werte>& werte = gelesen->second) {
            pBill = std::make_unique<CBill>(&dbDatabaseRO);
            pBill->m_strPatNr = strPatNr;
            pBill->m_strBillKey = strBillKey;
            pBill->m_strStatus = werte->strStatus;
            pBill->m_nAbgerechnet = werte->nAbgerechnet;
            pBill->m_strLiqNr = werte->strLiqNr;
            pBill->m_strDatum = werte->strDatum;
        }
        m_mapGelesen.erase(gelesen);
        return m_mapBills.emplace(std::move(key), std::move(pBill)).first->second.get();
    }
    bool bFault = false;
    std::unique_ptr<CBill> pBill = Lookup(strPatNr, strBillKey, bFault);
    if (bFault) return nullptr;
    return m_mapBills.emplace(std::move(key), std::move(pBill)).first->second.get();
}

void CBillCache::Put(const CString& strPatNr, const CString& strBillKey,
                     std::optional<Werte> werte) {
    Key key(strPatNr, strBillKey);
    if (m_mapBills.count(key)) return;
    m_mapGelesen.emplace(std::move(key), std::move(werte));
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
