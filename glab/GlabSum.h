#pragma once
// Accumulator of the commercial-lab statistics: the customer invoices (the rows of
// the evaluation) and the single invoices of the blocs, filled record by record
// while the host walks its database, or from the hit file by CFile2Glab.
#include "glab/GlabFakt.h"
#include "glab/GlabRech.h"

#include <vector>

class CZGLBloc;
class CZGLKuFakt;

class CGlabSum {
public:
    CGlabSum() = default;
    virtual ~CGlabSum() = default;
    CGlabSum(const CGlabSum&) = default;
    CGlabSum(CGlabSum&&) = default;
    CGlabSum& operator=(const CGlabSum&) = default;
    CGlabSum& operator=(CGlabSum&&) = default;

    std::vector<CGlabRech> m_vecRech;
    std::vector<CGlabRech> m_vecRechSave;
    std::vector<CGlabFakt> m_vecFakt;     // in the dialog: the rows shown
    std::vector<CGlabFakt> m_vecFaktSave; // in the dialog: every row
    CGlabRech m_Rech;                     // work record of MoveLabRech
    CGlabFakt m_Fakt;                     // work record of MoveSammelLabRech

    // Empties m_vecRech and m_vecFakt and clears m_Fakt; the rest stays.
    void Init();
    // Updates the newest single invoice the record matches, else appends it.
    void MoveLabRech(CZGLBloc& rs);
    // Updates the newest customer invoice the record matches (its check mark
    // kept), else appends it.
    void MoveSammelLabRech(CZGLKuFakt& rs);
};
