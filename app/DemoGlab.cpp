#include "app/DemoGlab.h"

#include "app/DemoNames.h"
#include "host/TextUtil.h"

#include <algorithm>
#include <array>
#include <map>
#include <vector>

namespace demo {
namespace {

constexpr int kKunden = 10;
constexpr int kBlocTexte = 14; // further texts of a bloc, separated by tabs

// Amount lists: a customer invoice holds technical services, material, metal and other
// costs in 9 places each; a bloc the same four and its VAT in 10 places each, so that
// its list adds up to the gross amount. All values in cents.
constexpr int kKuFaktFeld = 9;
constexpr int kBlocFeld = 10;

struct CBlocSumme {
    std::array<std::int64_t, 4> felder{}; // technical services, material, metal, other
    std::int64_t nMwSt = 0;
};

struct CKunde {
    CString strNr;
    CString strZahnarzt;
};

class CGewerbelabor {
public:
    explicit CGewerbelabor(CContext& ctx);
    void SchreibeKunden();
    void SchreibeKundenrechnung(int nTag);
    void SchreibeOffeneBlocs();
    void Flush() {
        for (CInsert* pIns : {&m_insKuFakt, &m_insBloc, &m_insEntry})
            pIns->Flush();
    }

private:
    CBlocSumme SchreibeBloc(const CKunde& ku, const CString& strKuFakt, int nTag,
                            const char* pszStatus);
    CString BlocTexte(const CKunde& ku, int nTag);

