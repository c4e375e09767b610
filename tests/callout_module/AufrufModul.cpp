// A module for the call-out tests: built under the names of the called programs,
// it records every call with its arguments instead of opening a window. The tests
// read the record through VxTestAufrufe.
#include "host/ModulEinstiege.h"
#include "host/db/ZPat.h"
#include "host/db/ZVDesc.h"
#include "host/db/ZVxKas.h"

#include <type_traits>

namespace {
CString& Aufrufe() {
    static CString strAufrufe;
    return strAufrufe;
}
} // namespace

extern "C" void StartLabRechnung(CString strPatNr, CString strPlanNr) {
    Aufrufe() += VX_MODUL ":StartLabRechnung(" + strPatNr + "|" + strPlanNr + ")\n";
}
static_assert(std::is_same_v<decltype(StartLabRechnung), StartLabRechnungFn>);

extern "C" int StartKFOWithPatPlan(CZVDesc* pVDesc, CZPat* pPat, CZVxKas* pKasse, CString strPatNr,
                                   CString strPlanNr) {
    Aufrufe() += VX_MODUL ":StartKFOWithPatPlan(" + pVDesc->m_strKassenNr + "|" + pPat->m_strName +
                 "|" + pKasse->m_strName + "|" + strPatNr + "|" + strPlanNr + ")\n";
    return 0;
}
static_assert(std::is_same_v<decltype(StartKFOWithPatPlan), StartKFOWithPatPlanFn>);

extern "C" int StartGlabRechJournalFromStatistic(CString strLabKu, CString strRechNr,
                                                 CString strInfo3, CString strInfo5) {
    Aufrufe() += VX_MODUL ":StartGlabRechJournalFromStatistic(" + strLabKu + "|" + strRechNr + "|" +
                 strInfo3 + "|" + strInfo5 + ")\n";
    return 0;
}
static_assert(std::is_same_v<decltype(StartGlabRechJournalFromStatistic), StartGlabRechJournalFn>);

// The calls since the last VxTestLoeschen, one line each.
extern "C" const char* VxTestAufrufe() {
    return Aufrufe().c_str();
}
extern "C" void VxTestLoeschen() {
    Aufrufe().clear();
}
