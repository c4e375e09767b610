#pragma once
// The totals of one lab invoice as the practice database keeps them: two groups
// (A and B) of five amounts each.
#include "host/Betrag.h"

#include <array>

struct LabBetrag {
    enum Slot { TechnLst = 0, Material1 = 1, Metall = 2, Material2 = 3, MwSt = 4 };
    std::array<CDBetrag, 5> m_A; // first group
    std::array<CDBetrag, 5> m_B; // second group

    const CDBetrag& A(Slot s) const { return m_A[s]; }
    const CDBetrag& B(Slot s) const { return m_B[s]; }
};
