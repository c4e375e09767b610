#pragma once
// What the lab-turnover walk finds wrong in the practice database, recorded as
// errors of the evaluation (the "E" lines of the hit file) with practice owner,
// patient, date and a German text.
#include "host/CString.h"

#include <cstddef>
#include <set>

class CLULabRech;
class CStatAccu;
class CZBeh;
class CZFakt;
struct CBehHitLine;

class CLuWalkErrors {
public:
    explicit CLuWalkErrors(CStatAccu& accu) : m_accu(accu) {}

    // A new invoice (or part of one): its VAT rates are reported anew.
    void StartInvoice() { m_setSaetze.clear(); }

    // A lab hit whose invoice is missing; the hit is not counted.
    void OhneRechnung(const CZBeh& beh);
    // A hit of the invoice fakt without lab block, or naming a lab-block entry that
    // is missing (bEntryFehlt); the hit counts with its own amount. Also checks its
    // VAT rate.
    void CheckHit(const CBehHitLine& hit, bool bEntryFehlt, const CZFakt& fakt);
    // A VAT rate other than 0, 5, 7, 16 and 19 %, once per invoice and rate.
    void CheckMwStSatz(const CZFakt& fakt, int nSatz, const CString& strDatum);
    // A record whose date strWas ("Rechnungsdatum", ...) strDatum is no calendar
    // day; strWer names it ("Die Laborrechnung R1"). It is not counted.
    void UngueltigesDatum(const CString& strMandant, const CString& strPatNr, const CString& strWer,
                          const CString& strWas, const CString& strDatum);
    // Texts of the database that held characters Windows-1252 lacks; strBeispiel is
    // one of them as it now reads.
    void GeaenderteTexte(std::size_t nAnzahl, const CString& strBeispiel);
    // A finished row without liquidation number whose bill is billed but has none.
    void CheckLiqNr(const CLULabRech& row, const CZFakt& fakt, const CString& strBillKey);

private:
    void Add(const CString& strMandant, const CString& strPatNr, const CString& strDatum,
             const CString& strText);

    CStatAccu& m_accu;
    std::set<int> m_setSaetze; // rates reported for the current invoice
};
