#include "app/LuWalk.h"

#include "app/LuErmMwSt.h"
#include "app/LuSelection.h"
#include "app/LuWalkErrors.h"
#include "app/UngueltigeDaten.h"
#include "core/LUDefault.h"
#include "core/LUSum.h"
#include "host/BehHitLine.h"
#include "host/Cp1252.h"
#include "host/HostServices.h"
#include "host/TextUtil.h"
#include "host/db/Database.h"
#include "host/db/ZBeh.h"
#include "host/db/ZFakt.h"
#include "host/db/ZLabHit.h"
#include "host/db/ZMandant.h"
#include "host/db/ZVDesc.h"
#include "host/stat/BehLiqIndex.h"
#include "host/stat/StatAccu.h"

#include <algorithm>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

constexpr long kProgressStep = 256; // invoices between two progress updates

// The progress box stays open for exactly one walk, whichever way it ends.
class CProgress {
public:
    explicit CProgress(const CString& strText) { VxOpenProgressBox(strText); }
    ~CProgress() { VxCloseProgressBox(); }
    CProgress(const CProgress&) = delete;
    CProgress& operator=(const CProgress&) = delete;
};

std::vector<CString> ReadMandanten() {
    std::vector<CString> vec;
    CZMandant md;
    for (int rc = md.GetByK1(CTKRSet::kFromKey); rc == 0; rc = md.Next())
        vec.push_back(md.m_strMdId);
    return vec;
}

bool CheckRequest(const LuWalkRequest& req, const std::vector<CString>& vecMandanten,
                  CString& strError) {
    if (!CheckLuPeriod(req.strAb, req.strBis, strError)) return false;
    if (!req.strMandant.empty() &&
        std::find(vecMandanten.begin(), vecMandanten.end(), req.strMandant) == vecMandanten.end()) {
        strError =
            "Der Mandant \"" + req.strMandant + "\" ist in der Praxisdatenbank nicht vorhanden.";
        return false;
    }
    return true;
}

// The fields of an invoice a finished row takes (MoveFakt, dates, cancellation).
void CopyInvoice(const CZFakt& from, CZFakt& to) {
    to.m_strFaktKey = from.m_strFaktKey;
    to.m_strMdId = from.m_strMdId;
    to.m_strPatNr = from.m_strPatNr;
    to.m_strDatum = from.m_strDatum;
    to.m_strDruckDatum = from.m_strDruckDatum;
    to.m_strBezahltDatum = from.m_strBezahltDatum;
    to.m_strStornoDatum = from.m_strStornoDatum;
    to.m_strPrefix = from.m_strPrefix;
    to.m_strJahr = from.m_strJahr;
    to.m_strLfdNr = from.m_strLfdNr;
    to.m_strPatRechNr = from.m_strPatRechNr;
}

// An invoice without treatment records as one row of its totals.
void MoveTotals(CLULabRech& row, const CZFakt& fakt, const CString& strPlanArt,
                const CString& strPatName) {
    CBehHitLine hit;
    hit.m_nMwStSatz = fakt.m_nMwStSatz; // chooses the rate block
    row.Clear();
    row.m_strMandant = fakt.m_strMdId;
    row.m_strPatNr = fakt.m_strPatNr;
    row.m_strPlanNr = fakt.m_strPlanNr;
    row.m_strLBlockNr = fakt.m_strLBlockNr;
    row.m_strLabRechNr = fakt.m_strFaktKey;
    row.m_strTechniker = fakt.m_strTechnikerId;
    row.m_strLstDatum = fakt.m_strDatum;
    row.m_cPlanArt = static_cast<signed char>(strPlanArt.empty() ? 0 : strPlanArt[0]);
    row.m_strPatName = strPatName;
    row.MoveLabLstBetrag(hit, fakt.GetLabBetrag());
}

// A hit of the current invoice part as the query delivered it.
struct CTreffer {
    int nBehId;
    bool bEntryFehlt; // names a lab-block entry that is missing
    CString strBillKey;
    CBehHitLine hit;
};

