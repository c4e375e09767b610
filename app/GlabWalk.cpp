#include "app/GlabWalk.h"

#include "app/UngueltigeDaten.h"
#include "glab/GlabBetragText.h"
#include "glab/GlabFakt.h"
#include "host/Cp1252.h"
#include "host/TextUtil.h"
#include "host/db/Database.h"
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

void AddError(CStatAccu& accu, const CString& strDatum, const CString& strText) {
    CBehErrors err;
    err.m_strDatum = strDatum;
    err.m_strText = strText;
    accu.m_vecErrors.push_back(std::move(err));
}

void AddError(CStatAccu& accu, const CGlabFakt& fakt, const CString& strText) {
    AddError(accu, fakt.m_strDatum, Rechnung(fakt) + strText);
}

CString Quoted(const CString& s) {
    return "\"" + s + "\"";
}

bool IsZiffern(const CString& s) {
    return !s.empty() && s.find_first_not_of("0123456789") == CString::npos;
}

// A customer number by its value ("0102" is 102); other texts as they are.
CString KundenNr(const CString& strKuNr) {
    const CString s = Trim(strKuNr);
    return IsZiffern(s) && s.size() <= 18 ? itoc(LeadingInt(s)) : s;
}

// Customer invoices hold four amounts in 9-place fields.
constexpr int kFeld = 9;
constexpr int kFelder = 4;

// What the amount list holds that no amount reads: a field that is no number, or
// anything after the last field. Such values would silently count as zero.
void PruefeBetragsliste(const CString& strListe, CStatAccu& accu, const CGlabFakt& fakt) {
    for (int i = 0; i < kFelder; ++i) {
        const CString strFeld = GetMidStr(strListe, i * kFeld, kFeld);
        if (!Blank(strFeld) && GlabListBetrag(RemoveBlanks(strFeld)).IsEmpty())
            AddError(accu, fakt,
                     Format("Der %d. Betrag der Betragsliste (", i + 1) + Quoted(strFeld) +
                         Utf8ToCp1252(") ist keine Zahl; er zählt als 0."));
    }
    const CString strRest = GetMidStr(strListe, kFelder * kFeld);
    if (!Blank(strRest))
        AddError(accu, fakt,
                 "Die Betragsliste hat hinter ihrem vierten Betrag noch " + Quoted(strRest) +
                     Utf8ToCp1252("; das gehört zu keinem Betrag."));
}

} // namespace

// One read transaction: the whole pass sees one state of the database, however
// other workstations write meanwhile.
bool CGlabWalk::Run(CStatAccu& accu, CString& strError) {
    bool bOk = false;
    try {
        InTransaction(dbDatabaseRO.Conn(), [&] { bOk = Walk(accu, strError); });
    } catch (const DbError& e) {
        accu.m_vecGlabHits.clear();
        strError = Utf8ToCp1252("Die Kundenrechnungen des Gewerbelabors können nicht gelesen "
                                "werden: ") +
                   Utf8ToCp1252(e.what());
        return false;
    }
    return bOk;
}

