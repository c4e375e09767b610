#include "app/DemoDatabase.h"

#include "app/DemoContext.h"
#include "app/DemoGlab.h"
#include "app/DemoNames.h"
#include "host/Cp1252.h"
#include "host/TextUtil.h"
#include "host/db/PgConnection.h"
#include "host/db/Schema.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <numeric>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace demo {
namespace {

constexpr int kMandanten = 3;
constexpr int kZahnaerzteJeMandant = 3;
constexpr char kPlanArten[] = {'c', 'z', 'k', 'b', 'p', 'i', '2', 'e'};
constexpr int kPlanArtGewichte[] = {8, 40, 12, 8, 8, 12, 6, 6};

// Each practice owner has four technicians; the second and the fourth have left.
struct CZeitraum {
    const char* pszAb;
    const char* pszBis;
};
constexpr CZeitraum kTechnikerZeiten[] = {
    {"20080401", ""}, {"20120915", "20211231"}, {"20220101", ""}, {"20170801", "20240630"}};

int DayOf(const char* pszDb) {
    const CString db(pszDb);
    return CDays::Day(static_cast<int>(LeadingInt(db.substr(0, 4))),
                      static_cast<int>(LeadingInt(db.substr(4, 2))),
                      static_cast<int>(LeadingInt(db.substr(6, 2))));
}

struct CTechniker {
    CString strId;
    int nMd;
    int nAb;
    int nBis; // INT_MAX while employed
};

struct CPatient {
    CString strNr;
    CString strName;
    CString strVorname;
    CString strGebDatum;
    int nMd;
    std::size_t nZahnarzt; // index among the owner's dentists
    int nPlaene = 0;
    int nRechnungen = 0; // patient-related invoice numbers issued
    int nBills = 0;
};

struct CPlan {
    std::size_t nPatient;
    CString strNr;
    char cArt;
    int nDatum;
    std::size_t nZahnarzt;
    int nLBlocks = 0;
    int nLetzteRechnung = 0; // day of the plan's last lab invoice
    CString strBillKey;      // empty: no bill for the plan
    CString strLiqNr;        // liquidation number of the bill; empty while it is open
    int nEntryBlock = 0;     // lab block whose entries nEntries counts
    int nEntries = 0;
};

// A lab invoice as planned before it is written.
struct CRechnung {
    std::size_t nPlan;
    int nLBlock;
    int nErsteLst; // first and last service day
    int nLetzteLst;
    int nDatum;      // invoice day
    int nStorno = 0; // day of a cancellation planned ahead, 0 = left to chance
};

// Running invoice number of an invoice: empty for 2019.
struct CLfdNr {
    CString strPrefix;
    CString strJahr;
    CString strNr;
};

// The invoice totals as the invoice keeps them: technical services (with the other
// costs), practice material, metal, technical material; VAT per flag and rate.
struct CSummen {
    std::array<std::int64_t, 4> slot{};
    struct CGruppe {
        bool bFlag2;
        int nRate;
        std::int64_t nNetto;
    };
    std::vector<CGruppe> gruppen;

    void Add(char cArt, char cSubArt, bool bFlag2, int nRate, std::int64_t nCent) {
        int nSlot = 0;
        if (cArt == '7')
            nSlot = (cSubArt >= '1' && cSubArt <= '9') ? 1 : 3;
        else if (cArt == '8')
            nSlot = 2;
        slot[static_cast<std::size_t>(nSlot)] += nCent;
        for (CGruppe& g : gruppen)
            if (g.bFlag2 == bFlag2 && g.nRate == nRate) return void(g.nNetto += nCent);
        gruppen.push_back({bFlag2, nRate, nCent});
    }
    // VAT rounded per group, as the lab computes it.
    std::int64_t MwSt() const {
        std::int64_t n = 0;
        for (const CGruppe& g : gruppen)
            n += (g.nNetto * g.nRate + 50) / 100;
        return n;
    }
};

class CPraxis {
public:
    explicit CPraxis(CContext& ctx);
    void SchreibeStammdaten();
    void Plane(long nRechnungen);
    void SchreibePatienten();
    void SchreibeRechnungen();
    void Flush(); // the rows still waiting in the inserts

private:
    std::size_t NeuerPatient();
    std::size_t NeuerPlan(std::size_t nPatient);
    void PlaneRechnungen(std::size_t nPlan, long nMax);
    void PlaneStornos(const std::vector<std::size_t>& order);
    void SchreibeVersicherung(const CPatient& pat);
    void SchreibeBill(CPlan& plan);
    void SchreibeRechnung(const CRechnung& r, const CString& strKey, const CLfdNr& lfd);
    void SchreibeHit(CPlan& plan, const CString& strKey, const CString& strTechniker, int nTag,
                     int nKlasse, bool bFlag2, CSummen& sum);
    void SchreibeZahnarztBeh(const CPlan& plan, int nTag);
    const CString& Techniker(int nMd, int nVon, int nBis) const;
    const CString& Zahnarzt(int nMd, std::size_t n) const {
        return m_vecZahnarzt[static_cast<std::size_t>(nMd)][n];
    }
    CString NeueLiqNr(int nTag) {
        const int nJahr = m_ctx.days.Year(nTag);
        return Format("%d/%05d", nJahr, ++m_mapLiqNr[nJahr]);
    }