class CLuWalk {
public:
    CLuWalk(const LuWalkRequest& req, const CLUDefault& settings, CStatAccu& accu, CLUSum& sum)
        : m_req(req), m_settings(LuModeSettings(req.eMode, settings)), m_accu(accu), m_sum(sum),
          m_rec(req.eMode == LuMode::Services ? CZLabHit::Quelle::Leistungen
                                              : CZLabHit::Quelle::Rechnungen),
          m_errors(accu) {}

    bool Walk(CString& strError);
    std::size_t GeaenderteTexte() const { return m_verluste.GetAnzahl(); }

private:
    int StartQuery();
    void SucheUngueltigeDaten();
    void SucheUngueltigeRechnungsdaten();
    void SucheUngueltigeLeistungsdaten();
    bool HatUngueltigesDatum() const;
    void Take();
    std::optional<STORNOTYP> Typ();
    CString VersArt(const CZFakt& fakt);
    CString RechDatum(const CZFakt& fakt) const;
    void StartPart(STORNOTYP nTyp);
    void MergeHits();
    void FinishPart();
    void FinishRow(CLULabRech& row);
    void SucheLiqNr(CLULabRech& row);
    const CString& PatName();

    CCp1252Verluste m_verluste; // texts the walk reads that lose characters
    const LuWalkRequest& m_req;
    const CLUDefault m_settings; // as they apply in the mode
    CStatAccu& m_accu;
    CLUSum& m_sum;
    CZLabHit m_rec;
    CLuWalkErrors m_errors;
    CZBeh m_behLiq;        // for the liquidation-number search of a plan
    CBehLiqIndex m_liqIdx; // the records it looks at, read once
    CZVDesc m_vdesc;       // insurance of paid invoices

    // The part of an invoice being merged: its hits of one cancellation type.
    // Hits never join a row of another invoice, so an accumulator of its own gives
    // the same rows as the evaluation's, and keeps the types of an invoice apart.
    CLUSum m_part;
    CZFakt m_partFakt;
    bool m_bPart = false;
    STORNOTYP m_nPartTyp = kStornoDanach;
    std::vector<CTreffer> m_vecTreffer; // the part's hits, merged when it is complete
    CString m_strBillKey;               // bill named by the part's hits

    CString m_strGeprueft; // invoice whose type m_nFaktTyp holds
    std::optional<STORNOTYP> m_nFaktTyp;
    CString m_strNamePatNr, m_strName;
    CString m_strPlanArten;                     // plan kinds of the rows
    std::unordered_set<CString> m_setOhneLiqNr; // patient and plan searched in vain
    // Records left out for a date that is no calendar day: invoices, and services.
    std::unordered_set<CString> m_setFaktOhneDatum;
    std::unordered_set<int> m_setBehOhneDatum;
    long m_nRechnungen = 0; // invoices taken, for the progress
};

bool CLuWalk::Walk(CString& strError) {
    CProgress progress("Laborumsatzliste: " + LuModeTitel(m_req.eMode) + " werden gelesen ...");
    SucheUngueltigeDaten();
    m_rec.SetNamenVorabAb(m_req.nVorabAb);
    int rc = StartQuery();
    const long nTotal = m_rec.GetCount();
    if (nTotal >= m_req.nVorabAb) {
        m_liqIdx.Load(dbDatabaseRO.Conn(), CLUSum::LiqPlanArten());
        m_accu.LoadAllBills(dbDatabaseRO.Conn());
    }
    // As a rule one row per invoice.
    m_sum.m_vecLabRech.reserve(static_cast<std::size_t>(std::max(nTotal, 0L)));
    long nGemeldet = 0;
    for (; rc == CZLabHit::kOk; rc = m_rec.Next()) {
        Take();
        if (m_nRechnungen - nGemeldet >= kProgressStep) {
            nGemeldet = m_nRechnungen;
            if (!VxUpdateProgressBox2(nGemeldet, nTotal)) {
                strError = "Die Auswertung wurde abgebrochen.";
                return false;
            }
        }
    }
    if (rc == CZLabHit::kError) {
        strError = "Die Praxisdatenbank kann nicht gelesen werden: " + m_rec.GetLastError();
        return false;
    }
    FinishPart();
    m_errors.GeaenderteTexte(m_verluste.GetAnzahl(), m_verluste.GetBeispiel());
    VxUpdateProgressBox2(nTotal, nTotal);
    m_accu.SetPlanArten(m_strPlanArten);
    m_accu.SetGesamtAnzahl(static_cast<long>(m_sum.m_vecLabRech.size()));
    return true;
}

