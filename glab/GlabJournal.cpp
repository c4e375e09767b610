#include "glab/GlabJournal.h"

#include "host/TextUtil.h"

#include <algorithm>

namespace {

constexpr int kBreiteDatum = 11;
constexpr int kBreiteKunde = 28;
constexpr int kBreiteNr = 12;
constexpr int kBreiteBetrag = 11;
constexpr int kBreiteSummenText = 70;

// The amount part shared by row and totals line: six amounts, with the gaps
// that put them under the heading's captions.
CString Betraege(const std::array<const CString*, 6>& betraege) {
    static constexpr int kLuecke[6] = {7, 7, 7, 7, 9, 9};
    CString line;
    line.reserve(6 * (kBreiteBetrag + 9));
    for (std::size_t n = 0; n < betraege.size(); ++n)
        line += CString(kLuecke[n], ' ') + RightFix(*betraege[n], kBreiteBetrag);
    return line;
}

} // namespace

const CString& GlabJournalKopf() {
    static const CString strKopf =
        "Datum         Laborkunde                   Rng.-Nr.   Anz. Rng.        Techn.Lst      "
        "    Material            Metall               Ust               Netto              "
        "Gesamt";
    return strKopf;
}

CString GlabJournalTrenner() {
    return CString(kGlabJournalBreite, '-');
}

CString GlabJournalZeile(const GlabJournalZellen& z) {
    CString line = LeftFix(z.strDatum, kBreiteDatum) + LeftFix(z.strKunde, kBreiteKunde) +
                   RightFix(z.strRechNr, kBreiteNr) + RightFix(z.strAnzRech, kBreiteNr);
    line += Betraege(
        {&z.strTechnLst, &z.strMaterial, &z.strMetall, &z.strMwSt, &z.strNetto, &z.strBrutto});
    if (z.bStorno) std::replace(line.begin(), line.end(), ' ', '-');
    return line;
}

CString GlabJournalSummenZeile(const GlabJournalSummen& s) {
    return LeftFix("   Gesamtwerte", kBreiteSummenText - 7) +
           Betraege({&s[0], &s[1], &s[2], &s[3], &s[4], &s[5]});
}