    CContext& m_ctx;
    CRandom& m_rnd;
    std::vector<CKunde> m_vecKunde;
    std::map<int, long> m_mapKuFaktImJahr;
    std::map<int, long> m_mapBlocImJahr;
    long m_nBlocs = 0;
    CInsert m_insKuFakt, m_insBloc, m_insEntry;
};

CGewerbelabor::CGewerbelabor(CContext& ctx)
    : m_ctx(ctx), m_rnd(ctx.rnd),
      m_insKuFakt(ctx.db, "glkufakt",
                  {"ku_nr", "rech_nr", "info1", "datum", "info2", "info3", "anz_rech", "info4",
                   "info5", "storno", "betraege", "mwst"}),
      m_insBloc(
          ctx.db, "glbloc",
          {"nr", "rech_nr", "status", "ku_nr", "kufakt_nr", "datum", "texte", "betraege", "mwst"}),
      m_insEntry(ctx.db, "glbloc_entry", {"nr", "rech_nr", "pos", "mwst_code", "preis", "menge"}) {}

void CGewerbelabor::SchreibeKunden() {
    CInsert adr(m_ctx.db, "adr",
                {"adr_id", "name1", "name2", "name3", "name4", "strasse", "plz", "ort"});
    CInsert ku(m_ctx.db, "glku", {"ku_nr", "name", "adr_id"});
    for (int i = 0; i < kKunden; ++i) {
        const CString strNachname = m_rnd.Pick(Nachnamen());
        const CString strVorname =
            m_rnd.Chance(500) ? m_rnd.Pick(VornamenWeiblich()) : m_rnd.Pick(VornamenMaennlich());
        const COrt& ort = m_rnd.Pick(Orte());
        const CString strStrasse =
            CString(m_rnd.Pick(Strassen())) + " " + itoc(m_rnd.Between(1, 120));
        const bool bGemeinschaft = m_rnd.Chance(300);
        const CString strNr = itoc(101 + i);
        const CString strAdr = Format("GL%03d", i + 1);

        adr.Text(strAdr)
            .Text("Zahnarztpraxis")
            .Text("Dr. med. dent. " + strVorname + " " + strNachname);
        adr.Text(bGemeinschaft ? "Gemeinschaftspraxis" : "").Text("").Text(strStrasse);
        adr.Text(ort.pszPlz).Text(ort.pszOrt).Run();
        ku.Text(strNr).Text("Praxis Dr. " + strNachname).Text(strAdr).Run();
        m_vecKunde.push_back({strNr, "Dr. " + strNachname});
    }
    adr.Flush();
    ku.Flush();
}

CString CGewerbelabor::BlocTexte(const CKunde& ku, int nTag) {
    std::array<CString, kBlocTexte> texte;
    const CString strVorname =
        m_rnd.Chance(500) ? m_rnd.Pick(VornamenWeiblich()) : m_rnd.Pick(VornamenMaennlich());
    texte[0] = strVorname + " " + m_rnd.Pick(Nachnamen()); // patient
    for (;;) {                                             // the work: a technical service
        const CLeistung& l = m_rnd.Pick(Leistungen());
        if (l.cArt >= '1' && l.cArt <= '4') {
            texte[1] = l.pszText;
            break;
        }
    }
    texte[2] = m_rnd.Pick(Zahnfarben());
    texte[3] = m_ctx.days.Text(std::max(0, nTag - m_rnd.Between(5, 20))); // ordered
    texte[4] = m_ctx.days.Text(nTag);                                     // delivered
    texte[5] = ku.strZahnarzt;
    CString out = texte[0];
    for (std::size_t i = 1; i < texte.size(); ++i)
        out += "\t" + texte[i];
    return out;
}

// One bloc with its entries; VAT at the reduced and the general rate of its day.
CBlocSumme CGewerbelabor::SchreibeBloc(const CKunde& ku, const CString& strKuFakt, int nTag,
                                       const char* pszStatus) {
    const CString strNr = Format("%06ld", ++m_nBlocs);
    const int nJahr = m_ctx.days.Year(nTag);
    const CString strRechNr = Format("%d-%05ld", nJahr, ++m_mapBlocImJahr[nJahr]);

    CBlocSumme sum;
    std::int64_t nNetto7 = 0, nNettoG = 0;
    const int nEntries = m_rnd.Between(2, 7);
    for (int pos = 1; pos <= nEntries; ++pos) {
        const int nFeld = m_rnd.Weighted({60, 20, 12, 8});
        static constexpr std::array<std::array<int, 2>, 4> kPreise = {
            {{500, 25000}, {100, 3000}, {1000, 15000}, {300, 1500}}};
        const auto& spanne = kPreise[static_cast<std::size_t>(nFeld)];
        const std::int64_t nPreis = m_rnd.Between(spanne[0], spanne[1]);
        const int nMenge = m_rnd.Pick({100, 100, 100, 100, 200, 50, 150, 300}); // 1.00 = "100"
        const char cCode = nFeld == 3 ? 'g' : "7g0"[m_rnd.Weighted({85, 8, 7})];
        const std::int64_t nZeile = (nPreis * nMenge + 50) / 100;
        sum.felder[static_cast<std::size_t>(nFeld)] += nZeile;
        if (cCode == '7') nNetto7 += nZeile;
        if (cCode == 'g') nNettoG += nZeile;
        m_insEntry.Text(strNr).Text(strRechNr).Text(itoc(pos)).Text(CString(1, cCode));
        m_insEntry.Text("e" + itoc(nPreis)).Text(itoc(nMenge)).Run();
    }
    sum.nMwSt = (nNetto7 * m_ctx.days.ReducedRate(nTag) + 50) / 100 +
                (nNettoG * m_ctx.days.GeneralRate(nTag) + 50) / 100;

    CString strBetraege;
    for (std::int64_t n : sum.felder)
        strBetraege += RightFix(itoc(n), kBlocFeld);
    strBetraege += RightFix(itoc(sum.nMwSt), kBlocFeld);
    const CString strTexte = BlocTexte(ku, nTag);
    m_insBloc.Text(strNr).Text(strRechNr).Text(pszStatus).Text(ku.strNr).Text(strKuFakt);
    m_insBloc.Text(m_ctx.days.Text(nTag)).Text(strTexte).Text(strBetraege);
    m_insBloc.Text(AmountText(sum.nMwSt)).Run();
    return sum;
}

// A collective invoice over the customer's blocs of the past month.
void CGewerbelabor::SchreibeKundenrechnung(int nTag) {
    const CKunde& ku = m_vecKunde[static_cast<std::size_t>(m_rnd.Between(0, kKunden - 1))];
    const int nJahr = m_ctx.days.Year(nTag);
    const CString strRechNr = Format("%02d%04ld", nJahr % 100, ++m_mapKuFaktImJahr[nJahr]);

    CBlocSumme sum;
    const int nBlocs = m_rnd.Between(1, 6);
    for (int i = 0; i < nBlocs; ++i) {
        const int nBlocTag = m_rnd.Between(nTag - 30, nTag - 1);
        const CBlocSumme bloc =
            SchreibeBloc(ku, strRechNr, nBlocTag, m_rnd.Chance(200) ? "t" : "1");
        for (std::size_t f = 0; f < sum.felder.size(); ++f)
            sum.felder[f] += bloc.felder[f];
        sum.nMwSt += bloc.nMwSt;
    }
    CString strBetraege;
    for (std::int64_t n : sum.felder)
        strBetraege += RightFix(itoc(n), kKuFaktFeld);

    const char* pszStorno = m_rnd.Chance(40) ? "1" : "0";
    const char* pszKuerzel = m_rnd.Pick({"AB", "KM", "SW"}); // who wrote it
    m_insKuFakt.Text(ku.strNr).Text(strRechNr).Text("S").Text(m_ctx.days.Text(nTag));
    m_insKuFakt.Text(Format("%02d.%04d", m_ctx.days.Month(nTag), nJahr)).Text("1");
    m_insKuFakt.Text(itoc(nBlocs)).Text(pszKuerzel).Text("J" + strRechNr).Text(pszStorno);
    m_insKuFakt.Text(strBetraege).Text(AmountText(sum.nMwSt)).Run();
}

// Blocs of the last days, not yet collected in a customer invoice.
void CGewerbelabor::SchreibeOffeneBlocs() {
    for (const CKunde& ku : m_vecKunde) {
        const int nAnzahl = m_rnd.Between(0, 2);
        for (int i = 0; i < nAnzahl; ++i)
            SchreibeBloc(ku, "", m_rnd.Between(kLastDay - 20, kLastDay), "0");
    }
}

} // namespace

void WriteCommercialLab(CContext& ctx, long nKundenRechnungen) {
    CGewerbelabor labor(ctx);
    labor.SchreibeKunden();
    // Invoice days ascend evenly over the demo years, so that the numbers follow them.
    const long nSpanne = kLastDay - kFirstDay + 1;
    for (long i = 0; i < nKundenRechnungen; ++i) {
        const long nVon = kFirstDay + i * nSpanne / nKundenRechnungen;
        const long nBis = kFirstDay + (i + 1) * nSpanne / nKundenRechnungen - 1;
        labor.SchreibeKundenrechnung(
            ctx.rnd.Between(static_cast<int>(nVon), static_cast<int>(nBis)));
        ctx.progress.Step();
    }
    labor.SchreibeOffeneBlocs();
    labor.Flush();
}

} // namespace demo
