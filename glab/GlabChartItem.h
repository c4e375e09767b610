#pragma once
// The items of the commercial-lab chart: one per lab customer and, when every
// customer is shown, one "Alle" with the total of the others.
#include "glab/GlabFakt.h"

#include <vector>

struct CGlabChartItem {
    CString m_strKey;  // customer number, or "Alle"
    CString m_strName; // customer name
    CString m_strWert; // gross turnover in the amount's stored form
};

constexpr const char* kGlabChartAlle = "Alle";

// Sets every item's value: the gross of the customer's invoices in vecFakt that
// are not cancelled (check marks play no part); the item "Alle" gets the total
// of the items before it.
void BerechneGlabChartWerte(std::vector<CGlabChartItem>& vecItems,
                            const std::vector<CGlabFakt>& vecFakt);
