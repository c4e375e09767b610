#include "glab/GlabChartItem.h"

#include "glab/GlabGesWerte.h"

#include <unordered_map>

void BerechneGlabChartWerte(std::vector<CGlabChartItem>& vecItems,
                            const std::vector<CGlabFakt>& vecFakt) {
    // One pass over the invoices, however many customers the chart shows.
    std::unordered_map<CString, CVzW7Betrag> mapBrutto;
    for (const CGlabFakt& fakt : vecFakt) {
        if (fakt.m_bStorno) continue;
        auto [it, bNeu] = mapBrutto.try_emplace(fakt.m_strLabKu, CGlabGesWerte::Null());
        it->second += fakt.m_Brutto;
    }
    CVzW7Betrag gesamt = CGlabGesWerte::Null();
    for (CGlabChartItem& item : vecItems) {
        if (item.m_strKey == kGlabChartAlle) {
            item.m_strWert = gesamt.ToDb();
            continue;
        }
        const auto it = mapBrutto.find(item.m_strKey);
        const CVzW7Betrag wert = it == mapBrutto.end() ? CGlabGesWerte::Null() : it->second;
        gesamt += wert;
        item.m_strWert = wert.ToDb();
    }
}
