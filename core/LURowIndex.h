#pragma once
// Chains the rows of a lab-turnover list by a 64-bit key: for a key the newest row,
// and for every row the next older row of the same key. The newest rows live in one
// flat table with open addressing, so that a lookup costs one memory access where a
// node-based map costs two; with rows of random keys that access is the main cost,
// and the table is kept small (8 bytes a key) so that much of it stays in the cache.
//
// The table tells keys apart by 32 of their bits only. Keys that share them share a
// chain, which stays ordered newest first; the caller compares the rows anyway.
#include <cstddef>
#include <cstdint>
#include <vector>

class CLURowIndex {
public:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    void Clear();
    std::size_t Size() const { return m_vecOlderPlus1.size(); }
    // Row number Size() joins the chain of nKey as its newest row; at most 2^32 - 1
    // rows.
    void Append(std::uint64_t nKey);
    std::size_t Newest(std::uint64_t nKey) const;
    // Asks the memory for the place where Newest will look, without waiting.
    void Prefetch(std::uint64_t nKey) const;
    std::size_t Older(std::size_t nRow) const { return Row(m_vecOlderPlus1[nRow]); }
    // Asks the memory for the link that Older(nRow) will read.
    void PrefetchOlder(std::size_t nRow) const { __builtin_prefetch(&m_vecOlderPlus1[nRow]); }

private:
    static std::size_t Row(std::uint32_t nPlus1) { return nPlus1 ? nPlus1 - 1 : kNone; }
    struct Entry {
        std::uint32_t nTag = 0;
        std::uint32_t nRowPlus1 = 0; // 0: free
    };
    static std::uint32_t Tag(std::uint64_t nKey) { return static_cast<std::uint32_t>(nKey >> 32); }
    std::size_t Home(std::uint32_t nTag) const;
    // The entry of the tag, or the free one to take.
    std::size_t Slot(std::uint32_t nTag) const;
    void Grow();

    std::vector<Entry> m_vecTable; // size a power of two, at most three quarters full
    std::size_t m_nKeys = 0;
    std::vector<std::uint32_t> m_vecOlderPlus1; // 0: none
};
