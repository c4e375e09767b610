#include "dialog/LURanking.h"

#include "host/TextUtil.h"
#include "host/gui/WPFDataTable.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <utility>

namespace {

// Amount cells: German display form; a zero amount stays an empty cell. The
// practice databases of this system are German ones.
CString BetragText(const CDBetrag& betrag) {
    return betrag.IsZero() ? CString() : betrag.ToExtLong(0, true);
}

void AddTableRow(CWPFDataTable& table, std::size_t nId, std::size_t nFolge, const StructRanking& e,
                 const CString& strProz) {
    table.AddRow({itoc(static_cast<long long>(nId)), itoc(static_cast<long long>(nFolge)),
                  e.m_strName, BetragText(e.m_SumTechnLst),
                  BetragText(e.m_SumGesamt - e.m_SumTechnLst), BetragText(e.m_SumGesamt), strProz});
}

void Add(StructRanking& entry, const StructRanking& candidate) {
    entry.m_SumTechnLst += candidate.m_SumTechnLst;
    entry.m_SumGesamt += candidate.m_SumGesamt;
}

// Stable, so equal technical services keep their order of creation.
void SortDescending(std::vector<StructRanking>& vec) {
    std::stable_sort(vec.begin(), vec.end(), [](const StructRanking& a, const StructRanking& b) {
        return a.m_SumTechnLst > b.m_SumTechnLst;
    });
}

// The treating dentists, each distinct patient and plan looked up once.
class CBehandlerCache {
public:
    explicit CBehandlerCache(const LURankingQuellen& quellen) : m_quellen(quellen) {}
    const CString& Get(const CLULabRech& r) {
        auto [it, bNeu] = m_map.try_emplace({r.m_strPatNr, r.m_strPlanNr});
        if (bNeu && m_quellen.fnZaLebId)
            it->second = m_quellen.fnZaLebId(r.m_strPatNr, r.m_strPlanNr);
        return it->second;
    }

private:
    const LURankingQuellen& m_quellen;
    std::map<std::pair<CString, CString>, CString> m_map;
};

} // namespace

CDBetrag RankingTechnLst(const CLULabRech& r) {
    const CLULabRechLst& b = r.m_LstAlle;
    return b.m_TechnLst + b.m_TechnLstFrei;
}

CDBetrag RankingGesamt(const CLULabRech& r) {
    const CLULabRechLst& b = r.m_LstAlle;
    return b.m_TechnLst + b.m_MwStTechnLst5 + b.m_MwStTechnLst7 + b.m_TechnLstFrei + b.m_Material +
           b.m_Metall + b.m_MwStMetall5 + b.m_MwStMetall7;
}

CString RankingName(const CString& strName, const CString& strLebId) {
    return strName + " (" + TrimLeft(strLebId) + ")";
}

int FindRanking(const std::vector<StructRanking>& vecRanking, const StructRanking& key,
                bool bMitBehandler) {
    for (std::size_t n = 0; n < vecRanking.size(); ++n) {
        const StructRanking& e = vecRanking[n];
        if (e.m_strLebKey == key.m_strLebKey &&
            (!bMitBehandler || e.m_strZaLebId == key.m_strZaLebId))
            return static_cast<int>(n);
    }
    return -1;
}

void CalcRanking(const std::vector<StructLeb>& vecLeb, const std::vector<CLULabRech>& vecRecords,
                 const LURankingQuellen& quellen, std::vector<StructRanking>& vecRanking,
                 CDBetrag& total) {
    // The invoices of each technician id, in invoice order.
    std::map<CString, std::vector<std::size_t>> mapRechnungen;
    for (std::size_t i = 0; i < vecRecords.size(); ++i)
        mapRechnungen[vecRecords[i].m_strTechniker].push_back(i);
    const auto Name = [&](const CString& strId) {
        return RankingName(quellen.fnLebName ? quellen.fnLebName(strId) : CString(), strId);
    };
    CBehandlerCache behandler(quellen);
    for (const StructLeb& leb : vecLeb) {
        const auto it = mapRechnungen.find(leb.m_strLebId);
        if (it == mapRechnungen.end()) continue;
        for (const std::size_t i : it->second) {
            const CLULabRech& r = vecRecords[i];
            StructRanking candidate;
            candidate.m_SumTechnLst = RankingTechnLst(r);
            candidate.m_SumGesamt = RankingGesamt(r);
            candidate.m_strLebKey = leb.m_strLebKey;
            candidate.m_strZaLebId = behandler.Get(r);
            const int nEntry = FindRanking(vecRanking, candidate, false);
            if (nEntry < 0) { // a new technician: his entry and his first treater
                candidate.m_strName = Name(r.m_strTechniker);
                vecRanking.push_back(candidate);
                candidate.m_strName = Name(candidate.m_strZaLebId);
                vecRanking.back().m_vecDetails.push_back(candidate);
            } else {
                StructRanking& entry = vecRanking[static_cast<std::size_t>(nEntry)];
                Add(entry, candidate);
                const int nDetail = FindRanking(entry.m_vecDetails, candidate, true);
                if (nDetail < 0) {
                    candidate.m_strName = Name(candidate.m_strZaLebId);
                    entry.m_vecDetails.push_back(candidate);
                } else {
                    Add(entry.m_vecDetails[static_cast<std::size_t>(nDetail)], candidate);
                }
            }
            total += candidate.m_SumTechnLst;
        }
    }
    for (StructRanking& entry : vecRanking)
        SortDescending(entry.m_vecDetails);
    SortDescending(vecRanking);
}

CString RankingProzent(const CDBetrag& teil, const CDBetrag& ganzes) {
    if (!ganzes.IsPos()) return {};
    const double dProzent =
        100.0 * static_cast<double>(teil.GetCent()) / static_cast<double>(ganzes.GetCent());
    // Independent of the locale the application may have set: always a point.
    char szText[64];
    const auto result =
        std::to_chars(szText, szText + sizeof szText, dProzent, std::chars_format::fixed, 2);
    return CString(szText, result.ptr);
}

void FillRankingTables(const std::vector<StructRanking>& vecRanking, const CDBetrag& total,
                       CWPFDataTable& ranking1, CWPFDataTable& ranking2) {
    for (std::size_t n = 0; n < vecRanking.size(); ++n) {
        const StructRanking& e = vecRanking[n];
        AddTableRow(ranking1, n + 1, n + 1, e, RankingProzent(e.m_SumTechnLst, total));
        for (std::size_t k = 0; k < e.m_vecDetails.size(); ++k) {
            const StructRanking& d = e.m_vecDetails[k];
            AddTableRow(ranking2, n + 1, k + 1, d,
                        RankingProzent(d.m_SumTechnLst, e.m_SumTechnLst));
        }
    }
}
