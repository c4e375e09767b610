#include "core/LUSum.h"

#include "core/LUDefault.h"
#include "host/BehHitLine.h"
#include "host/db/Bill.h"
#include "host/db/ZBeh.h"
#include "host/stat/StatAccu.h"

#include <array>

namespace {

// Plan kinds whose treatment records carry the bills of lab work, as the
// treatment query expects them: quoted characters separated by commas.
CString LiqPlanArten() {
    CString s;
    for (char c : {'k', 'g', 'p', 'q'})
        s += (s.empty() ? "'" : "','") + CString(1, c);
    return s + "'";
}

// Record kinds whose bill can hold the liquidation number of lab work (not 5).
constexpr const char* kLiqSatzArten = "12346789";

// When the hits of one invoice do not follow each other, the row a hit belongs to
// is seldom in the cache. Asking at once for the cache lines that Compare and MoveBeh
// will touch - the leading members and the hit's blocks - lets the memory deliver
// them together instead of one after the other.
void PrefetchLines(const void* pBegin, const void* pEnd) {
    constexpr std::uintptr_t kLine = 64;
    const auto end = reinterpret_cast<std::uintptr_t>(pEnd);
    for (auto p = reinterpret_cast<std::uintptr_t>(pBegin) & ~(kLine - 1); p < end; p += kLine)
        __builtin_prefetch(reinterpret_cast<const void*>(p), 1);
}

// The members Compare reads.
void PrefetchKeys(const CLULabRech& row) {
    PrefetchLines(&row, &row.m_strLstDatum + 1);
    __builtin_prefetch(&row.m_cPlanArt, 1);
}

void Prefetch(CLULabRech& row, const CBehHitLine& hit) {
    PrefetchLines(&row, &row.m_LstAlle + 1);
    CLULabRechLst& vat = hit.m_nMwStSatz == 0 ? row.m_LstOhneMwSt : row.m_LstMitMwSt;
    PrefetchLines(&vat, &vat + 1);
    if (CLULabRechLst* pRate = row.RateBlock(hit.m_nMwStSatz)) PrefetchLines(pRate, pRate + 1);
}

// What MoveBeh reaches through the row's pointers, asked for before it begins.
void PrefetchOutOfRow(const CLULabRech& row) {
    __builtin_prefetch(row.m_vecMwStGruppen.data(), 1);
    __builtin_prefetch(row.m_strPatName.data(), 1);
}

} // namespace

CLUSum::CLUSum() {
    m_WorkLabRech.Clear();
}

void CLUSum::Init() {
    m_vecLabRech.clear();
    m_WorkLabRech.Clear();
    m_mapLiqNr.clear();
    m_Index.Clear();
}

std::uint64_t CLUSum::IndexKey(const CString& strPatNr, const CString& strLBlockNr) {
    const std::uint64_t h1 = std::hash<CString>{}(strPatNr);
    const std::uint64_t h2 = std::hash<CString>{}(strLBlockNr);
    return h1 ^ (h2 + 0x9E3779B97F4A7C15ULL + (h1 << 6) + (h1 >> 2));
}

// Rows appended outside MoveLabRech (the vector is public) are picked up here, and a
// vector that shrank is indexed anew. Rows keep their patient number and lab block
// once created: every hit that joins a row has the same two.
void CLUSum::SyncIndex() {
    if (m_Index.Size() > m_vecLabRech.size()) m_Index.Clear();
    while (m_Index.Size() < m_vecLabRech.size()) {
        const CLULabRech& row = m_vecLabRech[m_Index.Size()];
        m_Index.Append(IndexKey(row.m_strPatNr, row.m_strLBlockNr));
    }
}

// With hits in random order the index entry and the candidate row are seldom in
// the cache: the work row is cleared while the index entry is on its way.
void CLUSum::MoveLabRech(const CBehHitLine& hit, const CLUDefault& settings) {
    SyncIndex();
    const std::uint64_t nKey = IndexKey(hit.m_strPatNr, hit.m_strLBlockNr);
    m_Index.Prefetch(nKey);
    Merge(hit, nKey, settings, true);
}

