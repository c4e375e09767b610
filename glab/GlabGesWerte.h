#pragma once
// Totals of the checked customer invoices of the evaluation. Cancelled invoices
// never count; the net total is gross minus VAT, not the sum of the rows' nets.
#include "glab/GlabFakt.h"

#include <vector>

struct CGlabGesWerte {
    CVzW7Betrag m_TechnLst = Null();
    CVzW7Betrag m_Material = Null();
    CVzW7Betrag m_Metall = Null();
    CVzW7Betrag m_Betrag4 = Null(); // added up, never shown
    CVzW7Betrag m_MwSt = Null();
    CVzW7Betrag m_Brutto = Null();

    CVzW7Betrag Netto() const { return m_Brutto - m_MwSt; }
    // Adds a checked, not cancelled invoice; others change nothing.
    void Add(const CGlabFakt& fakt);

    static CVzW7Betrag Null() { return CVzW7Betrag("e         0"); }
};

CGlabGesWerte BerechneGlabGesWerte(const std::vector<CGlabFakt>& vecFakt);
