#include "core/File2LU.h"

#include "core/LUHitLine.h"
#include "host/DBIniFile.h"
#include "host/TextUtil.h"
#include "host/stat/StatAccu.h"
#include "host/stat/StatLineTables.h"

CFile2LU::CFile2LU(CLUSum* pSum, CWnd* pParent) : CFile2Stat(pParent), m_pSum(pSum) {
    m_strFileName = luhit::kBaseName;
}

int* CFile2LU::SetLineStruct() {
    return iLU_SICHERUNG;
}

bool CFile2LU::OnlyForProgBeforeMoveDataFromFile() {
    m_pSum->Init();
    return true;
}

bool CFile2LU::MoveDataFromFile(CStatLines& line) {
    const CString& strKind = line.Get(CStatLines::SatzArt);
    if (strKind == "E") {
        m_Error.Clear();
        line.MoveFile2Error(m_Error);
        if (m_pAccu) m_pAccu->m_vecErrors.push_back(m_Error);
    }
    if (strKind != luhit::kKind) return false;
    CorrectStornoTyp(line);
    // Lines of one row follow each other: a line joins the last row only. The
    // probe holds just what rows are told apart by, so it needs no clearing.
    MoveKeys(line, m_Probe);
    std::vector<CLULabRech>& rows = m_pSum->m_vecLabRech;
    if (rows.empty() || !(rows.back() == m_Probe)) rows.emplace_back();
    MoveFile2LUHit(line, rows.back());
    return true;
}

// A type outside the three known ones counts as cancelled after the period.
void CFile2LU::CorrectStornoTyp(CStatLines& line) {
    if (!IsValidStornoTyp(LeadingInt(line.Get(CStatLines::StornoTyp))))
        line.Set(CStatLines::StornoTyp, "1");
}

// The members that CLULabRech::operator== looks at.
void CFile2LU::MoveKeys(const CStatLines& line, CLULabRech& row) {
    using S = CStatLines;
    row.m_strPatNr = line.Get(S::PatNr);
    row.m_strRechNr = line.Get(S::RechNr);
    const CString& strPlanArt = line.Get(S::PlanArt);
    row.m_cPlanArt = static_cast<signed char>(strPlanArt.empty() ? 0 : strPlanArt[0]);
    row.m_strPlanNr = line.Get(S::PlanNr);
    row.m_strLiqNr = line.Get(S::LiqNr);
    row.m_strFortlRgNr = line.Get(S::FortlRgNr);
    row.m_strZusatzKey = line.Get(S::ZusatzKey);
    row.m_strLBlockNr = line.Get(S::LBlockNr);
    row.m_nStornoTyp = static_cast<STORNOTYP>(LeadingInt(line.Get(S::StornoTyp)));
}

void CFile2LU::MoveFile2LUHit(const CStatLines& line, CLULabRech& row) {
    using S = CStatLines;
    MoveKeys(line, row);
    row.m_strMandant = line.Get(S::AllgText1);
    row.m_strPatName = line.Get(S::HitText);
    row.m_strRechDatum = line.Get(S::Datum);
    row.m_strDatumAlt = line.Get(S::Datum);
    row.m_strZusatzText = line.Get(S::ZusatzText);
    row.m_strStornoDatum = line.Get(S::StornoDatum);

    // Codes 1..6 select their block; 0, others and no number select all amounts.
    const long long nCode = LeadingInt(line.Get(S::BlockCode));
    MoveLst(line, row.Block(nCode >= 1 && nCode <= 6 ? static_cast<int>(nCode) : 0));
}

void CFile2LU::MoveLst(const CStatLines& line, CLULabRechLst& block) {
    block.m_bBelegt = true;
    for (int i = 0; i < CLULabRechLst::kBetragCount; ++i)
        block.*CLULabRechLst::kBetraege[i] = CDBetrag(line.Get(CStatLines::LuBetrag(i + 1)));
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
