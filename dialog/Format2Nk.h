#pragma once
// Amount texts of the lab-turnover list, its sums and its print.
#include "core/StornoTyp.h"
#include "host/Betrag.h"
#include "host/CString.h"

// A sum: the amount in the currency of cWaehrung (' ' DM, else euro) with two
// decimals; zero gives "0,00".
CString Format2Nk(const CDBetrag& betrag, char cWaehrung);

// A list cell: zero gives the empty text; an invoice cancelled before the period
// shows with inverted sign, one cancelled within it in parentheses.
CString Format2Nk(const CDBetrag& betrag, STORNOTYP nTyp, char cWaehrung);
