#pragma once
// Ties a row of the lab-turnover list to its invoice; entry i describes list row i.
#include <cstdint>

struct LURowEntry {
    std::int32_t nArt = 0;   // 0: an invoice row
    std::int32_t nIndex = 0; // index of the invoice in the accumulator's rows
};
