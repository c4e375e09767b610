#include "app/LuReport.h"

#include "core/LUSum.h"
#include "host/Cp1252.h"
#include "host/TextUtil.h"
#include "host/stat/StatAccu.h"

#include <string>
#include <vector>

namespace {

struct CSpalte {
    const char* pszTitel;
    int nBreite; // text form; the tab-separated form is not padded
    bool bRechts;
};

// Satzart, then the row columns; an error uses Mandant, Pat.-Nr., Datum and Text.
constexpr CSpalte kSpalten[] = {
    {"Satzart", 0, false},  {"Block", 2, false},      {"Md", 3, false},
    {"Rg.-Nr.", 14, false}, {"Fortl.Nr.", 13, false}, {"Datum", 10, false},
    {"Pat.-Nr.", 8, false}, {"Patient", 24, false},   {"Typ", 3, true},
    {"Storno", 10, false},  {"Techn.Lst.", 11, true}, {"Material", 11, true},
    {"Metall", 11, true},   {"Netto", 12, true},      {"USt.", 11, true},
    {"Brutto", 12, true},   {"Text", 0, false},
};
constexpr std::size_t kSpaltenAnzahl = std::size(kSpalten);
enum {
    kSatzart,
    kBlock,
    kMd,
    kRgNr,
    kFortl,
    kDatum,
    kPatNr,
    kPatient,
    kTyp,
    kStorno,
    kTechn,
    kMaterial,
    kMetall,
    kNetto,
    kMwSt,
    kBrutto,
    kText
};

using CZeile = std::vector<CString>;

CString Betrag(const CDBetrag& b) {
    return b.ToExt(0, true);
}

CZeile RowLine(const CLULabRech& r, int nBlock) {
    const CLULabRechLst& b = r.Block(nBlock);
    CZeile z(kSpaltenAnzahl);
    z[kSatzart] = "L";
    z[kBlock] = itoc(nBlock);
    z[kMd] = r.m_strMandant;
    z[kRgNr] = r.m_strRechNr;
    z[kFortl] = r.m_strFortlRgNr;
    z[kDatum] = Db2Date(r.m_strRechDatum.empty() ? r.m_strDatumAlt : r.m_strRechDatum);
    z[kPatNr] = r.m_strPatNr;
    z[kPatient] = r.m_strPatName;
    z[kTyp] = itoc(r.m_nStornoTyp);
    z[kStorno] = Db2Date(r.m_strStornoDatum);
    // The all-amounts block keeps its technical services free of VAT apart.
    z[kTechn] = Betrag(nBlock == 0 ? CDBetrag(b.m_TechnLst + b.m_TechnLstFrei) : b.m_TechnLst);
    z[kMaterial] = Betrag(b.m_Material);
    z[kMetall] = Betrag(b.m_Metall);
    z[kNetto] = Betrag(b.m_Netto);
    z[kMwSt] = Betrag(b.m_MwSt);
    z[kBrutto] = Betrag(b.m_Brutto);
    return z;
}

CZeile ErrorLine(const CBehErrors& err) {
    CZeile z(kSpaltenAnzahl);
    z[kSatzart] = "E";
    z[kMd] = err.m_strMandant;
    z[kPatNr] = err.m_strPatNr;
    z[kDatum] = Db2Date(err.m_strDatum);
    z[kText] = err.m_strText;
    return z;
}

// Tabs and line breaks inside a cell would break the line apart.
CString TsvZelle(CString s) {
    for (char& c : s)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return s;
}

void PrintLine(const CString& line, std::FILE* out) {
    std::fprintf(out, "%s\n", Cp1252ToUtf8(line).c_str());
}

// Tab-separated: every column. Text: the row columns padded, without kind and text.
void Print(const CZeile& z, bool bTsv, std::FILE* out) {
    CString line;
    for (std::size_t i = 0; i < kSpaltenAnzahl; ++i) {
        const CSpalte& s = kSpalten[i];
        if (bTsv)
            line += (i ? "\t" : "") + TsvZelle(z[i]);
        else if (s.nBreite)
            line += (i > kBlock ? " " : "") +
                    (s.bRechts ? RightFix(z[i], s.nBreite) : LeftFix(z[i], s.nBreite));
    }
    PrintLine(bTsv ? line : TrimRight(line), out);
}

void PrintErrorText(const CBehErrors& err, std::FILE* out) {
    PrintLine("  " + LeftFix(Db2Date(err.m_strDatum), 10) + "  Mandant " +
                  LeftFix(err.m_strMandant, 3) + " Pat.-Nr. " + LeftFix(err.m_strPatNr, 8) + " " +
                  err.m_strText,
              out);
}

CZeile Titel() {
    CZeile z;
    for (const CSpalte& s : kSpalten)
        z.push_back(Utf8ToCp1252(s.pszTitel));
    return z;
}

} // namespace

