#pragma once
// The parameters and collections of one evaluation run: the period and practice
// owners chosen, the selection the hit file carries along, the errors and the
// commercial-lab hits of the database walk, and the bills looked up on the way.
// Writer and reader of the hit file and the evaluation dialog share one object.
#include "host/CString.h"
#include "host/stat/BehErrors.h"
#include "host/stat/BillCache.h"
#include "host/stat/GlabFaktHitLine.h"

#include <vector>

class CBill;

class CStatAccu {
public:
    // Period as database dates "YYYYMMDD", both days included.
    const CString& GetAbDatum() const { return m_strAbDatum; }
    const CString& GetBisDatum() const { return m_strBisDatum; }
    void SetPeriod(const CString& strAb, const CString& strBis) {
        m_strAbDatum = strAb;
        m_strBisDatum = strBis;
    }

    // The practice owner evaluated; "" means all of m_vecMandanten.
    const CString& GetMandant() const { return m_strMandant; }
    void SetMandant(const CString& strMdId) { m_strMandant = strMdId; }
    bool FindMd(const CString& strMdId) const; // strMdId is in m_vecMandanten

    // Lab customer of the commercial-lab statistics: a customer number or "alle".
    const CString& GetLaborkunde() const { return m_strLaborkunde; }
    void SetLaborkunde(const CString& strLabKu) { m_strLaborkunde = strLabKu; }

    const CString& GetPlanArten() const { return m_strPlanArten; } // plan-kind characters
    void SetPlanArten(const CString& strPlanArten) { m_strPlanArten = strPlanArten; }

    // Which services count: the recorded ones, the billed ones.
    bool GetLstErfasst() const { return m_bLstErfasst; }
    void SetLstErfasst(bool b) { m_bLstErfasst = b; }
    bool GetLstAbgerechnet() const { return m_bLstAbgerechnet; }
    void SetLstAbgerechnet(bool b) { m_bLstAbgerechnet = b; }

    // What the progress display of the writer counts as 100 %.
    long GetGesamtAnzahl() const { return m_nGesamtAnzahl; }
    void SetGesamtAnzahl(long n) { m_nGesamtAnzahl = n; }

    // The bill of a patient on the reading connection, nullptr when there is none.
    // Each bill is queried once; the pointer lives as long as this object.
    CBill* GetBill(const CString& strPatNr, const CString& strBillKey) {
        return m_bills.Get(strPatNr, strBillKey);
    }
    // Reads every bill at once, for a walk that asks for many (CBillCache::LoadAll).
    void LoadAllBills(IDbConnection& db) { m_bills.LoadAll(db); }

    std::vector<CString> m_vecMandanten;         // practice owner ids of the evaluation
    std::vector<CString> m_vecTechniker;         // technician names, for the dialog
    std::vector<CString> m_vecTechnikerIds;      // their ids, same order
    std::vector<CBehErrors> m_vecErrors;         // errors of the walk and of reading
    std::vector<CGlabFaktHitLine> m_vecGlabHits; // hits of the commercial-lab walk

private:
    CString m_strAbDatum;
    CString m_strBisDatum;
    CString m_strMandant;
    CString m_strLaborkunde = "alle";
    CString m_strPlanArten;
    bool m_bLstErfasst = false;
    bool m_bLstAbgerechnet = false;
    long m_nGesamtAnzahl = 0;
    CBillCache m_bills;
};
