#pragma once
// The reduced-rate slots of a finished lab-turnover row: the VAT at 5 and 7 % on
// technical services and on metal, the technical material at 5 and 7 % and the
// technical services free of VAT, which the view with technical material, the
// ranking and the note on VAT rounding differences read. The module leaves them to
// the host; docs/lab-turnover-walk.md gives the rule.
class CLULabRech;

// Fills the slots from the rate blocks the row's hits filled. Once per row, after
// its last hit.
void LuFillErmMwSt(CLULabRech& row);
