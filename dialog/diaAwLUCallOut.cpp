// The call-outs of the lab-turnover dialog: the selected row's plan opens in the
// lab-invoice program or, for an orthodontic plan, in the orthodontic-plan program.
#include "dialog/diaAwLU.h"

#include "dialog/LUCallOut.h"
#include "host/HostServices.h"
#include "host/LibraryCall.h"
#include "host/ModulEinstiege.h"
#include "host/VxStrings.h"
#include "host/db/ZPat.h"
#include "host/db/ZPlan.h"
#include "host/db/ZVDesc.h"
#include "host/db/ZVxKas.h"

CString CdiaAwLU::ModulOrdner() const {
    return {};
}

CLULabRechLst& CdiaAwLU::GetCLULabRechLstRef(CLULabRech& r) {
    switch (m_nSelectedTab) {
    case 1:
        return r.m_LstMitMwSt;
    case 2:
        return r.m_LstOhneMwSt;
    case 3:
        return r.m_Lst5;
    case 4:
        return r.m_Lst7;
    case 5:
        return r.m_Lst16;
    case 6:
        return r.m_Lst19;
    default:
        return r.m_LstAlle;
    }
}

CString CdiaAwLU::GetAktPlanDatum(const CString& strPatNr, const CString& strPlanNr) {
    CZPlan* pPlan = CAutoRSet<CZPlan>::GetRSet(1, false);
    pPlan->m_strPatNr = strPatNr;
    pPlan->m_strPlanNr = strPlanNr;
    const CString strDatum =
        pPlan->GetByK1(CTKRSet::kExact) == CTKRSet::kOk ? pPlan->m_strDatum : CString();
    CAutoRSet<CZPlan>::ReleaseRSet(pPlan);
    return strDatum;
}

void CdiaAwLU::OnCTRL_R() {
    // The ranking tab shows no rows to call out from.
    if (!GetIsEnabled(TKPlanOeffnen) || m_bListeInArbeit || m_nSelectedTab == kTabRanking) return;
    const int nRow = m_lvListe.GetSelectedIndex();
    if (!IsValidLineForCall(nRow)) return;
    if (IstKfoPlan(Record(nRow))) {
        StartKfoPlan();
        return;
    }
    CLibraryCall modul(kModulLabor, ModulOrdner());
    if (auto* pStart = modul.Find<StartLabRechnungFn>(kEinstiegLabRechnung))
        pStart(GetAktuellePatNr(), GetAktuellePlanNr());
}

void CdiaAwLU::StartKfoPlan() {
    CZVDesc vdesc(&dbDatabaseRO);
    CZPat pat(&dbDatabaseRO);
    CZVxKas kasse(&dbDatabaseRO);
    vdesc.SetForwardOnly(true);
    pat.SetForwardOnly(true);
    kasse.SetForwardOnly(true);
    const CString strPatNr = GetAktuellePatNr();
    const CString strPlanNr = GetAktuellePlanNr();
    if (strPlanNr.empty()) {
        Halt(kVxStrLaborumsatz, "Plan-Nr. nicht verf\xFCgbar!");
        return;
    }
    const CString strPlanDatum = GetAktPlanDatum(strPatNr, strPlanNr);
    pat.m_strPatNr = strPatNr;
    if (pat.GetByK1(CTKRSet::kExact) != CTKRSet::kOk) {
        Halt(kVxStrLaborumsatz, "Fehler beim Lesen der Patientenstammdaten!");
        return;
    }
    vdesc.FindMatching(strPatNr, strPlanDatum, 0);
    kasse.GetActKasse(vdesc.m_strKassenNr, strPlanDatum);
    CLibraryCall modul(kModulKfoPlan, ModulOrdner());
    if (auto* pStart = modul.Find<StartKFOWithPatPlanFn>(kEinstiegKfoPlan))
        pStart(&vdesc, &pat, &kasse, strPatNr, strPlanNr);
}
