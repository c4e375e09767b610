#pragma once
// Which program opens the plan of a lab invoice row.
#include "core/LULabRech.h"

// An orthodontic ("KFO") plan goes to the orthodontic-plan program, any other to
// the lab-invoice program. A set kind code decides by its kind text; without one
// the invoice's own kind text decides.
bool IstKfoPlan(const CLULabRech& r);