    CContext& m_ctx;
    CRandom& m_rnd;
    std::vector<CTechniker> m_vecTechniker;
    std::array<std::vector<CString>, kMandanten> m_vecZahnarzt;
    std::vector<CPatient> m_vecPatient;
    std::vector<CPlan> m_vecPlan;
    std::vector<CRechnung> m_vecRechnung;
    std::vector<int> m_vecLeistungGewicht;
    std::int64_t m_nBehId = 0;
    std::map<int, int> m_mapLiqNr; // liquidation numbers issued per year

    CInsert m_insPat, m_insVDesc, m_insPlan, m_insBill, m_insBeh, m_insEntry, m_insFakt;
};

CPraxis::CPraxis(CContext& ctx)
    : m_ctx(ctx), m_rnd(ctx.rnd),
      m_insPat(ctx.db, "pat", {"pat_nr", "name", "vorname", "geb_datum", "md_id", "za_leb_id"}),
      m_insVDesc(ctx.db, "vdesc", {"pat_nr", "gueltig_ab", "kassen_nr", "vers_art"}),
      m_insPlan(ctx.db, "plan", {"pat_nr", "plan_nr", "plan_art", "datum", "md_id", "za_leb_id"}),
      m_insBill(ctx.db, "bill", {"pat_nr", "bill_key", "status", "abgerechnet", "liq_nr", "datum"}),
      m_insBeh(
          ctx.db, "beh",
          {"beh_id",   "md_id",       "pat_nr",      "plan_nr",  "datum",     "art",
           "sub_art",  "text",        "betrag_cent", "waehrung", "mwst_satz", "fakt_key",
           "flag1",    "flag2",       "liq_nr1",     "liq_nr2",  "lblock_nr", "lblock_entry_nr",
           "bill_key", "techniker_id"}),
      m_insEntry(ctx.db, "lblock_entry",
                 {"pat_nr", "plan_nr", "lblock_nr", "entry_nr", "anteil", "betrag"}),
      m_insFakt(ctx.db, "fakt",
                {"fakt_key",  "md_id",       "pat_nr",       "plan_nr",       "lblock_nr",
                 "art",       "datum",       "druck_datum",  "prefix",        "jahr",
                 "lfd_nr",    "pat_rech_nr", "storno_datum", "bezahlt_datum", "techniker_id",
                 "mwst_satz", "waehrung",    "a1_cent",      "a2_cent",       "a3_cent",
                 "a4_cent",   "a5_cent",     "b1_cent",      "b2_cent",       "b3_cent",
                 "b4_cent",   "b5_cent"}) {
    for (const CLeistung& l : Leistungen())
        m_vecLeistungGewicht.push_back(l.nGewicht);
}

void CPraxis::Flush() {
    for (CInsert* pIns :
         {&m_insPat, &m_insVDesc, &m_insPlan, &m_insBill, &m_insBeh, &m_insEntry, &m_insFakt})
        pIns->Flush();
}

// --- master data -------------------------------------------------------------------

void CPraxis::SchreibeStammdaten() {
    CInsert md(m_ctx.db, "mandant", {"md_id", "name"});
    for (int i = 0; i < kMandanten; ++i)
        md.Text(itoc(i + 1)).Text(Praxisnamen()[i]).Run();
    md.Flush();

    CInsert leb(m_ctx.db, "leb",
                {"leb_id", "art", "name", "vorname", "md_id", "gueltig_ab", "gueltig_bis"});
    auto vorname = [&] {
        return m_rnd.Chance(500) ? m_rnd.Pick(VornamenWeiblich()) : m_rnd.Pick(VornamenMaennlich());
    };
    for (int nMd = 0; nMd < kMandanten; ++nMd) {
        for (std::size_t t = 0; t < std::size(kTechnikerZeiten); ++t) {
            const CZeitraum& z = kTechnikerZeiten[t];
            const CString strId = Format("T%d%02zu", nMd + 1, t + 1);
            m_vecTechniker.push_back(
                {strId, nMd, DayOf(z.pszAb), *z.pszBis ? DayOf(z.pszBis) : INT_MAX});
            leb.Text(strId).Text("T").Text(m_rnd.Pick(Nachnamen())).Text(vorname());
            leb.Text(itoc(nMd + 1)).Text(z.pszAb).Text(z.pszBis).Run();
        }
        for (int z = 0; z < kZahnaerzteJeMandant; ++z) {
            const CString strId = Format("Z%d%02d", nMd + 1, z + 1);
            m_vecZahnarzt[static_cast<std::size_t>(nMd)].push_back(strId);
            leb.Text(strId).Text("Z").Text(m_rnd.Pick(Nachnamen())).Text(vorname());
            leb.Text(itoc(nMd + 1)).Text(Format("20%02d0101", 5 * z + 3)).Text("").Run();
        }
    }

    CInsert kas(m_ctx.db, "vxkas", {"kassen_nr", "gueltig_ab", "name"});
    for (const CKasse& k : Kassen())
        kas.Text(k.pszNr).Text(k.pszAb).Text(k.pszName).Run();
    leb.Flush();
    kas.Flush();
}

// A technician of the owner employed from the first to the last service day.
const CString& CPraxis::Techniker(int nMd, int nVon, int nBis) const {
    std::array<const CTechniker*, std::size(kTechnikerZeiten)> gueltig{};
    std::size_t n = 0;
    for (const CTechniker& t : m_vecTechniker)
        if (t.nMd == nMd && t.nAb <= nVon && nBis <= t.nBis) gueltig[n++] = &t;
    // The first technician of every owner is employed throughout; the draw is
    // unconditional so that the sequence of random numbers does not depend on it.
    const int k = m_rnd.Between(0, static_cast<int>(n) - 1);
    return n ? gueltig[static_cast<std::size_t>(k)]->strId : m_vecTechniker.front().strId;
}

// --- planning: patients, plans and the days of their lab invoices -------------------

std::size_t CPraxis::NeuerPatient() {
    CPatient pat;
    pat.strNr = itoc(1001 + static_cast<long long>(m_vecPatient.size()));
    pat.nMd = m_rnd.Weighted({45, 35, 20});
    pat.nZahnarzt = static_cast<std::size_t>(m_rnd.Between(0, kZahnaerzteJeMandant - 1));
    pat.strName = m_rnd.Pick(Nachnamen());
    if (m_rnd.Chance(30)) pat.strName += CString("-") + m_rnd.Pick(Nachnamen());
    pat.strVorname =
        m_rnd.Chance(520) ? m_rnd.Pick(VornamenWeiblich()) : m_rnd.Pick(VornamenMaennlich());
    pat.strGebDatum = Format("%04d%02d%02d", m_rnd.Between(1935, 2016), m_rnd.Between(1, 12),
                             m_rnd.Between(1, 28));
    m_vecPatient.push_back(std::move(pat));
    return m_vecPatient.size() - 1;
}

std::size_t CPraxis::NeuerPlan(std::size_t nPatient) {
    CPatient& pat = m_vecPatient[nPatient];
    CPlan plan;
    plan.nPatient = nPatient;
    plan.strNr = itoc(++pat.nPlaene);
    plan.cArt = kPlanArten[m_rnd.Weighted(kPlanArtGewichte)];
    plan.nDatum = m_rnd.Between(kFirstDay - 30, kLastDay - 45);
    plan.nZahnarzt = m_rnd.Chance(800)
                         ? pat.nZahnarzt
                         : static_cast<std::size_t>(m_rnd.Between(0, kZahnaerzteJeMandant - 1));
    m_vecPlan.push_back(std::move(plan));
    return m_vecPlan.size() - 1;
}

// One to three lab invoices, weeks to months apart; each a new lab block, now and then
// a second invoice on the block before.
void CPraxis::PlaneRechnungen(std::size_t nPlan, long nMax) {
    CPlan& plan = m_vecPlan[nPlan];
    const long nAnzahl = std::min<long>(nMax, 1 + m_rnd.Weighted({55, 30, 15}));
    int nLetzte = 0;
    for (long j = 0; j < nAnzahl; ++j) {
        nLetzte =
            j == 0 ? std::max(plan.nDatum + m_rnd.Between(7, 60), kFirstDay + m_rnd.Between(0, 10))
                   : nLetzte + m_rnd.Between(14, 120);
        if (nLetzte > kLastDay - 12) {
            if (j > 0) break;
            nLetzte = kLastDay - 12;
        }
        CRechnung r;
        r.nPlan = nPlan;
        r.nLetzteLst = nLetzte;
        r.nErsteLst = std::max({plan.nDatum, kFirstDay, nLetzte - m_rnd.Between(0, 28)});
        r.nLBlock = (j > 0 && m_rnd.Chance(100)) ? plan.nLBlocks : ++plan.nLBlocks;
        r.nDatum = nLetzte + m_rnd.Between(2, 10);
        plan.nLetzteRechnung = r.nDatum;
        m_vecRechnung.push_back(r);
    }
}

void CPraxis::Plane(long nRechnungen) {
    const auto nZiel = static_cast<std::size_t>(nRechnungen);
    while (m_vecRechnung.size() < nZiel) {
        const std::size_t nPatient = NeuerPatient();
        const int nPlaene = 1 + m_rnd.Weighted({50, 35, 15});
        for (int k = 0; k < nPlaene && m_vecRechnung.size() < nZiel; ++k)
            PlaneRechnungen(NeuerPlan(nPatient), static_cast<long>(nZiel - m_vecRechnung.size()));
    }
}

// --- patients, insurance, plans, bills ---------------------------------------------

void CPraxis::SchreibeVersicherung(const CPatient& pat) {
    auto kasse = [&] {
        const auto kassen = Kassen();
        const bool bPrivat = m_rnd.Chance(120);
        for (;;) {
            const CKasse& k = m_rnd.Pick(kassen);
            if (k.bPrivat == bPrivat) return k;
        }
    };
    const CKasse& k1 = kasse();
    const CString strAb = std::max(pat.strGebDatum, CString("20100101"));
    m_insVDesc.Text(pat.strNr).Text(strAb).Text(k1.pszNr).Text(k1.bPrivat ? "P" : "G").Run();
    if (m_rnd.Chance(100)) { // changed the fund during the demo years
        const CKasse& k2 = kasse();
        m_insVDesc.Text(pat.strNr).Text(m_ctx.days.Text(m_rnd.Between(kFirstDay, kLastDay)));
        m_insVDesc.Text(k2.pszNr).Text(k2.bPrivat ? "P" : "G").Run();
    }
}

// Most plans are billed some weeks after their last lab invoice; older bills are
// mostly settled, recent ones still open.
void CPraxis::SchreibeBill(CPlan& plan) {
    CPatient& pat = m_vecPatient[plan.nPatient];
    const int nTag = std::min(plan.nLetzteRechnung + m_rnd.Between(3, 45), kLastDay);
    const bool bAlt = nTag <= kLastDay - 90;
    const char cStatus = "bpo"[bAlt ? m_rnd.Weighted({75, 20, 5}) : m_rnd.Weighted({15, 35, 50})];
    const bool bAbgerechnet = cStatus == 'b' || (cStatus == 'p' && m_rnd.Chance(300));
    plan.strBillKey = itoc(++pat.nBills);
    plan.strLiqNr = cStatus == 'o' ? CString() : NeueLiqNr(nTag);
    m_insBill.Text(pat.strNr).Text(plan.strBillKey).Text(CString(1, cStatus));
    m_insBill.Int(bAbgerechnet ? 1 : 0).Text(plan.strLiqNr).Text(m_ctx.days.Text(nTag)).Run();
}

void CPraxis::SchreibePatienten() {
    for (const CPatient& pat : m_vecPatient) {
        m_insPat.Text(pat.strNr).Text(pat.strName).Text(pat.strVorname).Text(pat.strGebDatum);
        m_insPat.Text(itoc(pat.nMd + 1)).Text(Zahnarzt(pat.nMd, pat.nZahnarzt)).Run();
        SchreibeVersicherung(pat);
    }
    for (CPlan& plan : m_vecPlan) {
        const CPatient& pat = m_vecPatient[plan.nPatient];
        m_insPlan.Text(pat.strNr).Text(plan.strNr).Text(CString(1, plan.cArt));
        m_insPlan.Text(m_ctx.days.Text(plan.nDatum)).Text(itoc(pat.nMd + 1));
        m_insPlan.Text(Zahnarzt(pat.nMd, plan.nZahnarzt)).Run();
        if (m_rnd.Chance(800)) SchreibeBill(plan);
    }
}

// --- lab invoices with their treatment hits -----------------------------------------

// Every month gets one invoice cancelled within it and one cancelled in the month
// after, so that any month or year shows all three cancellation types: invoice
// before and cancellation inside, both inside, invoice inside and cancellation after.
// order holds the invoices by date.
void CPraxis::PlaneStornos(const std::vector<std::size_t>& order) {
    for (std::size_t i = 0; i < order.size();) {
        const int nMonatsEnde = m_ctx.days.MonthEnd(m_vecRechnung[order[i]].nDatum);
        std::size_t j = i;
        while (j < order.size() && m_vecRechnung[order[j]].nDatum <= nMonatsEnde)
            ++j;
        std::vector<std::size_t> frueh; // invoices before the month's last day
        for (std::size_t k = i; k < j; ++k)
            if (m_vecRechnung[order[k]].nDatum < nMonatsEnde) frueh.push_back(k);
        if (j - i >= 2 && !frueh.empty()) {
            const std::size_t a = frueh[static_cast<std::size_t>(
                m_rnd.Between(0, static_cast<int>(frueh.size()) - 1))];
            std::size_t b =
                i + static_cast<std::size_t>(m_rnd.Between(0, static_cast<int>(j - i) - 2));
            b += b >= a ? 1 : 0;
            CRechnung& imMonat = m_vecRechnung[order[a]];
            imMonat.nStorno = m_rnd.Between(imMonat.nDatum + 1, nMonatsEnde);
            const int nFolgeEnde = m_ctx.days.MonthEnd(nMonatsEnde + 1);
            if (nFolgeEnde <= kLastDay)
                m_vecRechnung[order[b]].nStorno = m_rnd.Between(nMonatsEnde + 1, nFolgeEnde);
        }
        i = j;
    }
}

void CPraxis::SchreibeRechnungen() {
    // Invoice keys and running numbers follow the invoice dates.
    std::vector<std::size_t> order(m_vecRechnung.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return m_vecRechnung[a].nDatum < m_vecRechnung[b].nDatum;
    });
    PlaneStornos(order);
    std::array<std::array<int, 16>, kMandanten> lfd{}; // per owner and year from 2019
    for (std::size_t k = 0; k < order.size(); ++k) {
        const CRechnung& r = m_vecRechnung[order[k]];
        const int nMd = m_vecPatient[m_vecPlan[r.nPlan].nPatient].nMd;
        const int nJahr = m_ctx.days.Year(r.nDatum);
        CLfdNr nr;
        nr.strJahr = itoc(nJahr);
        if (nJahr > 2019) { // prefix "L 1", "L 2", ... per owner
            int& nLfd = lfd[static_cast<std::size_t>(nMd)][static_cast<std::size_t>(nJahr - 2019)];
            nr.strPrefix = Format("L %d", nMd + 1);
            nr.strNr = itoc(++nLfd);
        }
        SchreibeRechnung(r, Format("%08zu", k + 1), nr);
        m_ctx.progress.Step();
    }
}

