#pragma once
// The accumulator of the lab-turnover statistics: the lab invoice rows of one
// evaluation, filled by the database walk hit by hit or read back from the hit file.
#include "core/LULabRech.h"
#include "host/CString.h"

#include <map>
#include <unordered_map>
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

    // Empties rows, work row and liquidation-number map.
    void Init();
    // Merges one hit into the newest row it matches, or starts a new row.
    void MoveLabRech(const CBehHitLine& hit, const CLUDefault& settings);
    // Finds the liquidation number under which the row's patient and plan were
    // billed; with bOnlyIfEmpty an existing number is kept.
    void TestLabRech1(CStatAccu* pAccu, CZBeh* pBeh, CLULabRech& row, bool bOnlyIfEmpty);

    std::vector<CLULabRech> m_vecLabRech; // in order of creation
    CLULabRech m_WorkLabRech;
    std::map<CString, CString> m_mapLiqNr; // patient number + plan number -> liq. number

private:
    // Every row a hit can match has the hit's patient number and lab block, so the
    // rows are indexed by those two: a hit compares only with its candidates, newest
    // first, which gives the same row as a search over all rows from the back.
    static CString IndexKey(const CString& strPatNr, const CString& strLBlockNr);
    const std::vector<std::size_t>& Candidates(const CString& strPatNr, const CString& strLBlockNr);
    void SyncIndex();

    std::unordered_map<CString, std::vector<std::size_t>> m_mapIndex;
    std::size_t m_nIndexed = 0; // rows of m_vecLabRech covered by the index
};
