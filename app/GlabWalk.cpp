#include "app/GlabWalk.h"

#include "glab/GlabFakt.h"
#include "host/Cp1252.h"
#include "host/TextUtil.h"
#include "host/db/ZGLKuFakt.h"
#include "host/stat/StatAccu.h"

namespace {

CGlabFaktHitLine HitAus(const CGlabFakt& fakt) {
    CGlabFaktHitLine hit;
    hit.m_strInfo1 = fakt.m_strInfo1;
    hit.m_strInfo4 = fakt.m_strInfo4;
    hit.m_bStorno = fakt.m_bStorno;
    hit.m_strLabKu = fakt.m_strLabKu;
    hit.m_strRechNr = fakt.m_strRechNr;
    hit.m_strDatum = fakt.m_strDatum;
    hit.m_strInfo2 = fakt.m_strInfo2;
    hit.m_strInfo3 = fakt.m_strInfo3;
    hit.m_strAnzRech = fakt.m_strAnzRech;
    hit.m_strInfo5 = fakt.m_strInfo5;
    hit.m_TechnLst = fakt.m_TechnLst;
    hit.m_Material = fakt.m_Material;
    hit.m_Metall = fakt.m_Metall;
    hit.m_Betrag4 = fakt.m_Betrag4;
    hit.m_MwSt = fakt.m_MwSt;
    hit.m_Netto = fakt.m_Netto;
    hit.m_Brutto = fakt.m_Brutto;
    return hit;
}

CString Rechnung(const CGlabFakt& fakt) {
    return "Kundenrechnung " + fakt.m_strRechNr + " vom " + Db2Date(fakt.m_strDatum) +
           " (Laborkunde " + fakt.m_strLabKu + "): ";
}

void AddError(CStatAccu& accu, const CGlabFakt& fakt, const CString& strText) {
    CBehErrors err;
    err.m_strDatum = fakt.m_strDatum;
    err.m_strText = Rechnung(fakt) + strText;
    accu.m_vecErrors.push_back(std::move(err));
}

} // namespace

bool CGlabWalk::Run(CStatAccu& accu, CString& strError) {
    accu.m_vecGlabHits.clear();
    accu.m_vecErrors.clear();
    accu.SetGesamtAnzahl(0);
    strError.clear();
    CString strKunde = Trim(accu.GetLaborkunde());
    if (strKunde == "alle") strKunde.clear();
    CZGLKuFakt rs;
    CGlabFakt fakt;
    int rc = rs.GetByDatum(accu.GetAbDatum(), accu.GetBisDatum(), strKunde);
    for (; rc == CTKRSet::kOk && strError.empty(); rc = rs.Next()) {
        fakt.Clear();
        fakt.MoveGLKuFakt(rs);
        Pruefe(fakt, accu, strError);
        accu.m_vecGlabHits.push_back(HitAus(fakt));
    }
    if (rc == CTKRSet::kError) strError = rs.GetLastError();
    if (!strError.empty()) {
        strError = Utf8ToCp1252("Die Kundenrechnungen des Gewerbelabors können nicht gelesen "
                                "werden: ") +
                   strError;
        accu.m_vecGlabHits.clear();
        return false;
    }
    accu.SetGesamtAnzahl(static_cast<long>(accu.m_vecGlabHits.size()));
    return true;
}

bool CGlabWalk::KundeBekannt(const CString& strKuNr, CString& strError) {
    const auto it = m_mapKunden.find(strKuNr);
    if (it != m_mapKunden.end()) return it->second;
    m_ku.m_strKuNr = strKuNr;
    const int rc = m_ku.GetByK1(CTKRSet::kExact);
    if (rc == CTKRSet::kError) {
        strError = m_ku.GetLastError();
        return true;
    }
    return m_mapKunden[strKuNr] = rc == CTKRSet::kOk;
}

// An invoice with a problem is still listed: it was written and belongs to the
// lab's turnover, so leaving it out would make the totals disagree with the
// lab's journal. The error tells the user what to put right.
void CGlabWalk::Pruefe(const CGlabFakt& fakt, CStatAccu& accu, CString& strError) {
    if (!KundeBekannt(fakt.m_strLabKu, strError))
        AddError(accu, fakt, Utf8ToCp1252("Der Laborkunde fehlt in der Kundendatei."));
    // The net is read from the amount list by the total rule, which on the stored
    // 9-place fields holds only up to a limit per field (CGlabFakt::GetGesamtBetrag).
    const CVzW7Betrag einzeln = fakt.m_TechnLst + fakt.m_Material + fakt.m_Metall + fakt.m_Betrag4;
    if (einzeln.GetCent() != fakt.m_Netto.GetCent())
        AddError(accu, fakt,
                 Utf8ToCp1252("Die Summe der Betragsliste (") + fakt.m_Netto.ToExt(0, true) +
                     Utf8ToCp1252(") weicht von den Einzelbeträgen ab (") + einzeln.ToExt(0, true) +
                     ").");
}
