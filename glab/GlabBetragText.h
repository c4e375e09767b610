#pragma once
// Text arithmetic of the commercial-lab amounts. The lab's records hold their
// amounts as texts (fixed-width lists, prices and quantities with two implied
// decimals); these helpers compute on those texts the way the lab program does,
// so that the statistics show the same cents as the lab's own journal.
#include "host/Betrag.h"
#include "host/CString.h"

// An amount text of a record as amount: read as CW7Betrag, held as CVzW7Betrag.
// A text the amount cannot read (letters, more than 17 digits) gives an empty amount.
CVzW7Betrag GlabListBetrag(const CString& strText);

// Sum of two amount texts in the amount's stored form (ToDb). The text "0" counts
// as empty, as the lab writes it for "nothing yet"; two empty texts give "".
CString GlabAddBetrag(const CString& strA, const CString& strB);

// Product of two decimal texts with two implied decimals each, with two decimals,
// rounded half away from zero: "1234" x "150" (12.34 x 1.50) gives "1851". A minus
// as first non-blank character marks a factor negative; each factor is read as
// its leading integer (LeadingInt, so a factor beyond 64 bits is clamped). The
// product is exact in 128 bits; a result beyond the 64-bit range is clamped to
// its limit, a text of 19 digits that no amount reads, so it counts as empty.
CString GlabMulFix2(const CString& strA, const CString& strB);