void CPraxis::SchreibeRechnung(const CRechnung& r, const CString& strKey, const CLfdNr& lfd) {
    CPlan& plan = m_vecPlan[r.nPlan];
    CPatient& pat = m_vecPatient[plan.nPatient];
    const CDays& days = m_ctx.days;
    const CString strTechniker = Techniker(pat.nMd, r.nErsteLst, r.nLetzteLst);
    if (plan.nEntryBlock != r.nLBlock) plan.nEntryBlock = r.nLBlock, plan.nEntries = 0;

    const int nKlasse = m_rnd.Weighted({35, 55, 10}); // free of VAT, reduced, general rate
    const bool bFlag2 = m_rnd.Chance(150);
    if (m_rnd.Chance(250)) SchreibeZahnarztBeh(plan, r.nErsteLst);

    // Service days in ascending order, the last one on the last service day.
    std::array<int, 8> tage{};
    const std::size_t nHits =
        1 + static_cast<std::size_t>(m_rnd.Weighted({10, 14, 18, 18, 15, 11, 8, 6}));
    for (std::size_t h = 0; h + 1 < nHits; ++h)
        tage[h] = m_rnd.Between(r.nErsteLst, r.nLetzteLst);
    tage[nHits - 1] = r.nLetzteLst;
    std::sort(tage.begin(), tage.begin() + static_cast<std::ptrdiff_t>(nHits));

    CSummen sum;
    for (std::size_t h = 0; h < nHits; ++h)
        SchreibeHit(plan, strKey, strTechniker, tage[h], nKlasse, bFlag2, sum);

    CString strStorno, strBezahlt;
    if (r.nStorno) {
        strStorno = days.Text(r.nStorno);
    } else if (m_rnd.Chance(50)) {
        const int nTag =
            r.nDatum + (m_rnd.Chance(500) ? m_rnd.Between(1, 25) : m_rnd.Between(26, 240));
        if (nTag <= kLastDay) strStorno = days.Text(nTag);
    }
    if (strStorno.empty() && m_rnd.Chance(750)) {
        const int nTag = r.nDatum + m_rnd.Between(7, 90);
        if (nTag <= kLastDay) strBezahlt = days.Text(nTag);
    }
    // A few recent invoices are not printed yet.
    const bool bUngedruckt =
        m_rnd.Chance(300) && r.nDatum > kLastDay - 45 && strStorno.empty() && strBezahlt.empty();
    const CString strDruck =
        bUngedruckt ? CString() : days.Text(std::min(r.nDatum + m_rnd.Between(0, 2), kLastDay));
    const int nMwStSatz = nKlasse == 0   ? 0
                          : nKlasse == 1 ? days.ReducedRate(r.nLetzteLst)
                                         : days.GeneralRate(r.nLetzteLst);

    // Orthodontic plans and a few others split the invoice into two shares.
    const int nAnteilA =
        (plan.cArt == 'k' || m_rnd.Chance(60)) ? m_rnd.Pick({50, 60, 70, 80}) : 100;
    std::array<std::int64_t, 5> gesamt = {sum.slot[0], sum.slot[1], sum.slot[2], sum.slot[3],
                                          sum.MwSt()};
    std::array<std::int64_t, 5> a{}, b{};
    for (std::size_t i = 0; i < gesamt.size(); ++i) {
        a[i] = (gesamt[i] * nAnteilA + 50) / 100;
        b[i] = gesamt[i] - a[i];
    }

    const char* pszArt = m_rnd.Chance(40) ? "M" : "R"; // a few entered by hand

    m_insFakt.Text(strKey).Text(itoc(pat.nMd + 1)).Text(pat.strNr).Text(plan.strNr);
    m_insFakt.Text(itoc(r.nLBlock)).Text(pszArt).Text(days.Text(r.nDatum));
    m_insFakt.Text(strDruck).Text(lfd.strPrefix).Text(lfd.strJahr).Text(lfd.strNr);
    m_insFakt.Text(itoc(++pat.nRechnungen)).Text(strStorno).Text(strBezahlt).Text(strTechniker);
    m_insFakt.Int(nMwStSatz).Text("e");
    for (std::int64_t n : a)
        m_insFakt.Int(n);
    for (std::int64_t n : b)
        m_insFakt.Int(n);
    m_insFakt.Run();
}

