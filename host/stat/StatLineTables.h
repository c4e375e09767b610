#pragma once
// Line-structure tables of the hit files: the slots (CStatLines::Slot) of a line
// kind in the order they stand in the line, ended by -1. Writer and reader of an
// evaluation return the same table from SetLineStruct(); error lines ("E") use
// iERR_SICHERUNG in every hit file.
#include "host/CString.h"

#include <string_view>

extern int iLU_SICHERUNG[];   // "L": one amount block of a lab invoice
extern int iGLAB_SICHERUNG[]; // "W": one commercial-lab customer invoice
extern int iERR_SICHERUNG[];  // "E": an error of the evaluation

// The line kind a table belongs to ("L", "W", "E"), nullptr for another table.
const char* StatLineKind(const int* pTable);

// The table for a line of kind strKind in a hit file whose lines use pTable: the
// error table for "E", pTable when strKind is its kind, otherwise nullptr.
const int* StatLineTable(std::string_view kind, const int* pTable);

// Number of slots of a table.
int StatLineSlotCount(const int* pTable);
// The fewest slots a line of the table may have: slots added to a table later are
// appended at its end, and lines of older files end before them.
int StatLineMinSlotCount(const int* pTable);
