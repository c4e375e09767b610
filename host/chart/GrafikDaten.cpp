#include "host/chart/GrafikDaten.h"

#include "host/TextUtil.h"
#include "host/chart/GrafikWert.h"

#include <map>
#include <tuple>
#include <utility>

namespace {

CString GruppenText(const CRows& row) {
    CString strText = Blank(row.m_strTitel) ? row.m_strKey : row.m_strTitel;
    if (!Blank(row.m_strTitel2)) strText += " " + row.m_strTitel2;
    return strText;
}

int SerieFuer(CGrafikDaten& daten, const CRows& row) {
    for (std::size_t i = 0; i < daten.vecSerien.size(); ++i)
        if (daten.vecSerien[i].strKey == row.m_strColKey) return static_cast<int>(i);
    const CString strTitel = Blank(row.m_strColTitel) ? row.m_strColKey : row.m_strColTitel;
    daten.vecSerien.push_back({row.m_strColKey, strTitel, {}});
    return static_cast<int>(daten.vecSerien.size()) - 1;
}

} // namespace

CGrafikDaten BaueGrafikDaten(const std::vector<CRows>& vecRows, const std::vector<CCols>& vecCols) {
    CGrafikDaten daten;
    for (const CCols& col : vecCols) {
        bool bDoppelt = false;
        for (const CGrafikSerie& serie : daten.vecSerien)
            bDoppelt = bDoppelt || serie.strKey == col.m_strKey;
        if (!bDoppelt) daten.vecSerien.push_back({col.m_strKey, col.m_strTitel, {}});
    }
    std::map<std::pair<CString, CString>, std::size_t> mapGruppe;
    // (group, series, value) in row order; the vectors get their size at the end.
    std::vector<std::tuple<std::size_t, int, CWBetragBasis>> vecWerte;
    for (const CRows& row : vecRows) {
        const auto [it, bNeu] =
            mapGruppe.try_emplace({row.m_strKey, row.m_strKey2}, daten.vecGruppen.size());
        if (bNeu) daten.vecGruppen.push_back(GruppenText(row));
        CWBetragBasis betrag;
        if (!GrafikWertLesen(row.m_strWert, betrag)) ++daten.nUngueltig;
        vecWerte.emplace_back(it->second, SerieFuer(daten, row), betrag);
    }
    for (CGrafikSerie& serie : daten.vecSerien)
        serie.vecWerte.resize(daten.vecGruppen.size());
    for (const auto& [nGruppe, nSerie, betrag] : vecWerte) {
        auto& wert = daten.vecSerien[nSerie].vecWerte[nGruppe];
        if (!wert) wert = betrag;
    }
    return daten;
}
