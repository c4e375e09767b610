#include "core/LULabRechLst.h"

#include "host/BehHitLine.h"
#include "host/LabBetrag.h"

#include <cstring>

CDBetrag CLULabRechLst::*const CLULabRechLst::kBetraege[kBetragCount] = {
    &CLULabRechLst::m_Brutto,        &CLULabRechLst::m_Netto,
    &CLULabRechLst::m_MwSt,          &CLULabRechLst::m_TechnLst,
    &CLULabRechLst::m_MwStTechnLst5, &CLULabRechLst::m_MwStTechnLst7,
    &CLULabRechLst::m_TechnLstFrei,  &CLULabRechLst::m_Material,
    &CLULabRechLst::m_Metall,        &CLULabRechLst::m_MwStMetall5,
    &CLULabRechLst::m_MwStMetall7,   &CLULabRechLst::m_TechnMat,
    &CLULabRechLst::m_TechnMat5,     &CLULabRechLst::m_TechnMat7};

void CLULabRechLst::Clear() {
    for (auto pBetrag : kBetraege)
        (this->*pBetrag).Empty();
    m_bBelegt = false;
}

void CLULabRechLst::MoveLabLstBetrag(const CBehHitLine& hit) {
    m_bBelegt = true;
    const CDBetrag& betrag = hit.m_Betrag;
    const char k = hit.m_cArt;
    if (k >= '1' && k <= '4') {
        m_TechnLst += betrag;
    } else if (k == '7') {
        m_Material += betrag;
        // Sub-kinds '1'..'9' are practice material; any other is technical material.
        const bool bPraxis = hit.m_cSubArt != 0 && std::strchr("123456789", hit.m_cSubArt);
        if (!bPraxis) m_TechnMat += betrag;
    } else if (k == '8') {
        m_Metall += betrag;
    }
    m_Netto += betrag;
}

void CLULabRechLst::MoveLabLstBetrag(const CBehHitLine&, const LabBetrag& lab) {
    using S = LabBetrag;
    m_bBelegt = true;
    m_TechnLst = lab.A(S::TechnLst) + lab.B(S::TechnLst);
    m_Material =
        lab.A(S::Material2) + lab.B(S::Material2) + lab.A(S::Material1) + lab.B(S::Material1);
    m_Metall = lab.A(S::Metall) + lab.B(S::Metall);
    m_MwSt = lab.A(S::MwSt) + lab.B(S::MwSt);
    m_Netto += m_TechnLst + m_Material + m_Metall;
    // In this form technical services count in the net amount only.
    m_TechnLst.Empty();
}

void CLULabRechLst::AddSummen(const CLULabRechLst& row, bool bNurMitErmMwSt, bool, STORNOTYP f) {
    if (bNurMitErmMwSt && row.m_MwStTechnLst5.IsZero() && row.m_MwStTechnLst7.IsZero()) return;
    // m_Brutto .. m_TechnMat add up as they are; the last two are handled below.
    for (int i = 0; i < kBetragCount - 2; ++i)
        this->*kBetraege[i] += row.*kBetraege[i] * f;
    // The sum block collects the VAT on technical material; the row holds its base.
    m_TechnMat5 += (row.m_TechnMat5 * f) * 0.05;
    m_TechnMat7 += (row.m_TechnMat7 * f) * 0.07;
    CheckRundung(row);
}

// The VAT of an invoice is computed per group on the group's net sum; the VAT of its
// parts computed separately may differ by a few cents. Such differences are counted
// so that the sums can point them out.
void CLULabRechLst::CheckRundung(const CLULabRechLst& row) {
    const CDBetrag v = row.m_MwSt.Round();
    const CDBetrag a = (row.m_MwStTechnLst7 + row.m_TechnMat7 * 0.07 + row.m_MwStMetall7).Round();
    const CDBetrag b = (row.m_MwStTechnLst5 + row.m_TechnMat5 * 0.05 + row.m_MwStMetall5).Round();
    const CDBetrag d = (a + b) - v;
    const CDBetrag lower(-2.0, CWBetragBasis::kEuro);
    const CDBetrag upper(2.0, CWBetragBasis::kEuro);
    if (lower < d && d < upper && !d.IsZero()) {
        m_RundDiff += d;
        ++m_nRundDiff;
    }
}
