#pragma once
// The commercial-lab part of the demo database.
#include "app/DemoContext.h"

namespace demo {

// Writes the lab customers with their addresses, nKundenRechnungen customer
// invoices spread evenly over the demo years, the blocs collected in them with their
// entries, and a few open blocs at the end. One progress step per customer invoice.
void WriteCommercialLab(CContext& ctx, long nKundenRechnungen);

} // namespace demo
