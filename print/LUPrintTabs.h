#pragma once
// Tab stops of the printed lab-turnover list, for the host's MakeAbsTabs: pairs of
// alignment ("r" right, "" left) and width, closed by a pair of two null pointers.
#include "host/print/AbsTabs.h"

extern const AbsTab AbsTabsLuDruck[];            // the list, paid and cancelled invoices
extern const AbsTab AbsTabsLuDruckMitTechnMat[]; // invoices with technical material
extern const AbsTab AbsTabsLuDruckManLabRech[];  // fictitious invoices: no plan column
