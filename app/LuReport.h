#pragma once
// The lab-turnover rows and errors as text for the command line: one line per row
// and used amount block, or a summary with the sums of every block. Output is UTF-8.
#include "app/LuMode.h"

#include <array>
#include <cstdint>
#include <cstdio>

class CLUSum;
class CStatAccu;

// Sums of one amount block over all rows, added as the evaluation dialog adds them:
// each row weighted with its cancellation type (-1, 1; 0 does not count).
struct LuBlockSumme {
    long nZeilen = 0;                                // rows that use the block
    std::int64_t nNetto = 0, nMwSt = 0, nBrutto = 0; // euro cents
    bool operator==(const LuBlockSumme&) const = default;
};
// Indexed by block code 0..6.
std::array<LuBlockSumme, 7> LuBlockSummen(const CLUSum& sum);
// Hit-file lines of the rows: one per row and used block ("0" always).
long LuZeilenAnzahl(const CLUSum& sum);

void PrintLuRows(const CLUSum& sum, const CStatAccu& accu, bool bTsv, std::FILE* out);
void PrintLuSummary(const CLUSum& sum, const CStatAccu& accu, LuMode eMode, std::FILE* out);
