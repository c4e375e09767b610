#include "glab/Glab2File.h"

#include "host/DBIniFile.h"
#include "host/stat/StatLineTables.h"

CGlab2File::CGlab2File(CWnd* pParent) : CStat2File(pParent) {
    m_strFileName = "vx_gla";
    m_strTitel = "Gewerbelaborstatistik";
}

int CGlab2File::DoData(CDBStdioFile& file, int& nCount) {
    if (!m_pAccu) return 0;
    CStatLines line;
    for (const CBehErrors& err : m_pAccu->m_vecErrors) {
        line.MoveError2File(err);
        WriteErrorLines(file, line);
    }
    for (const CGlabFaktHitLine& hit : m_pAccu->m_vecGlabHits) {
        line.MoveGlab2File(hit);
        ++nCount;
        ++m_nPos;
        DoProgress(m_nPos, m_nTotal);
        WriteLines(file, line);
    }
    return 0;
}

bool CGlab2File::CreateMoreSelektions(const CString& strPath) {
    if (!m_pAccu) return false;
    return CDBIniFile::WriteOneString(strPath, "Selektion", "Laborkunde", m_pAccu->GetLaborkunde());
}

long CGlab2File::GetGesamtPos() {
    return m_pAccu ? m_pAccu->GetGesamtAnzahl() : 0;
}

int* CGlab2File::SetLineStruct() {
    return iGLAB_SICHERUNG;
}

void CGlab2File::MoveGlabHit(const CString&, CStatLines& line, CGlabFaktHitLine& hit, CGlabFakt&) {
    using S = CStatLines;
    line.Clear();
    line.Set(S::SatzArt, "W");
    line.Set(S::AllgText2, hit.m_strInfo4);
    const CString* apText[] = {&hit.m_strLabKu, &hit.m_strRechNr,  &hit.m_strDatum, &hit.m_strInfo2,
                               &hit.m_strInfo3, &hit.m_strAnzRech, &hit.m_strInfo5};
    for (int n = 1; n <= 7; ++n)
        line.Set(S::GlabText(n), *apText[n - 1]);
    const CVzW7Betrag* apBetrag[] = {&hit.m_TechnLst, &hit.m_Material, &hit.m_Metall,
                                     &hit.m_Betrag4,  &hit.m_MwSt,     &hit.m_Netto,
                                     &hit.m_Brutto};
    for (int n = 1; n <= 7; ++n)
        line.Set(S::GlabBetrag(n), apBetrag[n - 1]->ToDb());
}