int CLuWalk::StartQuery() {
    const CString& ab = m_req.strAb;
    const CString& bis = m_req.strBis;
    const CString& md = m_req.strMandant;
    using D = CZLabHit::Datum;
    switch (m_req.eMode) {
    case LuMode::Services:
        return m_rec.GetLeistungen(ab, bis, md);
    case LuMode::Invoices: {
        const D eDatum = m_settings.GetLabRechDatumIdx() == 1 ? D::Druck : D::Rechnung;
        return m_rec.GetRechnungen(eDatum, "R", "R", false, ab, bis, md);
    }
    case LuMode::Paid:
        return m_rec.GetRechnungen(D::Bezahlt, "R", "M", false, ab, bis, md);
    case LuMode::Manual:
        return m_rec.GetRechnungen(D::Rechnung, "M", "M", false, ab, bis, md);
    case LuMode::Cancelled:
        break;
    }
    return m_rec.GetRechnungen(D::Rechnung, "R", "M", true, ab, bis, md);
}

// The invoice date of the mode, as the query compares it with the period; the
// services mode compares the service date instead.
std::string DatumSpalte(LuMode eMode, const CLUDefault& settings) {
    if (eMode == LuMode::Services) return "''";
    if (eMode == LuMode::Paid) return "f.bezahlt_datum";
    if (eMode == LuMode::Invoices && settings.GetLabRechDatumIdx() == 1) return "f.druck_datum";
    return "f.datum";
}

CString DatumName(LuMode eMode, const CLUDefault& settings) {
    if (eMode == LuMode::Paid) return "Zahlungsdatum";
    if (eMode == LuMode::Invoices && settings.GetLabRechDatumIdx() == 1) return "Druckdatum";
    return "Rechnungsdatum";
}

// The kinds of invoice ('R' regular, 'M' manual) the mode selects.
std::pair<const char*, const char*> Arten(LuMode eMode) {
    if (eMode == LuMode::Invoices) return {"R", "R"};
    if (eMode == LuMode::Manual) return {"M", "M"};
    return {"R", "M"};
}

CString Text(IDbStatement& stmt, int nColumn) {
    return Utf8ToCp1252(stmt.ColumnText(nColumn));
}

void CLuWalk::SucheUngueltigeDaten() {
    SucheUngueltigeRechnungsdaten();
    if (m_req.eMode == LuMode::Services) SucheUngueltigeLeistungsdaten();
}

// Every invoice of the owner and kinds whose mode date or cancellation date is no
// calendar day, whatever its period: its text says nothing about that. (Services
// are placed by their own date, their invoices by the cancellation date only.)
void CLuWalk::SucheUngueltigeRechnungsdaten() {
    const std::string d = DatumSpalte(m_req.eMode, m_settings);
    auto stmt = dbDatabaseRO.Conn().Prepare(
        "SELECT f.fakt_key, f.md_id, f.pat_nr, " + d +
        ", f.storno_datum FROM fakt f WHERE (? = '' OR f.md_id = ?) AND f.art IN (?, ?) AND (" +
        SqlVielleichtKeinTag(d) + " OR " + SqlVielleichtKeinTag("f.storno_datum") +
        ") ORDER BY f.fakt_key");
    const auto [pszArt1, pszArt2] = Arten(m_req.eMode);
    int n = 1;
    for (const CString& p :
         {m_req.strMandant, m_req.strMandant, CString(pszArt1), CString(pszArt2)})
        stmt->BindText(n++, Cp1252ToUtf8(p));
    while (stmt->Step()) {
        const CString strKey = Text(*stmt, 0), strMd = Text(*stmt, 1), strPat = Text(*stmt, 2);
        const CString strDatum = Text(*stmt, 3), strStorno = Text(*stmt, 4);
        const CString strWer = "Die Laborrechnung " + strKey;
        if (!strDatum.empty() && !IsDbDate(strDatum))
            m_errors.UngueltigesDatum(strMd, strPat, strWer, DatumName(m_req.eMode, m_settings),
                                      strDatum);
        else if (!strStorno.empty() && !IsDbDate(strStorno))
            m_errors.UngueltigesDatum(strMd, strPat, strWer, "Stornodatum", strStorno);
        else
            continue; // February 29 of a leap year
        m_setFaktOhneDatum.insert(strKey);
    }
}

