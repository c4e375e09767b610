#include "core/File2LU.h"

#include "core/LUHitLine.h"
#include "host/DBIniFile.h"
#include "host/TextUtil.h"
#include "host/stat/StatAccu.h"
#include "host/stat/StatLineTables.h"

#include <algorithm>

namespace {

// Lines of one row carry the same texts, so most of them are already in place.
void Take(CString& strMember, std::string_view text) {
    if (!SameText(strMember, text)) strMember.assign(text);
}

// The block code and the cancellation type are single digits or "-1"; anything
// else goes the general way.
long long SmallInt(const CStatLines& line, CStatLines::Slot eSlot) {
    const std::string_view text = line.View(eSlot);
    if (text.size() == 1 && text[0] >= '0' && text[0] <= '9') return text[0] - '0';
    if (text == "-1") return -1;
    return LeadingInt(line.Get(eSlot));
}

} // namespace

CFile2LU::CFile2LU(CLUSum* pSum, CWnd* pParent) : CFile2Stat(pParent), m_pSum(pSum) {
    m_strFileName = luhit::kBaseName;
}

int* CFile2LU::SetLineStruct() {
    return iLU_SICHERUNG;
}

bool CFile2LU::OnlyForProgBeforeMoveDataFromFile() {
    m_pSum->Init();
    const std::int64_t nRows = std::min<std::int64_t>(m_nTotal / kBytesPerRow, kMostRowsAhead);
    m_pSum->m_vecLabRech.reserve(static_cast<std::size_t>(std::max<std::int64_t>(nRows, 0)));
    return true;
}

bool CFile2LU::MoveDataFromFile(CStatLines& line) {
    const std::string_view kind = line.View(CStatLines::SatzArt);
    if (kind == "E") {
        m_Error.Clear();
        line.MoveFile2Error(m_Error);
        if (m_pAccu) m_pAccu->m_vecErrors.push_back(m_Error);
    }
    if (kind != luhit::kKind) return false;
    CorrectStornoTyp(line);
    // Lines of one row follow each other: a line joins the last row only.
    std::vector<CLULabRech>& rows = m_pSum->m_vecLabRech;
    if (rows.empty() || !Continues(rows.back(), line)) rows.emplace_back();
    MoveFile2LUHit(line, rows.back());
    return true;
}

// A type outside the three known ones counts as cancelled after the period.
void CFile2LU::CorrectStornoTyp(CStatLines& line) {
    if (!IsValidStornoTyp(SmallInt(line, CStatLines::StornoTyp)))
        line.Set(CStatLines::StornoTyp, "1");
}

// CLULabRech::operator== of row and a row with the line's keys, without building
// that row: most lines continue the last row.
bool CFile2LU::Continues(const CLULabRech& row, const CStatLines& line) {
    using S = CStatLines;
    const std::string_view planArt = line.View(S::PlanArt);
    const auto cPlanArt = static_cast<signed char>(planArt.empty() ? 0 : planArt[0]);
    if (!SameText(row.m_strPatNr, line.View(S::PatNr))) return false;
    if (!row.m_strPlanNr.empty() ? !SameText(row.m_strPlanNr, line.View(S::PlanNr))
                                 : row.m_cPlanArt != cPlanArt)
        return false;
    if (!row.m_strLiqNr.empty() ? !SameText(row.m_strLiqNr, line.View(S::LiqNr))
                                : row.m_cPlanArt != cPlanArt)
        return false;
    if (!SameText(row.m_strLBlockNr, line.View(S::LBlockNr))) return false;
    if (!row.m_strRechNr.empty() && !SameText(row.m_strRechNr, line.View(S::RechNr))) return false;
    if (!row.m_strFortlRgNr.empty() && !SameText(row.m_strFortlRgNr, line.View(S::FortlRgNr)))
        return false;
    if (row.m_nStornoTyp != static_cast<STORNOTYP>(SmallInt(line, S::StornoTyp))) return false;
    return SameText(row.m_strZusatzKey, line.View(S::ZusatzKey));
}

// The members that CLULabRech::operator== looks at.
void CFile2LU::MoveKeys(const CStatLines& line, CLULabRech& row) {
    using S = CStatLines;
    Take(row.m_strPatNr, line.View(S::PatNr));
    Take(row.m_strRechNr, line.View(S::RechNr));
    const std::string_view planArt = line.View(S::PlanArt);
    row.m_cPlanArt = static_cast<signed char>(planArt.empty() ? 0 : planArt[0]);
    Take(row.m_strPlanNr, line.View(S::PlanNr));
    Take(row.m_strLiqNr, line.View(S::LiqNr));
    Take(row.m_strFortlRgNr, line.View(S::FortlRgNr));
    Take(row.m_strZusatzKey, line.View(S::ZusatzKey));
    Take(row.m_strLBlockNr, line.View(S::LBlockNr));
    row.m_nStornoTyp = static_cast<STORNOTYP>(SmallInt(line, S::StornoTyp));
}

void CFile2LU::MoveFile2LUHit(const CStatLines& line, CLULabRech& row) {
    using S = CStatLines;
    MoveKeys(line, row);
    Take(row.m_strMandant, line.View(S::AllgText1));
    Take(row.m_strPatName, line.View(S::HitText));
    Take(row.m_strRechDatum, line.View(S::Datum));
    Take(row.m_strDatumAlt, line.View(S::Datum));
    Take(row.m_strZusatzText, line.View(S::ZusatzText));
    Take(row.m_strStornoDatum, line.View(S::StornoDatum));
    // The same on every line of a row, so no key; empty from files older than it.
    Take(row.m_strTechniker, line.View(S::Techniker));

    // Codes 1..6 select their block; 0, others and no number select all amounts.
    const long long nCode = SmallInt(line, S::BlockCode);
    MoveLst(line, row.Block(nCode >= 1 && nCode <= 6 ? static_cast<int>(nCode) : 0));
}

void CFile2LU::MoveLst(const CStatLines& line, CLULabRechLst& block) {
    block.m_bBelegt = true;
    for (int i = 0; i < CLULabRechLst::kBetragCount; ++i) {
        // Most amount fields are empty; they need no parsing.
        const std::string_view text = line.View(CStatLines::LuBetrag(i + 1));
        CDBetrag& betrag = block.*CLULabRechLst::kBetraege[i];
        if (text.empty())
            betrag.Empty();
        else
            betrag = CDBetrag(text);
    }
}

bool CFile2LU::ReadMoreSelektions(const CString& strPath) {
    const CDBIniFile ini(strPath);
    const char* s = luhit::kSection;
    const auto read = [&](const char* key) { return ini.ReadString(s, key, ""); };
    if (m_pAccu) {
        m_pAccu->SetPlanArten(read("PlanArten"));
        m_pAccu->SetLstErfasst(LeadingInt(read("LstErfasst")) != 0);
        m_pAccu->SetLstAbgerechnet(LeadingInt(read("LstAbgerechnet")) != 0);
    }
    m_bIsLRech = read("IsLRech") == "1";
    m_bIsLRechBez = read("IsLRechBez") == "1";
    m_bIsManLabRech = read("IsManLabRech") == "1";
    m_bIsStornoLabRech = read("IsStornoLabRech") == "1";
    m_nLabRechModus = static_cast<int>(LeadingInt(read("LabRechModus")));
    m_bIsStetsLabRgNr = read("IsStetsLabRgNr") == "1";
    m_bIsMitTechnMat = read("IsMitTechnMat") == "1";
    return true;
}
