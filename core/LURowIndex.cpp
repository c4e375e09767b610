#include "core/LURowIndex.h"

void CLURowIndex::Clear() {
    m_vecTable.clear();
    m_nKeys = 0;
    m_vecOlderPlus1.clear();
}

// A multiplicative hash of the tag, so that tags which differ in few bits still
// spread over the table.
std::size_t CLURowIndex::Home(std::uint32_t nTag) const {
    return static_cast<std::size_t>((nTag * 0x9E3779B97F4A7C15ULL) >> 32) & (m_vecTable.size() - 1);
}

// Linear probing from the tag's home slot.
std::size_t CLURowIndex::Slot(std::uint32_t nTag) const {
    const std::size_t nMask = m_vecTable.size() - 1;
    std::size_t i = Home(nTag);
    while (m_vecTable[i].nRowPlus1 != 0 && m_vecTable[i].nTag != nTag)
        i = (i + 1) & nMask;
    return i;
}

void CLURowIndex::Grow() {
    std::vector<Entry> old(m_vecTable.empty() ? 1024 : 2 * m_vecTable.size());
    old.swap(m_vecTable);
    for (const Entry& e : old)
        if (e.nRowPlus1) m_vecTable[Slot(e.nTag)] = e;
}

void CLURowIndex::Append(std::uint64_t nKey) {
    if (4 * (m_nKeys + 1) > 3 * m_vecTable.size()) Grow();
    const std::uint32_t nTag = Tag(nKey);
    Entry& e = m_vecTable[Slot(nTag)];
    if (!e.nRowPlus1) ++m_nKeys;
    m_vecOlderPlus1.push_back(e.nRowPlus1);
    e = {nTag, static_cast<std::uint32_t>(m_vecOlderPlus1.size())};
}

std::size_t CLURowIndex::Newest(std::uint64_t nKey) const {
    if (m_vecTable.empty()) return kNone;
    return Row(m_vecTable[Slot(Tag(nKey))].nRowPlus1);
}

void CLURowIndex::Prefetch(std::uint64_t nKey) const {
    if (!m_vecTable.empty()) __builtin_prefetch(&m_vecTable[Home(Tag(nKey))]);
}
