#include "print/LUPrintLine.h"

#include "host/TextUtil.h"
#include "host/gui/WPFMatrixBase.h"

namespace {

// Matrix columns of the list (filled as the list view shows them).
enum : int {
    kDatum = 2,
    kPatNr = 3,
    kPatName = 4,
    kPlanNr = 5,
    kPlanArt = 6,
    kRechNr = 7,
    kStorno = 24
};

// Slot -> matrix column of the amounts of a line without technical material.
constexpr std::pair<int, int> kBetragSlots[] = {{9, 8},   {11, 11}, {13, 13},     {15, 17},
                                                {17, 18}, {19, 19}, {21, 20},     {23, 21},
                                                {25, 22}, {27, 23}, {29, kStorno}};

// Text fields 6 .. 21 of a line with technical material: their matrix columns.
constexpr int kTechnMatSpalten[] = {8, 9, 13, 11, 12, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};

CString PlanText(const CWPFMatrixBase& m, int nRow) {
    const CString& strNr = m.GetValue(nRow, kPlanNr);
    return (strNr.empty() ? CString("  ") : strNr) + " " + m.GetValue(nRow, kPlanArt);
}

CString JoinSlots(const std::vector<CString>& vecSlots) {
    CString strLine;
    for (const CString& s : vecSlots) {
        strLine += s;
        strLine += '\t';
    }
    return strLine;
}

std::vector<CString> SplitTabs(const CString& strLine) {
    std::vector<CString> fields;
    std::size_t nStart = 0;
    while (nStart <= strLine.size()) {
        std::size_t nEnd = strLine.find('\t', nStart);
        if (nEnd == CString::npos) nEnd = strLine.size();
        fields.push_back(strLine.substr(nStart, nEnd - nStart));
        nStart = nEnd + 1;
    }
    return fields;
}

// Two slots in one column; the blanks that align the plan number stay.
CString Join(const CString& a, const CString& b) {
    return TrimRight(a + " " + b);
}

struct Zelle {
    int nBreite;
    bool bRechts;
};
constexpr Zelle kZellen[17] = {{8, false}, {8, false}, {11, false}, {10, false}, {14, false},
                               {10, true}, {10, true}, {10, true},  {10, true},  {10, true},
                               {9, true},  {9, true},  {9, true},   {9, true},   {9, true},
                               {11, true}, {11, true}};

} // namespace

CString BuildLUPrintLine(const CWPFMatrixBase& m, int nRow, const LUPrintLineCtx& ctx) {
    const CString strName = ctx.bMitPatName ? m.GetValue(nRow, kPatName) : CString();
    const bool bNummern = !ctx.bFiktiv;
    if (ctx.bTechnMat) {
        std::vector<CString> vecSlots(kLUSlotsTechnMat);
        vecSlots[0] = m.GetValue(nRow, kDatum);
        vecSlots[2] = m.GetValue(nRow, kPatNr);
        vecSlots[4] = strName;
        if (bNummern) vecSlots[6] = PlanText(m, nRow);
        if (bNummern) vecSlots[8] = m.GetValue(nRow, kRechNr);
        for (int n = 0; n < 16; ++n)
            vecSlots[10 + 2 * n] = m.GetValue(nRow, kTechnMatSpalten[n]);
        return JoinSlots(vecSlots);
    }
    std::vector<CString> vecSlots(kLUSlots);
    vecSlots[0] = m.GetValue(nRow, kDatum);
    vecSlots[2] = m.GetValue(nRow, kPatNr);
    vecSlots[4] = strName;
    if (bNummern) vecSlots[6] = PlanText(m, nRow);
    if (bNummern) vecSlots[8] = m.GetValue(nRow, kRechNr);
    for (const auto& [nSlot, nCol] : kBetragSlots)
        vecSlots[nSlot] = m.GetValue(nRow, nCol);
    return JoinSlots(vecSlots);
}

std::vector<CString> LUTextFelder(const CString& strLine) {
    const std::vector<CString> vecTeile = SplitTabs(strLine);
    std::vector<CString> vecFelder(kLUTextFelder);
    for (int n = 0; n < kLUTextFelder; ++n)
        if (static_cast<std::size_t>(2 * n) < vecTeile.size()) vecFelder[n] = vecTeile[2 * n];
    return vecFelder;
}

CString LUDruckSpalten(const CString& strLine, bool bFiktiv) {
    std::vector<CString> vecTeile = SplitTabs(strLine);
    vecTeile.resize(kLUSlots);
    std::vector<CString> vecSpalten = {vecTeile[0], "", Join(vecTeile[2], vecTeile[4])};
    if (!bFiktiv) vecSpalten.push_back(Join(vecTeile[6], vecTeile[8]));
    for (const auto& entry : kBetragSlots)
        vecSpalten.push_back(vecTeile[entry.first]);
    CString strOut;
    for (std::size_t n = 0; n < vecSpalten.size(); ++n)
        strOut += (n ? "\t" : "") + vecSpalten[n];
    return strOut;
}

CString LUFesteZeile(const LUZellen& cells) {
    CString strLine;
    strLine.reserve(kLUFesteBreite);
    for (int n = 0; n < 17; ++n) {
        const Zelle& z = kZellen[n];
        strLine +=
            z.bRechts ? RightFix(cells[n], z.nBreite, ' ') : LeftFix(cells[n], z.nBreite, ' ');
        if (n == 0) strLine += ' ';
    }
    return strLine;
}
