// The chart command of the commercial-lab dialog: one item per customer of the
// combo (or the chosen one), the gross turnover of its displayed, not cancelled
// invoices, and "Alle" with the total; the chart shows them as bars.
#include "glab/Glab2Grafik.h"
#include "glab/diaAwGlab.h"

#include "host/HostServices.h"
#include "host/TextUtil.h"

namespace {
constexpr const char* kAufbereiten = "Die anzuzeigenden Daten werden aufbereitet.";
} // namespace

bool CdiaAwGlab::CollectChartItems(std::vector<CGlabChartItem>& vecItems) {
    vecItems.clear();
    const CString strData = m_cbLaborkunde.GetData();
    if (strData != kGlabChartAlle) {
        // The combo shows "number - name"; numbers need not have four places.
        CGlabChartItem item;
        const std::size_t nTrenner = strData.find(" - ");
        item.m_strKey = Trim(strData.substr(0, nTrenner));
        if (nTrenner != CString::npos) item.m_strName = strData.substr(nTrenner + 3);
        if (!item.m_strKey.empty()) vecItems.push_back(item);
    } else {
        VxOpenProgressBox(kAufbereiten);
        const int nRows = m_matLabKu.Count();
        for (int nRow = 1; nRow < nRows; ++nRow) {
            CGlabChartItem item;
            item.m_strKey = m_matLabKu.GetValue(nRow, 0);
            item.m_strName = m_matLabKu.GetValue(nRow, 2);
            if (!item.m_strKey.empty()) vecItems.push_back(item);
            if (!VxUpdateProgressBox2(nRow, nRows - 1)) {
                VxCloseProgressBox();
                vecItems.clear();
                return false;
            }
        }
        VxCloseProgressBox();
        vecItems.push_back({kGlabChartAlle, kGlabChartAlle, {}});
    }
    BerechneGlabChartWerte(vecItems, m_Sum.m_vecFakt);
    return true;
}

// Builds the chart on the items; nullptr when the user cancelled.
std::unique_ptr<CGlab2Grafik> CdiaAwGlab::BuildGrafik() {
    auto pGrafik = std::make_unique<CGlab2Grafik>(this);
    pGrafik->SetStatistikTitel(GetStatistikTitel());
    if (!CollectChartItems(pGrafik->m_vecItems)) return nullptr;
    pGrafik->SetSumSave(&m_SumChart);
    pGrafik->SetAccu(m_pAccu);
    return pGrafik;
}

void CdiaAwGlab::OnCTRL_Y() {
    if (!GetIsEnabled(TKGrafik)) return;
    std::unique_ptr<CGlab2Grafik> pGrafik = BuildGrafik();
    if (!pGrafik) return;
    m_pGrafik = pGrafik.get();
    ShowGrafik(*pGrafik);
    m_pGrafik = nullptr;
}

void CdiaAwGlab::ShowGrafik(CGlab2Grafik& grafik) {
    grafik.DoModal();
}

bool CdiaAwGlab::SaveChartPng(const std::string& strPath, CString& strError) {
    std::unique_ptr<CGlab2Grafik> pGrafik = BuildGrafik();
    if (!pGrafik) {
        strError = "Die Grafik wurde abgebrochen; es wurde nichts gespeichert.";
        return false;
    }
    return pGrafik->SavePng(strPath, strError);
}
