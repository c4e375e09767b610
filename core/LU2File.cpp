#include "core/LU2File.h"

#include "core/LUHitLine.h"
#include "host/DBIniFile.h"
#include "host/TextUtil.h"
#include "host/stat/StatAccu.h"
#include "host/stat/StatLineTables.h"

CLU2File::CLU2File(CLUSum& sum, CWnd* pParent) : CStat2File(pParent), m_LUSum(sum) {
    m_strFileName = luhit::kBaseName;
    m_strTitel = luhit::kTitel;
}

long CLU2File::GetGesamtPos() {
    return m_pAccu ? m_pAccu->GetGesamtAnzahl() : 0;
}

int* CLU2File::SetLineStruct() {
    return iLU_SICHERUNG;
}

int CLU2File::DoData(CDBStdioFile& file, int& nCount) {
    if (m_pAccu) {
        for (const CBehErrors& error : m_pAccu->m_vecErrors) {
            m_Line.MoveError2File(error);
            WriteErrorLines(file, m_Line);
            ++nCount;
        }
    }
    if (m_LUSum.m_vecLabRech.empty()) return 0;
    for (const CLULabRech& row : m_LUSum.m_vecLabRech) {
        MoveLUHit(luhit::kBlockCodes[0], m_Line, row, row.m_LstAlle);
        WriteLines(file, m_Line);
        ++nCount;
        // Blocks in the order of their codes "1" .. "6".
        for (int nCode = 1; nCode <= 6; ++nCode) {
            const CLULabRechLst& block = row.Block(nCode);
            if (!block.m_bBelegt) continue;
            MoveLUHit(luhit::kBlockCodes[nCode], m_Line, row, block);
            WriteLines(file, m_Line);
            ++nCount;
        }
        ++m_nPos;
        DoProgress(m_nPos, m_nTotal);
    }
    return 0;
}

void CLU2File::MoveLUHit(const CString& strBlockCode, CStatLines& line, const CLULabRech& row,
                         const CLULabRechLst& block) {
    using S = CStatLines;
    line.Clear();
    line.Set(S::SatzArt, luhit::kKind);
    line.Set(S::AllgText1, row.m_strMandant);
    line.Set(S::PatNr, row.m_strPatNr);
    line.Set(S::HitText, row.m_strPatName);
    const bool bAlt = row.m_strRechDatum.empty() && !row.m_strDatumAlt.empty();
    line.Set(S::Datum, bAlt ? row.m_strDatumAlt : row.m_strRechDatum);
    line.Set(S::RechNr, row.m_strRechNr);
    // No plan kind is an empty field, not a NUL byte in the file.
    line.Set(S::PlanArt, row.m_cPlanArt ? CString(1, static_cast<char>(row.m_cPlanArt)) : "");
    line.Set(S::BlockCode, strBlockCode);
    line.Set(S::PlanNr, row.m_strPlanNr);
    line.Set(S::LiqNr, row.m_strLiqNr);
    for (int i = 0; i < CLULabRechLst::kBetragCount; ++i)
        line.Set(S::LuBetrag(i + 1), (block.*CLULabRechLst::kBetraege[i]).ToDb());
    line.Set(S::ZusatzText, row.m_strZusatzText);
    line.Set(S::FortlRgNr, row.m_strFortlRgNr);
    line.Set(S::StornoDatum, row.m_strStornoDatum);
    line.Set(S::StornoTyp, itoc(row.m_nStornoTyp));
    line.Set(S::ZusatzKey, row.m_strZusatzKey);
    line.Set(S::LBlockNr, row.m_strLBlockNr);
    line.Set(S::Techniker, row.m_strTechniker);
}

bool CLU2File::CreateMoreSelektions(const CString& strPath) {
    CDBIniFile ini(strPath);
    const char* s = luhit::kSection;
    const auto flag = [](bool b) { return CString(b ? "1" : "0"); };
    if (!ini.WriteString(s, "PlanArten", m_pAccu ? m_pAccu->GetPlanArten() : CString()))
        return false;
    if (!ini.WriteString(s, "LstErfasst", Format("%d", m_pAccu && m_pAccu->GetLstErfasst())))
        return false;
    if (!ini.WriteString(s, "LstAbgerechnet",
                         Format("%d", m_pAccu && m_pAccu->GetLstAbgerechnet())))
        return false;
    ini.WriteString(s, "IsLRech", flag(m_bIsLRech));
    ini.WriteString(s, "IsLRechBez", flag(m_bIsLRechBez));
    ini.WriteString(s, "IsManLabRech", flag(m_bIsManLabRech));
    ini.WriteString(s, "IsStornoLabRech", flag(m_bIsStornoLabRech));
    ini.WriteString(s, "LabRechModus", itoc(m_nLabRechModus));
    ini.WriteString(s, "IsStetsLabRgNr", flag(m_bIsStetsLabRgNr));
    ini.WriteString(s, "IsMitTechnMat", flag(m_bIsMitTechnMat));
    return ini.Save();
}
