#pragma once
// Chains the rows of a lab-turnover list by a 64-bit key: for a key the newest row,
// and for every row the next older row of the same key. The newest rows live in one
// flat table with open addressing, so that a lookup costs one memory access where a
// node-based map costs two; with rows of random keys that access is the main cost.
#include <cstddef>
#include <cstdint>
#include <vector>

class CLURowIndex {
public:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    void Clear();
    std::size_t Size() const { return m_vecOlder.size(); }
    // Row number Size() joins the chain of nKey as its newest row.
    void Append(std::uint64_t nKey);
    std::size_t Newest(std::uint64_t nKey) const;
    std::size_t Older(std::size_t nRow) const { return m_vecOlder[nRow]; }

private:
    struct Entry {
        std::uint64_t nKey = 0;
        std::size_t nRow = kNone; // kNone: free
    };
    std::size_t Find(std::uint64_t nKey) const; // the key's entry or the free one to take
    void Grow();

    std::vector<Entry> m_vecTable; // size a power of two, at most half full
    std::size_t m_nKeys = 0;
    std::vector<std::size_t> m_vecOlder;
};
