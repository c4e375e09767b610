#pragma once
// The accumulator of the lab-turnover statistics: the lab invoice rows of one
// evaluation, filled by the database walk hit by hit or read back from the hit file.
#include "core/LULabRech.h"
#include "core/LURowIndex.h"
#include "host/CString.h"

#include <cstdint>
#include <map>
#include <span>
#include <vector>

class CLUDefault;
class CStatAccu;
class CZBeh;
struct CBehHitLine;

class CLUSum {
public:
    CLUSum();
    virtual ~CLUSum() = default;
    CLUSum(const CLUSum&) = default;
    CLUSum& operator=(const CLUSum&) = default;
    CLUSum(CLUSum&&) = default;
    CLUSum& operator=(CLUSum&&) = default;

    // Empties rows, work row and liquidation-number map.
    void Init();
    // Merges one hit into the newest row it matches, or starts a new row.
    void MoveLabRech(const CBehHitLine& hit, const CLUDefault& settings);
    // Merges the hits in their order, with the same rows as one MoveLabRech per hit.
    // A caller holding several hits passes them together: while one hit is merged,
    // the memory is asked for the index entries and rows of the hits ahead, so that
    // hits in random order do not wait for it one after the other.
    void MoveLabRech(std::span<const CBehHitLine> hits, const CLUDefault& settings);
    // Finds the liquidation number under which the row's patient and plan were
    // billed; with bOnlyIfEmpty an existing number is kept.
    void TestLabRech1(CStatAccu* pAccu, CZBeh* pBeh, CLULabRech& row, bool bOnlyIfEmpty);

    std::vector<CLULabRech> m_vecLabRech; // in order of creation
    CLULabRech m_WorkLabRech;
    std::map<CString, CString> m_mapLiqNr; // patient number + plan number -> liq. number

private:
    // Every row a hit can match has the hit's patient number and lab block, so the
    // rows are chained by a hash of those two: a hit compares only with the rows of
    // its chain, newest first, which gives the same row as a search over all rows
    // from the back (Compare itself rejects a row of another key with equal hash).
    static std::uint64_t IndexKey(const CString& strPatNr, const CString& strLBlockNr);
    void SyncIndex();
    // Ask the memory for what the merge of a hit ahead will read, without waiting.
    void AskNewest(std::uint64_t nKey) const;
    void AskCandidates(const CBehHitLine& hit, std::uint64_t nKey);
    // MoveLabRech for a hit whose index key is known; bPrefetch asks for the
    // candidate row first, unless that was done ahead.
    void Merge(const CBehHitLine& hit, std::uint64_t nKey, const CLUDefault& settings,
               bool bPrefetch);

    CLURowIndex m_Index;
};
