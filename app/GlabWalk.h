#pragma once
// The host's database walk for the commercial-lab statistics: the customer
// invoices of the practice's own lab in a period, for one lab customer or all,
// handed to the statistics as CGlabFaktHitLine records of the CStatAccu.
#include "host/CString.h"
#include "host/db/ZGLKu.h"

#include <map>

class CGlabFakt;
class CStatAccu;

class CGlabWalk {
public:
    // Reads the invoices dated accu.GetAbDatum() .. GetBisDatum() of the customer
    // accu.GetLaborkunde() ("alle" or empty: every customer) on dbDatabaseRO into
    // accu.m_vecGlabHits, in the order of date, customer and invoice number; what
    // is wrong with them goes to accu.m_vecErrors, their number to
    // SetGesamtAnzahl. Both vectors are replaced. False with a German strError on a
    // database fault; the accumulator then holds no hits.
    bool Run(CStatAccu& accu, CString& strError);

private:
    bool KundeBekannt(const CString& strKuNr, CString& strError);
    void Pruefe(const CGlabFakt& fakt, CStatAccu& accu, CString& strError);

    CZGLKu m_ku;
    std::map<CString, bool> m_mapKunden; // customer number -> found in glku
};
