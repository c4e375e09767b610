#include "glab/GlabGesWerte.h"

void CGlabGesWerte::Add(const CGlabFakt& fakt) {
    if (!fakt.m_bChecked || fakt.m_bStorno) return;
    m_TechnLst += fakt.m_TechnLst;
    m_Material += fakt.m_Material;
    m_Metall += fakt.m_Metall;
    m_Betrag4 += fakt.m_Betrag4;
    m_MwSt += fakt.m_MwSt;
    m_Brutto += fakt.m_Brutto;
}

CGlabGesWerte BerechneGlabGesWerte(const std::vector<CGlabFakt>& vecFakt) {
    CGlabGesWerte werte;
    for (const CGlabFakt& fakt : vecFakt)
        werte.Add(fakt);
    return werte;
}
