#include "dialog/LUSums.h"

#include "dialog/Format2Nk.h"
#include "host/Cp1252.h"
#include "host/TextUtil.h"

namespace {


// A block without amounts adds nothing, not even a rounding difference; most rows
// use one rate block of four, so skipping the others saves most of the work.
void Add(CLULabRechLst& sum, const CLULabRechLst& row, bool bTechnMat, STORNOTYP f) {
    for (const auto pAmount : CLULabRechLst::kBetraege)
        if (!(row.*pAmount).IsZero()) {
            sum.AddSummen(row, bTechnMat, f);
            return;
        }
}

} // namespace

LUSummen BerechneLUSummen(const std::vector<CLULabRech>& vecRecords,
                          const std::vector<LURowEntry>& vecEntries, int nTab, bool bTechnMat) {
    LUSummen sums;
    for (const LURowEntry& entry : vecEntries) {
        const CLULabRech& r = vecRecords[entry.nIndex];
        if (r.m_nStornoTyp == kStornoImZeitraum || !r.m_bMarkiert) continue;
        const STORNOTYP f = r.m_nStornoTyp;
        if (nTab >= 0 && nTab <= 6) Add(sums.s, r.Block(nTab), bTechnMat, f);
        Add(sums.s5, r.m_Lst5, bTechnMat, f);
        Add(sums.s7, r.m_Lst7, bTechnMat, f);
        Add(sums.s16, r.m_Lst16, bTechnMat, f);
        Add(sums.s19, r.m_Lst19, bTechnMat, f);
    }
    return sums;
}

namespace {

// Adds block src to dst with nSign, rounding difference and its count included.
void MergeBlock(CLULabRechLst& dst, const CLULabRechLst& src, int nSign) {
    for (const auto pAmount : CLULabRechLst::kBetraege)
        dst.*pAmount += nSign > 0 ? CDBetrag(src.*pAmount) : CDBetrag(-(src.*pAmount));
    dst.m_RundDiff += nSign > 0 ? CDBetrag(src.m_RundDiff) : CDBetrag(-src.m_RundDiff);
    dst.m_nRundDiff += nSign * src.m_nRundDiff;
}

} // namespace

void AddLUZeile(LUSummen& sums, const CLULabRech& r, int nTab, bool bTechnMat, int nSign) {
    if (r.m_nStornoTyp == kStornoImZeitraum) return;
    LUSummen share;
    const STORNOTYP f = r.m_nStornoTyp;
    if (nTab >= 0 && nTab <= 6) Add(share.s, r.Block(nTab), bTechnMat, f);
    Add(share.s5, r.m_Lst5, bTechnMat, f);
    Add(share.s7, r.m_Lst7, bTechnMat, f);
    Add(share.s16, r.m_Lst16, bTechnMat, f);
    Add(share.s19, r.m_Lst19, bTechnMat, f);
    MergeBlock(sums.s, share.s, nSign);
    MergeBlock(sums.s5, share.s5, nSign);
    MergeBlock(sums.s7, share.s7, nSign);
    MergeBlock(sums.s16, share.s16, nSign);
    MergeBlock(sums.s19, share.s19, nSign);
}

std::array<CString, 10> NormalSumTexts(int nTab, char cWaehrung, bool bOhneMaterial,
                                       LUSummen& sums) {
    CLULabRechLst& s = sums.s;
    if (bOhneMaterial) {
        s.m_Netto -= s.m_Material;
        s.m_Brutto -= s.m_Material;
    }
    const auto F = [cWaehrung](const CDBetrag& b) { return Format2Nk(b, cWaehrung); };
    const CString zero = F(CDBetrag());
    std::array<CString, 10> t;
    t[0] = F(nTab == 0 ? s.m_TechnLst + s.m_TechnLstFrei : s.m_TechnLst);
    t[1] = F(s.m_Material);
    t[2] = F(s.m_Metall);
    // VAT by rate: a rate tab shows only its own rate, the tab without VAT none.
    const CDBetrag* rates[] = {&sums.s5.m_MwSt, &sums.s7.m_MwSt, &sums.s16.m_MwSt,
                               &sums.s19.m_MwSt};
    for (int n = 0; n < 4; ++n) {
        const bool bShown = nTab == 3 + n || (nTab != 2 && (nTab < 3 || nTab > 6));
        t[3 + n] = bShown ? F(*rates[n]) : zero;
    }
    t[7] = F(s.m_MwSt);
    t[8] = F(s.m_Netto);
    t[9] = F(s.m_Brutto);
    return t;
}

