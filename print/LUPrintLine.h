#pragma once
// The lines of the printed lab-turnover list. A list row becomes one line of
// tab-separated slots in the places of the list's tab stops, so that the sums line
// and the rows line up: without technical material 30 slots, with it 41 slots of
// which every second carries text. The layout with technical material prints each
// row on two fixed-width lines of seventeen cells.
#include "host/CString.h"

#include <array>
#include <vector>

class CWPFMatrixBase;

struct LUPrintLineCtx {
    bool bTechnMat = false;   // layout with technical material
    bool bFiktiv = false;     // fictitious invoices: no plan and invoice number
    bool bMitPatName = false; // the patient's name after the number
};

constexpr int kLUSlots = 30;         // slots of a line without technical material
constexpr int kLUSlotsTechnMat = 41; // slots of a line with it
constexpr int kLUTextFelder = 21;    // text slots of a line with it
constexpr int kLUFesteBreite = 169;  // characters of a fixed-width line

// Row nRow of the list matrix (columns as the list fills them) as a print line.
CString BuildLUPrintLine(const CWPFMatrixBase& matrix, int nRow, const LUPrintLineCtx& ctx);

// The text slots (every second slot) of a line with technical material, exactly
// kLUTextFelder; missing ones are empty.
std::vector<CString> LUTextFelder(const CString& strLine);

// A line without technical material in the columns of the print: date, gap,
// patient, plan and invoice (not for fictitious invoices), the amounts, the
// cancellation date.
CString LUDruckSpalten(const CString& strLine, bool bFiktiv);

// Seventeen cells, each cut or padded to its width, as one fixed-width line.
using LUZellen = std::array<CString, 17>;
CString LUFesteZeile(const LUZellen& cells);
