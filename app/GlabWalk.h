#pragma once
// The host's database walk for the commercial-lab statistics: the customer
// invoices of the practice's own lab in a period, for one lab customer or all,
// handed to the statistics as CGlabFaktHitLine records of the CStatAccu.
#include "host/CString.h"
#include "host/db/ZGLKu.h"

#include <cstddef>
#include <map>
#include <set>
#include <utility>

class CGlabFakt;
class CStatAccu;

class CGlabWalk {
public:
    // Reads the invoices dated accu.GetAbDatum() .. GetBisDatum() of the customer
    // accu.GetLaborkunde() ("alle" or empty: every customer) on dbDatabaseRO into
    // accu.m_vecGlabHits, in the order of date, customer and invoice number; what
    // is wrong with them goes to accu.m_vecErrors, their number to
    // SetGesamtAnzahl. Both vectors are replaced. A customer number is taken by its
    // value, as the reading side shows it: "0102" selects customer 102 and is
    // stored as "102". False with a German strError on a database fault; the
    // accumulator then holds no hits.
    bool Run(CStatAccu& accu, CString& strError);

    // Texts the last Run read whose characters Windows-1252 lacks ("?" instead).
    std::size_t GeaenderteTexte() const { return m_nGeaenderteTexte; }

private:
    bool Walk(CStatAccu& accu, CString& strError);
    using Schluessel = std::pair<CString, CString>; // customer, invoice number

    void SucheUngueltigeDaten(CStatAccu& accu);
    bool Gewaehlt(const CString& strKuNr) const;
    bool KundeBekannt(const CString& strKuNr, CString& strError);
    void Pruefe(const CGlabFakt& fakt, const CString& strBetraege, const CString& strMwSt,
                CStatAccu& accu, CString& strError);

    CZGLKu m_ku;
    std::map<CString, bool> m_mapKunden; // customer number -> found in glku
    CString m_strKunde;                  // the customer chosen, "" for all
    std::set<Schluessel> m_setOhneDatum; // invoices left out for their date
    std::size_t m_nGeaenderteTexte = 0;
};
