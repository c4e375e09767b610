#include "glab/File2Glab.h"

#include "glab/GlabFakt.h"
#include "glab/GlabSum.h"
#include "host/DBIniFile.h"
#include "host/TextUtil.h"
#include "host/stat/StatLineTables.h"

#include <algorithm>
#include <climits>

CFile2Glab::CFile2Glab(CGlabSum* pGlabSum, CWnd* pParent)
    : CFile2Stat(pParent), m_pGlabSum(pGlabSum) {
    m_strFileName = "vx_gla";
}

bool CFile2Glab::OnlyForProgBeforeMoveDataFromFile() {
    if (!m_pGlabSum) return true;
    m_pGlabSum->Init();
    const std::int64_t nRows = std::min<std::int64_t>(m_nTotal / kBytesPerRow, kMostRowsAhead);
    m_pGlabSum->m_vecFakt.reserve(static_cast<std::size_t>(std::max<std::int64_t>(nRows, 0)));
    return true;
}

bool CFile2Glab::MoveDataFromFile(CStatLines& line) {
    const CString& strKind = line.Get(CStatLines::SatzArt);
    if (strKind == "E") {
        m_Error.Clear();
        line.MoveFile2Error(m_Error);
        if (m_pAccu) m_pAccu->m_vecErrors.push_back(m_Error);
        return false;
    }
    if (strKind != "W" || !m_pGlabSum) return false;
    CGlabFakt fakt;
    MoveFile2GlabHit(line, fakt);
    std::vector<CGlabFakt>& vecFakt = m_pGlabSum->m_vecFakt;
    // Only the last row is compared: the lines of one invoice stand together.
    if (!vecFakt.empty() && vecFakt.back() == fakt) {
        fakt.m_bChecked = vecFakt.back().m_bChecked;
        vecFakt.back() = std::move(fakt);
    } else {
        vecFakt.push_back(std::move(fakt));
    }
    return true;
}

// A number beyond the range of int is clamped to it.
bool CFile2Glab::ReadMoreSelektions(const CString& strPath) {
    const CString strKunde = CDBIniFile(strPath).ReadString("Selektion", "Laborkunde", "");
    if (!m_pAccu) return true;
    if (strKunde == "alle") {
        m_pAccu->SetLaborkunde("alle");
        return true;
    }
    const long long nKunde = LeadingInt(strKunde);
    const int nInt = nKunde > INT_MAX   ? INT_MAX
                     : nKunde < INT_MIN ? INT_MIN
                                        : static_cast<int>(nKunde);
    m_pAccu->SetLaborkunde(Format("%4d", nInt));
    return true;
}

int* CFile2Glab::SetLineStruct() {
    return iGLAB_SICHERUNG;
}

void CFile2Glab::MoveFile2GlabHit(CStatLines& line, CGlabFakt& fakt) {
    using S = CStatLines;
    fakt.m_strInfo1 = line.Get(S::AllgText1);
    fakt.m_strInfo4 = line.Get(S::AllgText2);
    fakt.m_bStorno = line.Get(S::AllgFlag) == "1";
    CString* apText[] = {&fakt.m_strLabKu, &fakt.m_strRechNr,  &fakt.m_strDatum, &fakt.m_strInfo2,
                         &fakt.m_strInfo3, &fakt.m_strAnzRech, &fakt.m_strInfo5};
    for (int n = 1; n <= 7; ++n)
        *apText[n - 1] = line.Get(S::GlabText(n));
    CVzW7Betrag* apBetrag[] = {&fakt.m_TechnLst, &fakt.m_Material, &fakt.m_Metall, &fakt.m_Betrag4,
                               &fakt.m_MwSt,     &fakt.m_Netto,    &fakt.m_Brutto};
    for (int n = 1; n <= 7; ++n)
        *apBetrag[n - 1] = CVzW7Betrag(line.Get(S::GlabBetrag(n)));
}
