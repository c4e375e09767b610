#pragma once
// The accumulator of the lab-turnover statistics: the lab invoice rows of one
// evaluation, filled by the database walk hit by hit or read back from the hit file.
#include "core/LULabRech.h"
#include "host/CString.h"
#include "host/stat/BehLiqIndex.h"

#include <map>
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
    // Merges one hit into the newest row it matches, or starts a new row. The rows
    // are searched from the newest: the hits of one invoice come one after the
    // other, so their row is found at once.
    void MoveLabRech(const CBehHitLine& hit, const CLUDefault& settings);
    // Finds the liquidation number under which the row's patient and plan were
    // billed; with bOnlyIfEmpty an existing number is kept.
    void TestLabRech1(CStatAccu* pAccu, CZBeh* pBeh, CLULabRech& row, bool bOnlyIfEmpty);
    // The same search over the records the treatment query gives for the row's
    // patient and plan with the kinds of LiqPlanArten(), read beforehand.
    void TestLabRech1(CStatAccu& accu, const std::vector<CLiqSatz>& vecSaetze, CLULabRech& row,
                      bool bOnlyIfEmpty);
    // The plan kinds the search looks at, as the treatment query takes them.
    static CString LiqPlanArten();

    std::vector<CLULabRech> m_vecLabRech; // in order of creation
    CLULabRech m_WorkLabRech;
    std::map<CString, CString> m_mapLiqNr; // patient number + plan number -> liq. number

private:
    // True when the row needs no search: no lab block or plan, or the number of
    // its patient and plan was found before (then taken).
    bool AusKarte(CLULabRech& row, bool bOnlyIfEmpty) const;
    // One record of the search, in date order: true when it ends the search (the
    // number found, or none to be had).
    bool PruefeSatz(CStatAccu& accu, const CString& strArt, const CString& strBillKey,
                    CLULabRech& row, bool bOnlyIfEmpty);
};