void CPraxis::SchreibeHit(CPlan& plan, const CString& strKey, const CString& strTechniker, int nTag,
                          int nKlasse, bool bFlag2, CSummen& sum) {
    const CPatient& pat = m_vecPatient[plan.nPatient];
    const CLeistung& l =
        Leistungen()[static_cast<std::size_t>(m_rnd.Weighted(m_vecLeistungGewicht))];
    const int nSubArten = static_cast<int>(std::strlen(l.pszSubArten));
    const char cSub = nSubArten ? l.pszSubArten[m_rnd.Between(0, nSubArten - 1)] : 0;
    std::int64_t nCent = m_rnd.Between(l.nMinCent, l.nMaxCent);

    // A share of a lab-block entry: the hit holds the entry's amount times the share,
    // whole cents without rounding (entry amounts are multiples of 20 cents, shares
    // multiples of 5 %).
    CString strEntry;
    const CString strLBlock = itoc(plan.nEntryBlock);
    if (m_rnd.Chance(80)) {
        const int nAnteil = m_rnd.Pick({25, 30, 40, 50, 60, 70, 75, 80});
        const std::int64_t nVoll = std::max<std::int64_t>(20, nCent / 20 * 20);
        nCent = nVoll * nAnteil / 100;
        strEntry = itoc(++plan.nEntries);
        m_insEntry.Text(pat.strNr).Text(plan.strNr).Text(strLBlock).Text(strEntry);
        m_insEntry.Text(Format("P%03d", nAnteil)).Text(AmountText(nVoll)).Run();
    }

    const int nHitKlasse = m_rnd.Chance(850) ? nKlasse : m_rnd.Between(0, 2);
    const int nRate = nHitKlasse == 0   ? 0
                      : nHitKlasse == 1 ? m_ctx.days.ReducedRate(nTag)
                                        : m_ctx.days.GeneralRate(nTag);
    const bool bHitFlag2 = bFlag2 && m_rnd.Chance(500);
    const CString strLiq2 =
        (!plan.strLiqNr.empty() && m_rnd.Chance(40)) ? NeueLiqNr(nTag) : CString();

    m_insBeh.Int(++m_nBehId).Text(itoc(pat.nMd + 1)).Text(pat.strNr).Text(plan.strNr);
    m_insBeh.Text(m_ctx.days.Text(nTag))
        .Text(CString(1, l.cArt))
        .Text(cSub ? CString(1, cSub) : "");
    m_insBeh.Text(l.pszText).Int(nCent).Text("e").Int(nRate).Text(strKey);
    m_insBeh.Text(CString(1, plan.cArt))
        .Text(bHitFlag2 ? "1" : "0")
        .Text(plan.strLiqNr)
        .Text(strLiq2);
    m_insBeh.Text(strLBlock).Text(strEntry).Text(plan.strBillKey).Text(strTechniker).Run();
    sum.Add(l.cArt, cSub, bHitFlag2, nRate, nCent);
}

