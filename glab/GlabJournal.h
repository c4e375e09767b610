#pragma once
// The fixed-width lines of the commercial-lab journal ("vx_glabjournal.dat"): the
// column heading, one line per invoice row, the separator and the totals line.
// The amounts stand right-aligned under their headings.
#include "host/CString.h"

#include <array>

constexpr int kGlabJournalBreite = 175;

// The cells of one printed row, as the evaluation list shows them.
struct GlabJournalZellen {
    CString strDatum;
    CString strKunde; // "number - name" of the customer, or the number alone
    CString strRechNr;
    CString strAnzRech;
    CString strTechnLst;
    CString strMaterial;
    CString strMetall;
    CString strMwSt;
    CString strNetto;
    CString strBrutto;
    bool bStorno = false; // a cancelled invoice prints "-" for every blank
};

// Totals in the order technical services, material, metal, VAT, net, gross.
using GlabJournalSummen = std::array<CString, 6>;

const CString& GlabJournalKopf();
CString GlabJournalTrenner();
CString GlabJournalZeile(const GlabJournalZellen& z);
CString GlabJournalSummenZeile(const GlabJournalSummen& summen);
