#include "app/LuWalkErrors.h"

#include "core/LULabRech.h"
#include "host/BehHitLine.h"
#include "host/Cp1252.h"
#include "host/TextUtil.h"
#include "host/db/Bill.h"
#include "host/db/ZBeh.h"
#include "host/db/ZFakt.h"
#include "host/stat/StatAccu.h"

namespace {

bool IsKnownMwStSatz(int n) {
    return n == 0 || n == 5 || n == 7 || n == 16 || n == 19;
}

CString Quoted(const CString& s) {
    return "\"" + s + "\"";
}

} // namespace

void CLuWalkErrors::Add(const CString& strMandant, const CString& strPatNr, const CString& strDatum,
                        const CString& strText) {
    CBehErrors err;
    err.m_strMandant = strMandant;
    err.m_strPatNr = strPatNr;
    err.m_strDatum = strDatum;
    err.m_strText = strText;
    m_accu.m_vecErrors.push_back(std::move(err));
}

void CLuWalkErrors::OhneRechnung(const CZBeh& beh) {
    const CString strText =
        beh.m_strFaktKey.empty()
            ? Utf8ToCp1252("Die Laborleistung ") + Quoted(beh.m_strText) +
                  Utf8ToCp1252(" gehört zu keiner Laborrechnung und wird nicht gezählt.")
            : "Die Laborrechnung " + beh.m_strFaktKey + " der Laborleistung " +
                  Quoted(beh.m_strText) + Utf8ToCp1252(" fehlt; die Leistung wird nicht gezählt.");
    Add(beh.m_strMdId, beh.m_strPatNr, beh.m_strDatum, strText);
}

void CLuWalkErrors::CheckHit(const CBehHitLine& hit, bool bEntryFehlt, const CZFakt& fakt) {
    if (hit.m_strLBlockNr.empty())
        Add(hit.m_strMandant, hit.m_strPatNr, hit.m_strDatum,
            "Die Laborleistung " + Quoted(hit.m_strText) + " der Laborrechnung " +
                hit.m_strLabRechKey + Utf8ToCp1252(" gehört zu keinem Laborauftrag."));
    else if (bEntryFehlt)
        Add(hit.m_strMandant, hit.m_strPatNr, hit.m_strDatum,
            "Der Posten " + hit.m_strLBlockEntryNr + " des Laborauftrags " + hit.m_strLBlockNr +
                " zur Laborleistung " + Quoted(hit.m_strText) +
                Utf8ToCp1252(" fehlt; die Leistung zählt mit ihrem vollen Betrag."));
    CheckMwStSatz(fakt, hit.m_nMwStSatz, hit.m_strDatum);
}

void CLuWalkErrors::CheckMwStSatz(const CZFakt& fakt, int nSatz, const CString& strDatum) {
    if (IsKnownMwStSatz(nSatz) || !m_setSaetze.insert(nSatz).second) return;
    Add(fakt.m_strMdId, fakt.m_strPatNr, strDatum,
        "Unbekannter Umsatzsteuersatz " + itoc(nSatz) + " % in der Laborrechnung " +
            fakt.m_strFaktKey + ".");
}

void CLuWalkErrors::CheckLiqNr(const CLULabRech& row, const CZFakt& fakt,
                               const CString& strBillKey) {
    if (!row.m_strLiqNr.empty() || row.m_strPlanNr.empty() || strBillKey.empty()) return;
    const CBill* pBill = m_accu.GetBill(row.m_strPatNr, strBillKey);
    if (!pBill || !pBill->GetLiqNr().empty()) return;
    const char cStatus = pBill->GetStatus();
    if (!pBill->IsAbgerechnet() && cStatus != 'b' && cStatus != 'p') return;
    Add(fakt.m_strMdId, row.m_strPatNr, fakt.m_strDatum,
        "Die abgerechnete Rechnung " + strBillKey + " zur Laborrechnung " + fakt.m_strFaktKey +
            " hat keine Liquidationsnummer.");
}

void CLuWalkErrors::UngueltigesDatum(const CString& strMandant, const CString& strPatNr,
                                     const CString& strWer, const CString& strWas,
                                     const CString& strDatum) {
    Add(strMandant, strPatNr, {},
        strWer + " hat kein " + Utf8ToCp1252("gültiges ") + strWas + " (" + Quoted(strDatum) +
            Utf8ToCp1252(") und wird nicht gezählt."));
}

void CLuWalkErrors::GeaenderteTexte(std::size_t nAnzahl, const CString& strBeispiel) {
    if (nAnzahl == 0) return;
    Add({}, {}, {},
        Format("%zu %s der Praxisdatenbank %s Zeichen, die es in Windows-1252 nicht gibt; sie "
               "sind durch \"?\" ersetzt (",
               nAnzahl, nAnzahl == 1 ? "Text" : "Texte", nAnzahl == 1 ? "hat" : "haben") +
            (nAnzahl == 1 ? "" : "z. B. ") + Quoted(strBeispiel) + ").");
}