// The dentist's own treatment in the same plan: no amount kind, no lab invoice.
void CPraxis::SchreibeZahnarztBeh(const CPlan& plan, int nTag) {
    const CPatient& pat = m_vecPatient[plan.nPatient];
    const char* pszText = m_rnd.Pick(ZahnaerztlicheTexte());
    const int nCent = m_rnd.Between(2000, 15000);
    m_insBeh.Int(++m_nBehId).Text(itoc(pat.nMd + 1)).Text(pat.strNr).Text(plan.strNr);
    m_insBeh.Text(m_ctx.days.Text(nTag)).Text("").Text("").Text(pszText);
    m_insBeh.Int(nCent).Text("e").Int(0).Text("");
    m_insBeh.Text(CString(1, plan.cArt)).Text("0").Text(plan.strLiqNr).Text("");
    m_insBeh.Text("").Text("").Text(plan.strBillKey).Text("").Run();
}

// The reason a file cannot be created, in German for the usual cases.
CString Systemfehler(int nErrno) {
    switch (nErrno) {
    case ENOENT:
        return "Das Verzeichnis existiert nicht.";
    case EACCES:
    case EPERM:
        return "Keine Berechtigung.";
    case EROFS:
        return "Das Dateisystem ist schreibgesch\xFCtzt.";
    case ENOSPC:
        return "Kein Speicherplatz mehr frei.";
    default:
        return Utf8ToCp1252(std::strerror(nErrno));
    }
}

