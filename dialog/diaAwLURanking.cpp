// The ranking tab of the lab-turnover dialog: technicians and their treaters by
// technical services, from every invoice of the evaluation (the list's owner,
// cancellation and mark filters do not apply).
#include "dialog/diaAwLU.h"

#include "host/db/ZLeb.h"
#include "host/db/ZPat.h"
#include "host/db/ZPlan.h"

namespace {

// The ranking looks up a plan per distinct patient and plan, up to one per
// invoice: inside one read transaction the database file is locked once for all
// of them instead of once per lookup. Without a database, or inside a running
// read, the lookups go on without it.
class CLeseTransaktion {
public:
    CLeseTransaktion() {
        if (!dbDatabaseRO.IsOpen()) return;
        try {
            dbDatabaseRO.Conn().Begin();
            m_bAktiv = true;
        } catch (const DbError&) {
        }
    }
    ~CLeseTransaktion() {
        if (m_bAktiv) dbDatabaseRO.Conn().Rollback(); // nothing was written
    }
    CLeseTransaktion(const CLeseTransaktion&) = delete;
    CLeseTransaktion& operator=(const CLeseTransaktion&) = delete;

private:
    bool m_bAktiv = false;
};

} // namespace

void CdiaAwLU::FillVecLeb(std::vector<StructLeb>& vecLeb) {
    CZLeb leb(&dbDatabaseRO);
    leb.SetForwardOnly(true);
    // Every technician record is a person of its own, so the id is also the key
    // by which ranking entries are merged.
    for (int nResult = leb.GetValidTechnikerLebs(); nResult == CTKRSet::kOk; nResult = leb.Next())
        vecLeb.push_back({leb.m_strLebId, leb.m_strLebId});
}

// The plan's treating dentist, or without a plan the patient's dentist; "" when
// the record cannot be read. Record sets come from the host's pool, so a ranking
// over many invoices prepares its lookups once.
CString CdiaAwLU::GetZaLebId(const CString& strPatNr, const CString& strPlanNr) {
    CString strZaLebId;
    if (!strPlanNr.empty()) {
        CZPlan* pPlan = CAutoRSet<CZPlan>::GetRSet(1, false);
        pPlan->m_strPatNr = strPatNr;
        pPlan->m_strPlanNr = strPlanNr;
        if (pPlan->GetByK1(CTKRSet::kExact) == CTKRSet::kOk) strZaLebId = pPlan->m_strZaLebId;
        CAutoRSet<CZPlan>::ReleaseRSet(pPlan);
    } else {
        CZPat* pPat = CAutoRSet<CZPat>::GetRSet(1, false);
        pPat->m_strPatNr = strPatNr;
        if (pPat->GetByK1(CTKRSet::kExact) == CTKRSet::kOk) strZaLebId = pPat->m_strZaLebId;
        CAutoRSet<CZPat>::ReleaseRSet(pPat);
    }
    return strZaLebId;
}

void CdiaAwLU::CalcRanking(const std::vector<CLULabRech>& vecRecords,
                           std::vector<StructRanking>& vecRanking, CDBetrag& total) {
    LURankingQuellen quellen;
    quellen.fnZaLebId = [this](const CString& strPatNr, const CString& strPlanNr) {
        return GetZaLebId(strPatNr, strPlanNr);
    };
    quellen.fnLebName = [this](const CString& strLebId) { return GetLebName(strLebId); };
    const CLeseTransaktion lesen;
    ::CalcRanking(m_vecLeb, vecRecords, quellen, vecRanking, total);
}

void CdiaAwLU::DisplayRanking(std::vector<CLULabRech>& vecRecords) {
    m_dtRanking2.Clear();
    m_dtRanking1.Clear();
    std::vector<StructRanking> vecRanking;
    CDBetrag total;
    CalcRanking(vecRecords, vecRanking, total);
    FillRankingTables(vecRanking, total, m_dtRanking1, m_dtRanking2);
    m_xgRanking.BindDataTable(m_dtRanking1);
    m_xgRanking.SetAllowDetailToggle("", true);
    m_xgRanking.SetColumnTitle(1, "Techniker");
    m_xgRanking.SetColumnTitle(5, "Praxis-%");
    m_xgRanking.ExpandAllDetails(1, false, false);
    if (!m_dtRanking1.IsEmpty()) m_xgRanking.SetCurrentIndex(0);
}
