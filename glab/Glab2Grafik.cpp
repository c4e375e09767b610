#include "glab/Glab2Grafik.h"

#include "glab/diaAwGlab.h"

namespace {
constexpr const char* kSpaltenTitel = "Gesamtumsatz pro Laborkunde";
} // namespace

CGlab2Grafik::CGlab2Grafik(CdiaAwGlab* pParent) : CdiaGrafik(kArt, "", pParent) {
    SetTitel("Gesamtumsatz");
}

CGlab2Grafik::~CGlab2Grafik() = default;

bool CGlab2Grafik::FillChartData() {
    m_nCurRow = -1;
    m_nCurCol = -1;
    m_vecRows.clear();
    m_vecCols.clear();
    for (const CGlabChartItem& item : m_vecItems) {
        const CString strWert = CVzW7Betrag(item.m_strWert).ToExt(0, true);
        if (FindCol(m_vecCols, "") == -1) {
            CCols col;
            col.MoveCol("", kSpaltenTitel, strWert);
            m_vecCols.push_back(col);
        }
        // A key that came twice keeps its first row.
        if (FindRow(item.m_strKey, "") == -1) {
            CRows row;
            row.MoveRow(item.m_strKey, "", item.m_strKey, "", "", kSpaltenTitel, strWert);
            m_vecRows.push_back(row);
        }
    }
    return true;
}
