#pragma once
// The chart of the commercial-lab evaluation: the gross turnover per lab customer
// ("Gesamtumsatz pro Laborkunde"), one bar per customer and one for all of them.
// The dialog collects the items; the chart turns them into its rows and column.
#include "glab/GlabChartItem.h"
#include "host/chart/diaGrafik.h"

#include <vector>

class CdiaAwGlab;
class CGlabSum;
class CStatAccu;

class CGlab2Grafik : public CdiaGrafik {
public:
    static constexpr int kArt = 128;

    explicit CGlab2Grafik(CdiaAwGlab* pParent);
    ~CGlab2Grafik() override;

    // One row per item, in order; a single column holding every value.
    bool FillChartData() override;

    void SetAccu(CStatAccu* pAccu) { m_pAccu = pAccu; }
    void SetSumSave(CGlabSum* pSumSave) { m_pSumSave = pSumSave; }

    CGlabChartItem m_Item;
    std::vector<CGlabChartItem> m_vecItems;
    CGlabSum* m_pSumSave = nullptr; // handed on by the dialog, not read
    CStatAccu* m_pAccu = nullptr;   // handed on by the dialog, not read
};
