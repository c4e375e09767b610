// The row index: chains of rows per key, newest first, also for keys that the
// compact table cannot tell apart, and across the growth of its table.
#include "core/LURowIndex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <random>
#include <vector>

namespace {

std::vector<std::size_t> Chain(const CLURowIndex& index, std::uint64_t nKey) {
    std::vector<std::size_t> rows;
    for (std::size_t n = index.Newest(nKey); n != CLURowIndex::kNone; n = index.Older(n))
        rows.push_back(n);
    return rows;
}

TEST(LURowIndex, EveryRowOfAKeyIsInItsChainNewestFirst) {
    // Keys sharing their upper half share a chain; the chain of a key must still
    // hold all its rows in descending order, whatever other rows lie in between.
    std::mt19937_64 rng(11);
    std::vector<std::uint64_t> keys(3000);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        keys[i] = rng();
        if (i % 5 == 1) // the upper half of the key before
            keys[i] = (keys[i - 1] & 0xFFFF'FFFF'0000'0000ULL) | (keys[i] & 0xFFFF'FFFFULL);
    }
    CLURowIndex index;
    std::map<std::uint64_t, std::vector<std::size_t>> expected;
    for (std::size_t nRow = 0; nRow < 20000; ++nRow) {
        const std::uint64_t nKey = keys[rng() % keys.size()];
        index.Append(nKey);
        expected[nKey].insert(expected[nKey].begin(), nRow);
    }
    ASSERT_EQ(index.Size(), 20000u);
    for (const auto& [nKey, rows] : expected) {
        std::vector<std::size_t> chain = Chain(index, nKey);
        std::vector<std::size_t> own;
        for (std::size_t n : chain)
            if (std::find(rows.begin(), rows.end(), n) != rows.end()) own.push_back(n);
        EXPECT_EQ(own, rows) << nKey;
        EXPECT_TRUE(std::is_sorted(chain.rbegin(), chain.rend())) << nKey;
    }
    EXPECT_EQ(index.Newest(0xFFFF'FFFF'0000'0001ULL), CLURowIndex::kNone);
}

TEST(LURowIndex, ClearForgetsEverything) {
    CLURowIndex index;
    for (std::uint64_t n = 0; n < 5000; ++n)
        index.Append(n);
    index.Clear();
    EXPECT_EQ(index.Size(), 0u);
    EXPECT_EQ(index.Newest(42), CLURowIndex::kNone);
    index.Append(42);
    EXPECT_EQ(Chain(index, 42), std::vector<std::size_t>{0});
}

} // namespace
