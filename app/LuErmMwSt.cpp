#include "app/LuErmMwSt.h"

#include "core/LULabRech.h"

namespace {

struct CErmAnteile {
    CDBetrag mwstTechnLst; // VAT on the technical services at the rate
    CDBetrag mwstMetall;   // VAT on the metal at the rate
    CDBetrag technMat;     // the technical material at the rate, net
};

// VAT on each part's net sum, rounded once per part: the parts' VAT may thus differ
// by a few cents from the invoice's VAT, which is computed per group; the sums
// point such differences out.
CErmAnteile Anteile(const CLULabRechLst& rate, double dSatz) {
    return {rate.m_TechnLst * dSatz, rate.m_Metall * dSatz, rate.m_TechnMat};
}

void Set5(CLULabRechLst& b, const CErmAnteile& a) {
    b.m_MwStTechnLst5 = a.mwstTechnLst;
    b.m_MwStMetall5 = a.mwstMetall;
    b.m_TechnMat5 = a.technMat;
}

void Set7(CLULabRechLst& b, const CErmAnteile& a) {
    b.m_MwStTechnLst7 = a.mwstTechnLst;
    b.m_MwStMetall7 = a.mwstMetall;
    b.m_TechnMat7 = a.technMat;
}

} // namespace

void LuFillErmMwSt(CLULabRech& row) {
    const CErmAnteile a5 = Anteile(row.m_Lst5, 0.05);
    const CErmAnteile a7 = Anteile(row.m_Lst7, 0.07);
    for (CLULabRechLst* b : {&row.m_LstAlle, &row.m_LstMitMwSt, &row.m_Lst5})
        Set5(*b, a5);
    for (CLULabRechLst* b : {&row.m_LstAlle, &row.m_LstMitMwSt, &row.m_Lst7})
        Set7(*b, a7);
    // The all-amounts block splits its technical services into those with VAT
    // (m_TechnLst) and those free of it; the list shows them side by side and adds
    // them up again where it shows all technical services. In the block free of VAT
    // every technical service is free.
    const CDBetrag frei = row.m_LstOhneMwSt.m_TechnLst;
    row.m_LstOhneMwSt.m_TechnLstFrei = frei;
    row.m_LstAlle.m_TechnLstFrei = frei;
    if (!frei.IsEmpty()) row.m_LstAlle.m_TechnLst -= frei;
}