// Every lab service of the owner whose service date is no calendar day.
void CLuWalk::SucheUngueltigeLeistungsdaten() {
    auto stmt = dbDatabaseRO.Conn().Prepare(
        "SELECT b.beh_id, b.md_id, b.pat_nr, b.datum, b.text, b.fakt_key FROM beh b WHERE (? = "
        "'' OR b.md_id = ?) AND b.art <> '' AND " +
        SqlVielleichtKeinTag("b.datum") + " ORDER BY b.beh_id");
    stmt->BindText(1, Cp1252ToUtf8(m_req.strMandant));
    stmt->BindText(2, Cp1252ToUtf8(m_req.strMandant));
    while (stmt->Step()) {
        const CString strDatum = Text(*stmt, 3);
        if (IsDbDate(strDatum)) continue; // February 29 of a leap year
        m_errors.UngueltigesDatum(Text(*stmt, 1), Text(*stmt, 2),
                                  "Die Laborleistung \"" + Text(*stmt, 4) +
                                      "\" der Laborrechnung " + Text(*stmt, 5),
                                  "Leistungsdatum", strDatum);
        m_setBehOhneDatum.insert(static_cast<int>(stmt->ColumnInt(0)));
    }
}

bool CLuWalk::HatUngueltigesDatum() const {
    if (m_setFaktOhneDatum.count(m_rec.m_fakt.m_strFaktKey)) return true;
    return m_rec.m_beh.m_nBehId != 0 && m_setBehOhneDatum.count(m_rec.m_beh.m_nBehId);
}

void CLuWalk::Take() {
    if (HatUngueltigesDatum()) return;       // reported before the walk
    if (m_rec.m_fakt.m_strFaktKey.empty()) { // only the services query has such hits
        m_errors.OhneRechnung(m_rec.m_beh);
        return;
    }
    const std::optional<STORNOTYP> nTyp = Typ();
    if (!nTyp) return;
    if (!m_bPart || m_partFakt.m_strFaktKey != m_rec.m_fakt.m_strFaktKey || *nTyp != m_nPartTyp) {
        FinishPart();
        StartPart(*nTyp);
    }
    if (m_rec.m_beh.m_nBehId != 0) {
        CTreffer& t = m_vecTreffer.emplace_back(
            CTreffer{m_rec.m_beh.m_nBehId, m_rec.m_nEntryFehlt != 0, m_rec.m_beh.m_strBillKey,
                     BehHitFromRecord(m_rec.m_beh, PatName())});
        // The entry came with the record: the accumulator need not look it up.
        t.hit.m_nEntry = t.bEntryFehlt ? -1 : 1;
        t.hit.m_strEntryAnteil = m_rec.m_strEntryAnteil;
        t.hit.m_strEntryBetrag = m_rec.m_strEntryBetrag;
        return;
    }
    m_errors.CheckMwStSatz(m_rec.m_fakt, m_rec.m_fakt.m_nMwStSatz, m_rec.m_fakt.m_strDatum);
    MoveTotals(m_part.m_vecLabRech.emplace_back(), m_rec.m_fakt, m_rec.m_strPlanArt, PatName());
}