CString Existiert(const CString& strDatei) {
    return "Die Datei \"" + strDatei +
           "\" existiert bereits. Eine Demo-Datenbank wird nur als neue Datei angelegt.";
}

// "praxis.db" is written as "praxis.db.<process id>.unfertig" in the same folder,
// so that the rename at the end stays on one file system.
constexpr std::string_view kUnfertig = ".unfertig";

std::string TemporaryName(const std::string& strPath, long nPid) {
    return strPath + "." + std::to_string(nPid) + std::string(kUnfertig);
}

void RemoveTemporary(const std::string& strTemp) {
    std::error_code ec;
    fs::remove(strTemp, ec);
    fs::remove(strTemp + "-journal", ec);
}

// The process id in the name of a temporary of strBase; 0 when it is none.
long PidOfTemporary(const std::string& strName, const std::string& strBase) {
    if (!strName.starts_with(strBase + ".") || !strName.ends_with(kUnfertig)) return 0;
    const std::string strPid =
        strName.substr(strBase.size() + 1, strName.size() - strBase.size() - 1 - kUnfertig.size());
    if (strPid.empty() || strPid.size() > 9 ||
        !std::all_of(strPid.begin(), strPid.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    return std::stol(strPid);
}

// Temporaries of runs that were killed: their process is gone. A run still going
// on keeps its own.
void RemoveStaleTemporaries(const std::string& strPath) {
    const fs::path path(strPath);
    const fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
    const std::string strBase = path.filename().string();
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const long nPid = PidOfTemporary(entry.path().filename().string(), strBase);
        if (nPid > 0 && ::kill(static_cast<pid_t>(nPid), 0) != 0 && errno == ESRCH)
            RemoveTemporary(entry.path().string());
    }
}

// Brings the written file to the disk, then gives it its name; a file that
// appeared under that name meanwhile is not replaced.
bool PutInPlace(const std::string& strTemp, const std::string& strPath, const CString& strDatei,
                CString& strError) {
    const int fd = ::open(strTemp.c_str(), O_RDONLY);
    const bool bSynced = fd >= 0 && ::fsync(fd) == 0;
    if (fd >= 0) ::close(fd);
    int rc = bSynced ? ::renameat2(AT_FDCWD, strTemp.c_str(), AT_FDCWD, strPath.c_str(),
                                   RENAME_NOREPLACE)
                     : -1;
    if (rc != 0 && bSynced && (errno == EINVAL || errno == ENOSYS)) {
        // A file system without an exclusive rename: a new hard link fails as well
        // when the name is taken.
        rc = ::link(strTemp.c_str(), strPath.c_str());
        if (rc == 0) ::unlink(strTemp.c_str());
    }
    if (rc == 0) return true;
    strError = errno == EEXIST
                   ? Existiert(strDatei)
                   : "Die Demo-Datenbank \"" + strDatei +
                         "\" konnte nicht an ihren Platz gelegt werden: " + Systemfehler(errno);
    return false;
}

// The schema and the data in one transaction: a failure leaves no half database.
void Fuelle(IDbConnection& db, const DemoOptions& opt, std::function<void(long, long)> progress) {
    const long nKundenRechnungen = std::max(20L, opt.nInvoices / 10L);
    CContext ctx{db, CRandom(opt.nSeed), CDays(),
                 CProgress(std::move(progress), opt.nInvoices + nKundenRechnungen)};
    InTransaction(db, [&] {
        WriteSchema(db);
        CPraxis praxis(ctx);
        praxis.SchreibeStammdaten();
        praxis.Plane(opt.nInvoices);
        praxis.SchreibePatienten();
        praxis.SchreibeRechnungen();
        praxis.Flush();
        WriteCommercialLab(ctx, nKundenRechnungen);
    });
    ctx.progress.Finish();
}

void Schreibe(const std::string& strPath, const DemoOptions& opt,
              std::function<void(long, long)> progress) {
    auto db = OpenSqliteConnection(strPath, false, true);
    // The file is new and removed when anything fails, so the journal may stay in
    // memory and nothing has to reach the disk before the end.
    db->Execute("PRAGMA journal_mode = MEMORY");
    db->Execute("PRAGMA synchronous = OFF");
    db->Execute("PRAGMA cache_size = -65536");
    Fuelle(*db, opt, std::move(progress));
}

// On a server the demo goes into an existing, empty database.
bool SchreibeAufServer(const std::string& strLocation, const DemoOptions& opt, CString& strError,
                       std::function<void(long, long)> progress) {
    const CString strName = Utf8ToCp1252(DescribePgLocation(strLocation));
    try {
        auto db = OpenPgConnection(strLocation, false);
        if (ReadSchemaVersion(*db) != 0) {
            strError = "Die Datenbank " + strName +
                       Utf8ToCp1252(" enthält bereits eine Praxisdatenbank. Eine Demo-Datenbank "
                                    "wird nur in eine leere Datenbank geschrieben.");
            return false;
        }
        Fuelle(*db, opt, std::move(progress));
        // The server plans its queries by statistics it gathers only now and then;
        // a database filled at once would be read with plans for empty tables.
        db->Execute("ANALYZE");
        return true;
    } catch (const std::exception& e) {
        strError = "Die Demo-Datenbank " + strName +
                   " konnte nicht geschrieben werden: " + Utf8ToCp1252(e.what());
        return false;
    }
}

} // namespace
} // namespace demo

