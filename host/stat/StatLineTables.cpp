#include "host/stat/StatLineTables.h"

#include "host/stat/StatLines.h"

using S = CStatLines;

// clang-format off
int iLU_SICHERUNG[] = {
    S::SatzArt, S::AllgText1, S::PatNr, S::HitText, S::Datum, S::RechNr, S::PlanArt,
    S::BlockCode, S::PlanNr, S::LiqNr,
    S::LuBetrag(1), S::LuBetrag(2), S::LuBetrag(3), S::LuBetrag(4), S::LuBetrag(5),
    S::LuBetrag(6), S::LuBetrag(7), S::LuBetrag(8), S::LuBetrag(9), S::LuBetrag(10),
    S::LuBetrag(11), S::LuBetrag(12), S::LuBetrag(13), S::LuBetrag(14),
    S::ZusatzText, S::FortlRgNr, S::StornoDatum, S::StornoTyp, S::ZusatzKey, S::LBlockNr,
    S::Techniker, // added later: older files end before it
    -1};

int iGLAB_SICHERUNG[] = {
    S::SatzArt, S::AllgText1, S::AllgText2, S::AllgFlag,
    S::GlabText(1), S::GlabText(2), S::GlabText(3), S::GlabText(4), S::GlabText(5),
    S::GlabText(6), S::GlabText(7),
    S::GlabBetrag(1), S::GlabBetrag(2), S::GlabBetrag(3), S::GlabBetrag(4), S::GlabBetrag(5),
    S::GlabBetrag(6), S::GlabBetrag(7),
    -1};
// clang-format on

int iERR_SICHERUNG[] = {S::SatzArt, S::ErrMandant, S::ErrPatNr, S::ErrDatum, S::ErrText, -1};

const char* StatLineKind(const int* pTable) {
    if (pTable == iLU_SICHERUNG) return "L";
    if (pTable == iGLAB_SICHERUNG) return "W";
    if (pTable == iERR_SICHERUNG) return "E";
    return nullptr;
}

const int* StatLineTable(std::string_view kind, const int* pTable) {
    if (kind == "E") return iERR_SICHERUNG;
    const char* pszKind = StatLineKind(pTable);
    return (pszKind && kind == pszKind) ? pTable : nullptr;
}

int StatLineSlotCount(const int* pTable) {
    int n = 0;
    while (pTable[n] >= 0)
        ++n;
    return n;
}

// Lab-turnover lines written before the technician slot was added end one slot
// earlier.
int StatLineMinSlotCount(const int* pTable) {
    const int nSlots = StatLineSlotCount(pTable);
    return pTable == iLU_SICHERUNG ? nSlots - 1 : nSlots;
}
