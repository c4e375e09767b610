#pragma once
// The entry points of the program modules that the statistics call out to, as
// CLibraryCall finds them by name. The modules are built with the same compiler
// and library as the program, so the texts pass by value as they are.
#include "host/CString.h"

class CZPat;
class CZVDesc;
class CZVxKas;

// Module "VXLAB": the lab invoice of a patient and plan (the plan may be empty).
constexpr const char* kModulLabor = "VXLAB";
constexpr const char* kEinstiegLabRechnung = "StartLabRechnung";
using StartLabRechnungFn = void(CString strPatNr, CString strPlanNr);

// Module "VxKfoPlan": an orthodontic plan, with the patient's insurance at the
// plan date and its fund positioned. The result is not used.
constexpr const char* kModulKfoPlan = "VxKfoPlan";
constexpr const char* kEinstiegKfoPlan = "StartKFOWithPatPlan";
using StartKFOWithPatPlanFn = int(CZVDesc* pVDesc, CZPat* pPat, CZVxKas* pKasse, CString strPatNr,
                                  CString strPlanNr);

// Module "vxglab": the commercial lab's invoice journal at one customer invoice
// (customer, invoice number and two texts the invoice carries). The result is not used.
constexpr const char* kModulGewerbelabor = "vxglab";
constexpr const char* kEinstiegGlabJournal = "StartGlabRechJournalFromStatistic";
using StartGlabRechJournalFn = int(CString strLabKu, CString strRechNr, CString strInfo3,
                                   CString strInfo5);
