#pragma once
// The cells of one row of the lab-turnover list: matrix columns 0 .. 24 of an
// invoice for one view tab, in the layout without technical material (amount
// columns 8, 11, 13) or with it (columns 8 .. 16).
#include "core/LULabRech.h"

class CLUDefault;
class CWPFMatrixBase;

// Matrix columns of the list.
enum LUListCol : int {
    kColCheck = 0, // "True" / "False"
    kColFarbe = 1, // foreground colour code
    kColDatum = 2,
    kColPatNr = 3,
    kColPatName = 4,
    kColPlanNr = 5,
    kColPlanArt = 6,
    kColRechNr = 7,
    kColStorno = 24,
    kLUListCols = 25, // filled columns; the matrix has 26
};

struct LURowContext {
    int nTab = 0;           // view tab 0 .. 6
    bool bBezahlt = false;  // list of paid invoices: payment date
    bool bFiktiv = false;   // list of fictitious invoices: no plan kind, no number
    bool bTechnMat = false; // layout with technical material
    char cWaehrung = 'e';
    const CLUDefault* pSettings = nullptr;
};

// Plan-kind text of a kind code ("KCH", "ZE", ...); "" for an unknown code.
CString LUPlanArtText(signed char cPlanArt);

// Appends one matrix row for invoice r with block b (the block of the tab) and
// sets nRow, which starts at -1, to its index.
void BuildLURow(CWPFMatrixBase& matrix, int& nRow, const CLULabRech& r, const CLULabRechLst& b,
                STORNOTYP nTyp, const LURowContext& ctx);