// Three stages ahead of the hit being merged, a few hits apart so that the memory
// has answered the stage before: the index entry (askIndex), the newest row's keys
// and its link to the next older row (AskNewest), then all of the newest row that
// the hit touches and the older row's keys, for the hits whose newest row is
// another invoice's (AskCandidates). A row that a hit in between creates is not
// asked for; the merge itself looks everything up anew.
void CLUSum::MoveLabRech(std::span<const CBehHitLine> hits, const CLUDefault& settings) {
    constexpr std::size_t kIndexAhead = 15;
    constexpr std::size_t kNewestAhead = 10;
    constexpr std::size_t kCandidatesAhead = 4;
    constexpr std::size_t kRing = 16; // keys of the current hit and those ahead
    static_assert(kIndexAhead < kRing && kNewestAhead < kIndexAhead && kCandidatesAhead >= 1);
    SyncIndex();
    std::array<std::uint64_t, kRing> keys{};
    const auto key = [&](std::size_t i) -> std::uint64_t& { return keys[i % kRing]; };
    const auto askIndex = [&](std::size_t i) {
        if (i >= hits.size()) return;
        key(i) = IndexKey(hits[i].m_strPatNr, hits[i].m_strLBlockNr);
        m_Index.Prefetch(key(i));
    };
    for (std::size_t i = 0; i < kIndexAhead; ++i)
        askIndex(i);
    for (std::size_t i = 0; i < hits.size(); ++i) {
        askIndex(i + kIndexAhead);
        // A hit with the key of the hit before goes to the rows asked for already.
        const auto ahead = [&](std::size_t j) { return j < hits.size() && key(j) != key(j - 1); };
        if (ahead(i + kNewestAhead)) AskNewest(key(i + kNewestAhead));
        if (ahead(i + kCandidatesAhead))
            AskCandidates(hits[i + kCandidatesAhead], key(i + kCandidatesAhead));
        Merge(hits[i], key(i), settings, false);
    }
}

void CLUSum::AskNewest(std::uint64_t nKey) const {
    const std::size_t nRow = m_Index.Newest(nKey);
    if (nRow == CLURowIndex::kNone) return;
    PrefetchKeys(m_vecLabRech[nRow]);
    m_Index.PrefetchOlder(nRow);
}

void CLUSum::AskCandidates(const CBehHitLine& hit, std::uint64_t nKey) {
    const std::size_t nRow = m_Index.Newest(nKey);
    if (nRow == CLURowIndex::kNone) return;
    Prefetch(m_vecLabRech[nRow], hit);
    const std::size_t nOlder = m_Index.Older(nRow);
    if (nOlder != CLURowIndex::kNone) PrefetchKeys(m_vecLabRech[nOlder]);
}

void CLUSum::Merge(const CBehHitLine& hit, std::uint64_t nKey, const CLUDefault& settings,
                   bool bPrefetch) {
    m_WorkLabRech.Clear();
    const std::size_t nNewest = m_Index.Newest(nKey);
    if (bPrefetch && nNewest != CLURowIndex::kNone) Prefetch(m_vecLabRech[nNewest], hit);
    const CDBetrag betrag = CLULabRech::AmountWithShare(hit);
    for (std::size_t n = nNewest; n != CLURowIndex::kNone; n = m_Index.Older(n)) {
        CLULabRech& row = m_vecLabRech[n];
        if (row.Compare(hit, settings)) {
            PrefetchOutOfRow(row);
            row.MoveBeh(hit, betrag);
            return;
        }
    }
    m_WorkLabRech.MoveBeh(hit, betrag);
    m_vecLabRech.push_back(m_WorkLabRech);
    m_Index.Append(nKey);
}

void CLUSum::TestLabRech1(CStatAccu* pAccu, CZBeh* pBeh, CLULabRech& row, bool bOnlyIfEmpty) {
    if (row.m_strLBlockNr.empty() || row.m_strPlanNr.empty()) return;
    const CString strKey = row.m_strPatNr + row.m_strPlanNr;
    const auto found = m_mapLiqNr.find(strKey);
    if (found != m_mapLiqNr.end()) {
        if (!(bOnlyIfEmpty && !row.m_strLiqNr.empty())) row.m_strLiqNr = found->second;
        return;
    }
    if (!pAccu || !pBeh) return;

    pBeh->Reset();
    pBeh->m_strPatNr = row.m_strPatNr;
    pBeh->m_strPlanNr = row.m_strPlanNr;
    CString strLeer;
    CString strPlanArten = LiqPlanArten();
    if (pBeh->GetForEvaluate("", "", "", strLeer, strPlanArten, true, false, false, 0, 0) != 0)
        return;
    const CString strSatzArten = kLiqSatzArten;
    do {
        CBill* pBill = pAccu->GetBill(pBeh->m_strPatNr, pBeh->m_strBillKey);
        if (!pBill) return;
        const char cStatus = pBill->GetStatus();
        const bool bAbgerechnet = pBill->IsAbgerechnet() || cStatus == 'b' || cStatus == 'p';
        // The kind is looked for as a text within the list of kinds.
        if (bAbgerechnet && strSatzArten.find(pBeh->m_strArt) != CString::npos) {
            if (pBill->GetLiqNr().empty()) return;
            if (bOnlyIfEmpty && !row.m_strLiqNr.empty()) return;
            row.m_strLiqNr = pBill->GetLiqNr();
            m_mapLiqNr[strKey] = row.m_strLiqNr;
            return;
        }
    } while (pBeh->Next() == 0);
}