// The evaluation's own sum rule (CLULabRechLst::AddSummen): each row with its
// cancellation type as factor, amounts of old Deutsche Mark rows converted to euro.
// Rows cancelled within the period never count, as in the dialog.
std::array<LuBlockSumme, 7> LuBlockSummen(const CLUSum& sum) {
    std::array<CLULabRechLst, 7> bloecke;
    for (CLULabRechLst& b : bloecke)
        for (const auto pBetrag : CLULabRechLst::kBetraege)
            b.*pBetrag = CDBetrag::FromCent(0, CWBetragBasis::kEuro); // sums in euro
    std::array<LuBlockSumme, 7> summen{};
    for (const CLULabRech& r : sum.m_vecLabRech) {
        for (int n = 0; n < 7; ++n) {
            const CLULabRechLst& b = r.Block(n);
            if (n > 0 && !b.m_bBelegt) continue;
            const auto i = static_cast<std::size_t>(n);
            ++summen[i].nZeilen;
            if (r.m_nStornoTyp != kStornoImZeitraum) bloecke[i].AddSummen(b, false, r.m_nStornoTyp);
        }
    }
    for (std::size_t i = 0; i < summen.size(); ++i) {
        summen[i].nNetto = bloecke[i].m_Netto.GetCent();
        summen[i].nMwSt = bloecke[i].m_MwSt.GetCent();
        summen[i].nBrutto = bloecke[i].m_Brutto.GetCent();
    }
    return summen;
}

long LuZeilenAnzahl(const CLUSum& sum) {
    long n = 0;
    for (const LuBlockSumme& s : LuBlockSummen(sum))
        n += s.nZeilen;
    return n;
}

void PrintLuRows(const CLUSum& sum, const CStatAccu& accu, bool bTsv, std::FILE* out) {
    Print(Titel(), bTsv, out);
    for (const CLULabRech& r : sum.m_vecLabRech)
        for (int n = 0; n < 7; ++n)
            if (n == 0 || r.Block(n).m_bBelegt) Print(RowLine(r, n), bTsv, out);
    if (bTsv) {
        for (const CBehErrors& err : accu.m_vecErrors)
            Print(ErrorLine(err), bTsv, out);
        return;
    }
    if (accu.m_vecErrors.empty()) return;
    PrintLine(Format("\nFehler der Auswertung: %zu", accu.m_vecErrors.size()), out);
    for (const CBehErrors& err : accu.m_vecErrors)
        PrintErrorText(err, out);
}

void PrintLuSummary(const CLUSum& sum, const CStatAccu& accu, LuMode eMode, std::FILE* out) {
    static const char* const kBlockNamen[7] = {"alle", "mit USt.", "ohne USt.", "5 %",
                                               "7 %",  "16 %",     "19 %"};
    long nTypen[3] = {0, 0, 0};
    for (const CLULabRech& r : sum.m_vecLabRech)
        if (IsValidStornoTyp(r.m_nStornoTyp)) ++nTypen[r.m_nStornoTyp + 1];
    const auto p = [&](const CString& s) { PrintLine(s, out); };
    p("Laborumsatzliste, " + LuModeTitel(eMode));
    p(Format("  Rechnungszeilen: %zu (Stornotyp -1: %ld, 0: %ld, 1: %ld)", sum.m_vecLabRech.size(),
             nTypen[0], nTypen[1], nTypen[2]));
    p(Format("  Trefferzeilen:   %ld", LuZeilenAnzahl(sum)));
    p(Format("  Fehler:          %zu", accu.m_vecErrors.size()));
    p(Utf8ToCp1252("  Block            Zeilen         Netto          USt.        Brutto"));
    const auto summen = LuBlockSummen(sum);
    for (std::size_t n = 0; n < summen.size(); ++n) {
        const LuBlockSumme& s = summen[n];
        p(Format("  %zu %-12s %8ld %13s %13s %13s", n, kBlockNamen[n], s.nZeilen,
                 CDBetrag::FromCent(s.nNetto).ToExt(0, true).c_str(),
                 CDBetrag::FromCent(s.nMwSt).ToExt(0, true).c_str(),
                 CDBetrag::FromCent(s.nBrutto).ToExt(0, true).c_str()));
    }
    p(Utf8ToCp1252("  (Beträge in Euro, mit dem Vorzeichen des Stornotyps: -1 abgezogen, 0 nicht "
                   "gezählt)"));
}