// Services: by the service date of each hit. Invoices: once per invoice by the
// mode's date; paid invoices also by the insurance case.
std::optional<STORNOTYP> CLuWalk::Typ() {
    const CZFakt& fakt = m_rec.m_fakt;
    if (m_req.eMode == LuMode::Services)
        return LuStornoTyp(m_rec.m_beh.m_strDatum, fakt.m_strStornoDatum, m_req.strAb,
                           m_req.strBis);
    if (fakt.m_strFaktKey == m_strGeprueft) return m_nFaktTyp;
    m_strGeprueft = fakt.m_strFaktKey;
    m_nFaktTyp = LuStornoTyp(RechDatum(fakt), fakt.m_strStornoDatum, m_req.strAb, m_req.strBis);
    if (m_nFaktTyp && m_req.eMode == LuMode::Paid &&
        !LuBezahltZaehlt(fakt, VersArt(fakt), m_settings))
        m_nFaktTyp.reset();
    return m_nFaktTyp;
}

// The date that places an invoice in the period in the current mode.
CString CLuWalk::RechDatum(const CZFakt& fakt) const {
    if (m_req.eMode == LuMode::Paid) return fakt.m_strBezahltDatum;
    if (m_req.eMode == LuMode::Invoices && m_settings.GetLabRechDatumIdx() == 1)
        return fakt.m_strDruckDatum;
    return fakt.m_strDatum;
}

// The patient's insurance at the invoice date; "" when none is recorded.
CString CLuWalk::VersArt(const CZFakt& fakt) {
    if (m_vdesc.FindMatching(fakt.m_strPatNr, fakt.m_strDatum, 0) != 0) return {};
    return m_vdesc.m_strVersArt;
}

void CLuWalk::StartPart(STORNOTYP nTyp) {
    if (m_partFakt.m_strFaktKey != m_rec.m_fakt.m_strFaktKey) ++m_nRechnungen;
    m_bPart = true;
    m_nPartTyp = nTyp;
    m_part.Init();
    CopyInvoice(m_rec.m_fakt, m_partFakt);
    m_strBillKey.clear();
    m_errors.StartInvoice();
}

// The hits in the order they were recorded: the query groups them by invoice only,
// and the order decides which hit's liquidation number and date a row keeps.
void CLuWalk::MergeHits() {
    const auto byId = [](const CTreffer& a, const CTreffer& b) { return a.nBehId < b.nBehId; };
    if (!std::is_sorted(m_vecTreffer.begin(), m_vecTreffer.end(), byId))
        std::sort(m_vecTreffer.begin(), m_vecTreffer.end(), byId);
    for (const CTreffer& t : m_vecTreffer) {
        m_errors.CheckHit(t.hit, t.bEntryFehlt, m_partFakt);
        if (m_strBillKey.empty()) m_strBillKey = t.strBillKey;
        m_part.MoveLabRech(t.hit, m_settings);
    }
    m_vecTreffer.clear();
}

void CLuWalk::FinishPart() {
    if (!m_bPart) return;
    m_bPart = false;
    MergeHits();
    for (CLULabRech& row : m_part.m_vecLabRech) {
        FinishRow(row);
        m_sum.m_vecLabRech.push_back(std::move(row));
    }
}

void CLuWalk::FinishRow(CLULabRech& row) {
    const CZFakt& fakt = m_partFakt;
    SucheLiqNr(row);
    row.MoveFakt(&fakt);
    if (m_req.eMode == LuMode::Invoices && m_settings.GetLabRechDatumIdx() == 1)
        row.m_strRechDatum = fakt.m_strDruckDatum;
    if (m_req.eMode == LuMode::Paid) {
        // The hit file has one date; an empty invoice date lets the payment date
        // take its place, so that the list shows it after reading the file back.
        row.m_strDatumAlt = fakt.m_strBezahltDatum;
        row.m_strRechDatum.clear();
    }
    row.BerechneMwStSummen();
    LuFillErmMwSt(row);
    // The hit file carries no service date, and the reader joins equal lines into
    // one row: the rows of one invoice split by service date stay apart by it.
    if (m_settings.GetStetsLstDatum()) row.m_strZusatzKey = row.m_strLstDatum;
    row.m_nStornoTyp = m_nPartTyp;
    row.m_strStornoDatum = fakt.m_strStornoDatum;
    if (!m_settings.GetStetsLabRgNr()) m_errors.CheckLiqNr(row, fakt, m_strBillKey);
    const char c = static_cast<char>(row.m_cPlanArt);
    if (c != 0 && m_strPlanArten.find(c) == CString::npos) m_strPlanArten += c;
}

