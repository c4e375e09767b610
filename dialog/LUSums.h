#pragma once
// The sums of the marked rows of the lab-turnover list and their texts.
#include "core/LULabRech.h"
#include "dialog/LURowEntry.h"

#include <array>
#include <vector>

struct LUSummen {
    CLULabRechLst s;  // block of the view tab
    CLULabRechLst s5; // the four rate blocks
    CLULabRechLst s7;
    CLULabRechLst s16;
    CLULabRechLst s19;
};

// Adds up the marked rows of the list, each with its cancellation type as sign
// factor; invoices cancelled within the period never count.
LUSummen BerechneLUSummen(const std::vector<CLULabRech>& vecRecords,
                          const std::vector<LURowEntry>& vecEntries, int nTab, bool bTechnMat);

// Adds (nSign 1) or takes away (nSign -1) the share of one marked row, as
// BerechneLUSummen adds it: the sums stay exactly those of a new computation, so a
// click changes them by its rows instead of adding up the whole list again.
void AddLUZeile(LUSummen& sums, const CLULabRech& r, int nTab, bool bTechnMat, int nSign);

// Texts "Sum1" .. "Sum10" of the layout without technical material. With
// bOhneMaterial the material leaves net and gross (sums.s is changed).
std::array<CString, 10> NormalSumTexts(int nTab, char cWaehrung, bool bOhneMaterial,
                                       LUSummen& sums);

// The texts T1 .. T19 (index 0 .. 18) of the layout with technical material;
// T19 is the note on VAT rounding differences. Texts a tab does not use are left
// as they are.
using LUTechTexts = std::array<CString, 19>;
void FormatTechSums(int nTab, char cWaehrung, CLULabRechLst& s, CLULabRechLst& s5,
                    CLULabRechLst& s7, CLULabRechLst& s16, CLULabRechLst& s19, LUTechTexts& t);