bool CGlabWalk::Walk(CStatAccu& accu, CString& strError) {
    CCp1252Verluste verluste;
    accu.m_vecGlabHits.clear();
    accu.m_vecErrors.clear();
    accu.SetGesamtAnzahl(0);
    strError.clear();
    m_setOhneDatum.clear();
    m_strKunde = KundenNr(accu.GetLaborkunde());
    if (m_strKunde == "alle") m_strKunde.clear();
    if (!m_strKunde.empty()) accu.SetLaborkunde(m_strKunde);
    CZGLKuFakt rs;
    CGlabFakt fakt;
    try {
        SucheUngueltigeDaten(accu);
    } catch (const DbError& e) {
        strError = Utf8ToCp1252(e.what());
    }
    // A customer's invoices are found by the value of their number, which the
    // database cannot compare: they are taken from all and chosen here.
    int rc = strError.empty() ? rs.GetByDatum(accu.GetAbDatum(), accu.GetBisDatum(), {})
                              : CTKRSet::kNotFound;
    for (; rc == CTKRSet::kOk && strError.empty(); rc = rs.Next()) {
        if (!Gewaehlt(rs.m_strKuNr) || m_setOhneDatum.count({rs.m_strKuNr, rs.m_strRechNr}))
            continue;
        fakt.Clear();
        fakt.MoveGLKuFakt(rs);
        Pruefe(fakt, rs.m_strBetraege, rs.m_strMwSt, accu, strError);
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
    m_nGeaenderteTexte = verluste.GetAnzahl();
    if (m_nGeaenderteTexte)
        AddError(accu, CString(),
                 Format("%zu %s der Praxisdatenbank %s Zeichen, die es in Windows-1252 nicht "
                        "gibt; sie sind durch \"?\" ersetzt (",
                        m_nGeaenderteTexte, m_nGeaenderteTexte == 1 ? "Text" : "Texte",
                        m_nGeaenderteTexte == 1 ? "hat" : "haben") +
                     (m_nGeaenderteTexte == 1 ? "" : "z. B. ") + Quoted(verluste.GetBeispiel()) +
                     ").");
    accu.SetGesamtAnzahl(static_cast<long>(accu.m_vecGlabHits.size()));
    return true;
}

bool CGlabWalk::Gewaehlt(const CString& strKuNr) const {
    return m_strKunde.empty() || KundenNr(strKuNr) == m_strKunde;
}

// Every invoice of the chosen customer whose date is no calendar day, whatever its
// period: the period is compared as text, so such a date would place it by chance.
void CGlabWalk::SucheUngueltigeDaten(CStatAccu& accu) {
    auto stmt =
        dbDatabaseRO.Conn().Prepare("SELECT ku_nr, rech_nr, datum FROM glkufakt WHERE " +
                                    SqlVielleichtKeinTag("datum") + " ORDER BY ku_nr, rech_nr");
    while (stmt->Step()) {
        const CString strKuNr = Utf8ToCp1252(stmt->ColumnText(0));
        const CString strRechNr = Utf8ToCp1252(stmt->ColumnText(1));
        const CString strDatum = Utf8ToCp1252(stmt->ColumnText(2));
        if (IsDbDate(strDatum) || !Gewaehlt(strKuNr)) continue;
        m_setOhneDatum.insert({strKuNr, strRechNr});
        AddError(accu, CString(),
                 "Kundenrechnung " + strRechNr + " (Laborkunde " + strKuNr +
                     Utf8ToCp1252(") hat kein gültiges Rechnungsdatum (") + Quoted(strDatum) +
                     Utf8ToCp1252(") und wird nicht gezählt."));
    }
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
void CGlabWalk::Pruefe(const CGlabFakt& fakt, const CString& strBetraege, const CString& strMwSt,
                       CStatAccu& accu, CString& strError) {
    if (!KundeBekannt(fakt.m_strLabKu, strError))
        AddError(accu, fakt, Utf8ToCp1252("Der Laborkunde fehlt in der Kundendatei."));
    if (!Blank(strMwSt) && fakt.m_MwSt.IsEmpty())
        AddError(accu, fakt,
                 "Die Umsatzsteuer " + Quoted(strMwSt) +
                     Utf8ToCp1252(" ist kein Betrag; sie zählt als 0."));
    PruefeBetragsliste(strBetraege, accu, fakt);
    // The net is read from the amount list by the total rule, which on the stored
    // 9-place fields holds only up to a limit per field (CGlabFakt::GetGesamtBetrag).
    const CVzW7Betrag einzeln = fakt.m_TechnLst + fakt.m_Material + fakt.m_Metall + fakt.m_Betrag4;
    if (einzeln.GetCent() != fakt.m_Netto.GetCent())
        AddError(accu, fakt,
                 Utf8ToCp1252("Die Summe der Betragsliste (") + fakt.m_Netto.ToExt(0, true) +
                     Utf8ToCp1252(") weicht von den Einzelbeträgen ab (") + einzeln.ToExt(0, true) +
                     ").");
}