namespace {

// The rounding note of block d, or "" when there is nothing to point out.
CString RundungsHinweis(const CLULabRechLst& d) {
    CString strDiff = Trim(d.m_RundDiff.ToExtLong(0, true));
    if (!strDiff.empty() && strDiff[0] == '-') strDiff.erase(0, 1);
    if (d.m_nRundDiff <= 0 || strDiff.empty() || strDiff.compare(0, 4, "0,00") == 0) return {};
    return Format(Utf8ToCp1252("Hinweis: Durch unvermeidbare Rundungsfehler bei der Aufsplittung "
                               "der USt. (bei %d Rechnungen) auf tech.Lst., Metall, tech. Mat. ist "
                               "die Summe dieser drei insgesamt %s %s als die tatsächlich "
                               "anfallende USt.")
                      .c_str(),
                  d.m_nRundDiff, strDiff.c_str(),
                  Utf8ToCp1252(d.m_RundDiff.IsPos() ? "höher" : "niedriger").c_str());
}

} // namespace

void FormatTechSums(int nTab, char cWaehrung, CLULabRechLst& s, CLULabRechLst& s5,
                    CLULabRechLst& s7, CLULabRechLst& s16, CLULabRechLst& s19, LUTechTexts& t) {
    const auto F = [cWaehrung](const CDBetrag& b) { return Format2Nk(b, cWaehrung); };
    const CString zero = F(CDBetrag());
    const bool bAlle = nTab == 0 || nTab == 1; // tabs with every rate
    if (nTab != 2) t[0] = F(s.m_TechnLst);
    if (nTab == 0 || nTab == 2) t[1] = F(s.m_TechnLstFrei);
    t[2] = F(s.m_Metall);
    t[3] = nTab == 2 ? zero : F(s.m_TechnMat);
    t[4] = nTab == 0 ? F(s.m_Material - s.m_TechnMat) : nTab == 2 ? F(s.m_Material) : zero;
    t[5] = bAlle       ? F(s.m_MwStTechnLst5 + s.m_MwStTechnLst7)
           : nTab == 3 ? F(s.m_MwStTechnLst5)
           : nTab == 4 ? F(s.m_MwStTechnLst7)
                       : zero;
    t[6] = bAlle       ? F(s5.m_MwStMetall5 + s7.m_MwStMetall7)
           : nTab == 3 ? F(s5.m_MwStMetall5)
           : nTab == 4 ? F(s7.m_MwStMetall7)
                       : zero;
    t[7] = bAlle       ? F(s5.m_TechnMat5 + s7.m_TechnMat7)
           : nTab == 3 ? F(s5.m_TechnMat5)
           : nTab == 4 ? F(s7.m_TechnMat7)
                       : zero;
    if (nTab != 2) t[8] = F(s.m_TechnLst + s.m_MwStTechnLst5 + s.m_MwStTechnLst7);
    t[9] = F(s.m_Metall + s.m_MwStMetall5 + s.m_MwStMetall7);
    t[10] = F(s.m_TechnMat + s.m_TechnMat5 + s.m_TechnMat7);
    const CLULabRechLst* rates[] = {&s5, &s7, &s16, &s19};
    for (int n = 0; n < 4; ++n)
        t[11 + n] = bAlle || nTab == 3 + n ? F(rates[n]->m_MwSt) : zero;
    t[15] = F(s.m_MwSt);
    t[16] = F(s.m_Netto);
    t[17] = F(s.m_Brutto);
    const CLULabRechLst* pNote = bAlle       ? &s
                                 : nTab == 3 ? &s5
                                 : nTab == 4 ? &s7
                                 : nTab == 5 ? &s16
                                 : nTab == 6 ? &s19
                                             : nullptr;
    if (pNote) {
        const CString strNote = RundungsHinweis(*pNote);
        if (!strNote.empty()) t[18] = strNote;
    }
}
