#include "core/LURowIndex.h"

void CLURowIndex::Clear() {
    m_vecTable.clear();
    m_nKeys = 0;
    m_vecOlder.clear();
}

// Linear probing from a slot picked by the high bits of a multiplicative hash, so
// that keys which differ in few bits still spread over the table.
std::size_t CLURowIndex::Find(std::uint64_t nKey) const {
    const std::size_t nMask = m_vecTable.size() - 1;
    std::size_t i = static_cast<std::size_t>((nKey * 0x9E3779B97F4A7C15ULL) >> 20) & nMask;
    while (m_vecTable[i].nRow != kNone && m_vecTable[i].nKey != nKey)
        i = (i + 1) & nMask;
    return i;
}

void CLURowIndex::Grow() {
    std::vector<Entry> old(m_vecTable.empty() ? 1024 : 2 * m_vecTable.size());
    old.swap(m_vecTable);
    for (const Entry& e : old)
        if (e.nRow != kNone) m_vecTable[Find(e.nKey)] = e;
}

void CLURowIndex::Append(std::uint64_t nKey) {
    if (2 * (m_nKeys + 1) > m_vecTable.size()) Grow();
    Entry& e = m_vecTable[Find(nKey)];
    if (e.nRow == kNone) ++m_nKeys;
    m_vecOlder.push_back(e.nRow);
    e = {nKey, m_vecOlder.size() - 1};
}

std::size_t CLURowIndex::Newest(std::uint64_t nKey) const {
    if (m_vecTable.empty()) return kNone;
    return m_vecTable[Find(nKey)].nRow;
}
