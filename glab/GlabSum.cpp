#include "glab/GlabSum.h"

#include "host/db/ZGLBloc.h"
#include "host/db/ZGLKuFakt.h"

void CGlabSum::Init() {
    m_vecRech.clear();
    m_vecFakt.clear();
    m_Fakt.Clear();
}

void CGlabSum::MoveLabRech(CZGLBloc& rs) {
    for (auto it = m_vecRech.rbegin(); it != m_vecRech.rend(); ++it) {
        if (*it == rs) {
            it->MoveGLBloc(rs);
            return;
        }
    }
    // A new invoice starts from an empty work record: MoveGLBloc leaves the VAT
    // blocks, the VAT groups, m_strText2 and an unknown status alone, and taken
    // over from the previous invoice they would count that invoice's VAT again.
    m_Rech = CGlabRech();
    m_Rech.MoveGLBloc(rs);
    m_vecRech.push_back(m_Rech);
}

void CGlabSum::MoveSammelLabRech(CZGLKuFakt& rs) {
    m_Fakt.Clear();
    for (auto it = m_vecFakt.rbegin(); it != m_vecFakt.rend(); ++it) {
        if (*it == rs) {
            it->MoveGLKuFakt(rs);
            return;
        }
    }
    m_Fakt.MoveGLKuFakt(rs);
    m_vecFakt.push_back(m_Fakt);
}