// The search for the liquidation number is asked to keep a number the row already
// has, so it could not change such a row, and it runs only for rows without one.
// Its result depends on patient, plan and the database alone, which the walk reads
// in one transaction: a plan searched in vain is not searched again.
void CLuWalk::SucheLiqNr(CLULabRech& row) {
    if (!row.m_strLiqNr.empty()) return;
    const CString strKey = itoc(static_cast<long long>(row.m_strPatNr.size())) + ":" +
                           row.m_strPatNr + row.m_strPlanNr;
    if (m_setOhneLiqNr.count(strKey)) return;
    if (const std::vector<CLiqSatz>* pSaetze = m_liqIdx.Find(row.m_strPatNr, row.m_strPlanNr))
        m_sum.TestLabRech1(m_accu, *pSaetze, row, true);
    else
        m_sum.TestLabRech1(&m_accu, &m_behLiq, row, true);
    if (row.m_strLiqNr.empty()) m_setOhneLiqNr.insert(strKey);
}

// "Name, Vorname" of the record's patient, built once per patient in a row.
const CString& CLuWalk::PatName() {
    const CString& strPatNr =
        m_rec.m_beh.m_nBehId != 0 ? m_rec.m_beh.m_strPatNr : m_rec.m_fakt.m_strPatNr;
    if (strPatNr != m_strNamePatNr || m_strNamePatNr.empty()) {
        m_strNamePatNr = strPatNr;
        m_strName = m_rec.m_strPatName;
        if (!m_rec.m_strPatVorname.empty()) m_strName += ", " + m_rec.m_strPatVorname;
    }
    return m_strName;
}

} // namespace

bool CheckLuPeriod(const CString& strAb, const CString& strBis, CString& strError) {
    if (!IsDbDate(strAb) || !IsDbDate(strBis)) {
        strError =
            Utf8ToCp1252("Der Zeitraum ist ungültig: Beginn und Ende müssen Kalendertage sein.");
        return false;
    }
    if (strAb > strBis) {
        strError = Utf8ToCp1252("Der Zeitraum ist ungültig: der Beginn ") + Db2Date(strAb) +
                   " liegt nach dem Ende " + Db2Date(strBis) + ".";
        return false;
    }
    return true;
}

bool RunLuWalk(const LuWalkRequest& req, const CLUDefault& settings, CStatAccu& accu, CLUSum& sum,
               CString& strError, std::size_t* pnGeaenderteTexte) {
    if (pnGeaenderteTexte) *pnGeaenderteTexte = 0;
    sum.Init();
    accu.m_vecErrors.clear();
    try {
        IDbConnection& db = dbDatabaseRO.Conn();
        accu.m_vecMandanten = ReadMandanten();
        if (!CheckRequest(req, accu.m_vecMandanten, strError)) return false;
        accu.SetPeriod(req.strAb, req.strBis);
        accu.SetMandant(req.strMandant);
        accu.SetLstErfasst(true);
        accu.SetLstAbgerechnet(true);
        // One read transaction: every lookup of the walk sees the state its query saw.
        bool bOk = false;
        InTransaction(db, [&] {
            CLuWalk walk(req, settings, accu, sum);
            bOk = walk.Walk(strError);
            if (pnGeaenderteTexte) *pnGeaenderteTexte = walk.GeaenderteTexte();
        });
        if (!bOk) sum.Init(); // no half list
        return bOk;
    } catch (const DbError& e) {
        sum.Init();
        strError = "Die Praxisdatenbank kann nicht gelesen werden: " + Utf8ToCp1252(e.what());
        return false;
    }
}