bool WriteDemoDatabase(const std::string& strPath, const DemoOptions& opt, CString& strError,
                       std::function<void(long done, long total)> progress) {
    const CString strDatei = Utf8ToCp1252(strPath);
    if (opt.nInvoices < 0) {
        strError = Format("Die Demo-Datenbank \"%s\" wird nicht angelegt: %d Laborrechnungen "
                          "sind keine g\xFCltige Anzahl.",
                          strDatei.c_str(), opt.nInvoices);
        return false;
    }
    if (IsServerLocation(strPath))
        return demo::SchreibeAufServer(strPath, opt, strError, std::move(progress));
    std::error_code ec;
    if (fs::exists(fs::symlink_status(strPath, ec))) {
        strError = demo::Existiert(strDatei);
        return false;
    }
    // The database is written under a name of its own and put in place only when
    // complete: an interrupted run leaves no half database under the real name.
    demo::RemoveStaleTemporaries(strPath);
    const std::string strTemp = demo::TemporaryName(strPath, ::getpid());
    demo::RemoveTemporary(strTemp); // left by a killed run whose process id was the same
    std::FILE* pFile = std::fopen(strTemp.c_str(), "wx");
    if (!pFile) {
        strError = "Die Demo-Datenbank \"" + strDatei +
                   "\" kann nicht angelegt werden: " + demo::Systemfehler(errno);
        return false;
    }
    std::fclose(pFile);

    try {
        demo::Schreibe(strTemp, opt, std::move(progress));
        if (demo::PutInPlace(strTemp, strPath, strDatei, strError)) return true;
    } catch (const std::exception& e) {
        strError = "Die Demo-Datenbank \"" + strDatei +
                   "\" konnte nicht geschrieben werden: " + Utf8ToCp1252(e.what());
    }
    demo::RemoveTemporary(strTemp);
    return false;
}
