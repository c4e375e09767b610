#include "host/db/ZLabHit.h"

#include "host/Cp1252.h"

#include <algorithm>
#include <exception>

namespace {

// Plan kind and lab-block entry are looked up only where they are needed, so that
// the common record costs no extra lookup.
// The lab-block entry a record names comes with it: the accumulator needs its
// share for every such record.
#define VX_JOIN_ENTRY                                                                              \
    " LEFT JOIN lblock_entry e ON e.pat_nr = b.pat_nr AND e.plan_nr = b.plan_nr"                   \
    " AND e.lblock_nr = b.lblock_nr AND e.entry_nr = b.lblock_entry_nr"
constexpr const char* kJoinRechnungen =
    "fakt f LEFT JOIN beh b ON b.fakt_key = f.fakt_key" VX_JOIN_ENTRY;
constexpr const char* kJoinLeistungen =
    "beh b LEFT JOIN fakt f ON f.fakt_key = b.fakt_key" VX_JOIN_ENTRY;
#undef VX_JOIN_ENTRY

constexpr const char* kPlanArt = "CASE WHEN b.beh_id IS NULL THEN (SELECT pl.plan_art FROM plan pl"
                                 " WHERE pl.pat_nr = f.pat_nr AND pl.plan_nr = f.plan_nr) END";
constexpr const char* kEntryFehlt =
    "CASE WHEN b.lblock_entry_nr <> '' AND e.entry_nr IS NULL THEN 1 ELSE 0 END";

// The date column of an invoice by CZLabHit::Datum; a fixed column name, no value.
const char* DatumSpalte(CZLabHit::Datum eDatum) {
    switch (eDatum) {
    case CZLabHit::Datum::Druck:
        return "f.druck_datum";
    case CZLabHit::Datum::Bezahlt:
        return "f.bezahlt_datum";
    case CZLabHit::Datum::Rechnung:
        break;
    }
    return "f.datum";
}

// One owner, or every owner when the value is "".
std::string MandantFilter(const char* pszAlias) {
    return std::string("(? = '' OR ") + pszAlias + ".md_id = ?)";
}

} // namespace

CZLabHit::CZLabHit(Quelle eQuelle, CDatabase* pDb)
    : m_beh(pDb), m_fakt(pDb), m_pDb(pDb ? pDb : &dbDatabaseRO), m_eQuelle(eQuelle) {
    CZBeh& b = m_beh;
    CZFakt& f = m_fakt;
    m_vecRecord = {
        {"b.beh_id", &b.m_nBehId},           {"b.md_id", &b.m_strMdId},
        {"b.pat_nr", &b.m_strPatNr},         {"b.plan_nr", &b.m_strPlanNr},
        {"b.datum", &b.m_strDatum},          {"b.art", &b.m_strArt},
        {"b.sub_art", &b.m_strSubArt},       {"b.text", &b.m_strText},
        {"b.betrag_cent", &b.m_nBetragCent}, {"b.waehrung", &b.m_strWaehrung},
        {"b.mwst_satz", &b.m_nMwStSatz},     {"b.fakt_key", &b.m_strFaktKey},
        {"b.flag1", &b.m_strFlag1},          {"b.flag2", &b.m_strFlag2},
        {"b.liq_nr1", &b.m_strLiqNr1},       {"b.liq_nr2", &b.m_strLiqNr2},
        {"b.lblock_nr", &b.m_strLBlockNr},   {"b.lblock_entry_nr", &b.m_strLBlockEntryNr},
        {"b.bill_key", &b.m_strBillKey},     {"b.techniker_id", &b.m_strTechnikerId},
        {kPlanArt, &m_strPlanArt},           {kEntryFehlt, &m_nEntryFehlt},
        {"e.anteil", &m_strEntryAnteil},     {"e.betrag", &m_strEntryBetrag},
    };
    m_vecInvoice = {
        {"f.md_id", &f.m_strMdId},
        {"f.pat_nr", &f.m_strPatNr},
        {"f.plan_nr", &f.m_strPlanNr},
        {"f.lblock_nr", &f.m_strLBlockNr},
        {"f.art", &f.m_strArt},
        {"f.datum", &f.m_strDatum},
        {"f.druck_datum", &f.m_strDruckDatum},
        {"f.prefix", &f.m_strPrefix},
        {"f.jahr", &f.m_strJahr},
        {"f.lfd_nr", &f.m_strLfdNr},
        {"f.pat_rech_nr", &f.m_strPatRechNr},
        {"f.storno_datum", &f.m_strStornoDatum},
        {"f.bezahlt_datum", &f.m_strBezahltDatum},
        {"f.techniker_id", &f.m_strTechnikerId},
        {"f.mwst_satz", &f.m_nMwStSatz},
        {"f.waehrung", &f.m_strWaehrung},
        {"f.a1_cent", &f.m_nA1Cent},
        {"f.a2_cent", &f.m_nA2Cent},
        {"f.a3_cent", &f.m_nA3Cent},
        {"f.a4_cent", &f.m_nA4Cent},
        {"f.a5_cent", &f.m_nA5Cent},
        {"f.b1_cent", &f.m_nB1Cent},
        {"f.b2_cent", &f.m_nB2Cent},
        {"f.b3_cent", &f.m_nB3Cent},
        {"f.b4_cent", &f.m_nB4Cent},
        {"f.b5_cent", &f.m_nB5Cent},
    };
    m_nSpalteFaktPatNr = static_cast<int>(m_vecRecord.size()) + 2; // after f.fakt_key, f.md_id
    m_pDb->AddCache(this);
}

CZLabHit::~CZLabHit() {
    ReleaseStatements();
    m_pDb->RemoveCache(this);
}

void CZLabHit::ReleaseStatements() {
    m_pStmt.reset();
}

int CZLabHit::GetRechnungen(Datum eDatum, const CString& strArt1, const CString& strArt2,
                            bool bNurStorniert, const CString& strAb, const CString& strBis,
                            const CString& strMandant) {
    const std::string d = DatumSpalte(eDatum);
    // Inside the period, or before it (a date is known) and cancelled inside it.
    const std::string strWhere = MandantFilter("f") + " AND f.art IN (?, ?)" +
                                 " AND (? = '0' OR f.storno_datum <> '')" + " AND ((" + d +
                                 " BETWEEN ? AND ?) OR (f.storno_datum BETWEEN ? AND ? AND " + d +
                                 " < ? AND " + d + " <> ''))";
    return Run(strWhere, "f.fakt_key",
               {strMandant, strMandant, strArt1, strArt2, bNurStorniert ? "1" : "0", strAb, strBis,
                strAb, strBis, strAb});
}

int CZLabHit::GetLeistungen(const CString& strAb, const CString& strBis,
                            const CString& strMandant) {
    const std::string strWhere =
        MandantFilter("b") +
        " AND b.art <> '' AND b.datum <= ? AND (b.datum >= ? OR f.storno_datum BETWEEN ? AND ?)";
    return Run(strWhere, "b.fakt_key, b.datum < ?",
               {strMandant, strMandant, strBis, strAb, strAb, strBis, strAb});
}

int CZLabHit::Run(const std::string& strWhere, const std::string& strOrder,
                  std::vector<CString> params) {
    // The invoices query filters on the invoice alone, so its count needs no join.
    const char* pszJoin = m_eQuelle == Quelle::Rechnungen ? kJoinRechnungen : kJoinLeistungen;
    m_strCountSql = m_eQuelle == Quelle::Rechnungen
                        ? "SELECT count(*) FROM fakt f WHERE " + strWhere
                        : "SELECT count(DISTINCT b.fakt_key) FROM " + std::string(pszJoin) +
                              " WHERE " + strWhere;
    const auto nWhereParams = std::count(strWhere.begin(), strWhere.end(), '?');
    m_vecCountParams.assign(params.begin(), params.begin() + nWhereParams);

    m_nCount = kNichtGezaehlt;
    m_strLastError.clear();
    m_mapNamen.clear();
    m_bNamenVorab = m_nNamenVorabAb <= GetCount();

    // The invoice key first: Load compares it to see whether the invoice changed.
    std::string strSql = "SELECT f.fakt_key";
    for (const std::vector<Field>* pFields : {&m_vecRecord, &m_vecInvoice})
        for (const Field& field : *pFields)
            strSql += std::string(", ") + field.szColumn;
    // The patient is the treatment record's, for an invoice without one the invoice's.
    const char* pszPat =
        m_eQuelle == Quelle::Rechnungen ? "coalesce(b.pat_nr, f.pat_nr)" : "b.pat_nr";
    if (!m_bNamenVorab) strSql += ", p.name, p.vorname";
    strSql += std::string(" FROM ") + pszJoin;
    if (!m_bNamenVorab) strSql += std::string(" LEFT JOIN pat p ON p.pat_nr = ") + pszPat;
    strSql += " WHERE " + strWhere + " ORDER BY " + strOrder;
    try {
        if (m_bNamenVorab) LoadNames();
        m_pStmt = m_pDb->Conn().PrepareCursor(strSql);
        for (std::size_t i = 0; i < params.size(); ++i)
            m_pStmt->BindText(static_cast<int>(i + 1), Cp1252ToUtf8(params[i]));
    } catch (const std::exception& e) {
        m_pStmt.reset();
        m_strLastError = Utf8ToCp1252(e.what());
        return kError;
    }
    m_fakt.m_strFaktKey.clear();
    m_bInvoiceLoaded = false;
    return Step();
}

int CZLabHit::Next() {
    return m_pStmt ? Step() : kNotFound;
}

int CZLabHit::Step() {
    try {
        if (m_pStmt->Step()) {
            Load();
            return kOk;
        }
    } catch (const std::exception& e) {
        m_strLastError = Utf8ToCp1252(e.what());
        m_pStmt.reset();
        return kError;
    }
    m_pStmt.reset(); // the query ends and holds no read snapshot any more
    return kNotFound;
}

// The patients' names in one query rather than joined to each of the many hits,
// kept as the database holds them: Load converts the names of the hits' patients
// as a column of the hit would be.
void CZLabHit::LoadNames() {
    m_mapNamen.clear();
    auto stmt = m_pDb->Conn().PrepareCursor("SELECT pat_nr, name, vorname FROM pat");
    while (stmt->Step())
        m_mapNamen.emplace(
            std::string(stmt->ColumnText(0)),
            Name{std::string(stmt->ColumnText(1)), std::string(stmt->ColumnText(2))});
}

void CZLabHit::Load() {
    IDbStatement& stmt = *m_pStmt;
    int nColumn = 1;
    for (const Field& field : m_vecRecord)
        LoadField(stmt, nColumn++, field.pMember);
    LoadName(stmt);
    const std::string_view key = stmt.ColumnText(0);
    if (m_bInvoiceLoaded && IsAscii(key) && key == m_fakt.m_strFaktKey) return;
    LoadField(stmt, 0, &m_fakt.m_strFaktKey);
    for (const Field& field : m_vecInvoice)
        LoadField(stmt, nColumn++, field.pMember);
    m_bInvoiceLoaded = true;
}

void CZLabHit::LoadName(IDbStatement& stmt) {
    if (!m_bNamenVorab) {
        const int nSpalte = static_cast<int>(1 + m_vecRecord.size() + m_vecInvoice.size());
        LoadField(stmt, nSpalte, &m_strPatName);
        LoadField(stmt, nSpalte + 1, &m_strPatVorname);
        return;
    }
    // The patient is the treatment record's, for an invoice without one the invoice's.
    const int nSpalte = stmt.ColumnIsNull(kSpalteBehPatNr) ? m_nSpalteFaktPatNr : kSpalteBehPatNr;
    m_strNameKey.assign(stmt.ColumnText(nSpalte));
    const auto it = m_mapNamen.find(m_strNameKey);
    if (it == m_mapNamen.end()) {
        m_strPatName.clear();
        m_strPatVorname.clear();
        return;
    }
    for (const auto& [pText, pZiel] : {std::pair{&it->second.strName, &m_strPatName},
                                       std::pair{&it->second.strVorname, &m_strPatVorname}}) {
        if (IsAscii(*pText))
            pZiel->assign(*pText);
        else
            *pZiel = Utf8ToCp1252(*pText);
    }
}

// Plain ASCII, the common case, goes into the member's own memory.
void CZLabHit::LoadField(IDbStatement& stmt, int nColumn, const Member& member) {
    if (auto* pStr = std::get_if<CString*>(&member)) {
        const std::string_view text = stmt.ColumnText(nColumn);
        if (IsAscii(text))
            (*pStr)->assign(text);
        else
            **pStr = Utf8ToCp1252(text);
    } else if (auto* pInt64 = std::get_if<std::int64_t*>(&member)) {
        **pInt64 = stmt.ColumnInt(nColumn);
    } else {
        *std::get<int*>(member) = static_cast<int>(stmt.ColumnInt(nColumn));
    }
}

long CZLabHit::GetCount() {
    if (m_nCount != kNichtGezaehlt) return m_nCount;
    m_nCount = CountQuery();
    return m_nCount;
}

long CZLabHit::CountQuery() {
    try {
        auto stmt = m_pDb->Conn().Prepare(m_strCountSql);
        for (std::size_t i = 0; i < m_vecCountParams.size(); ++i)
            stmt->BindText(static_cast<int>(i + 1), Cp1252ToUtf8(m_vecCountParams[i]));
        return stmt->Step() ? static_cast<long>(stmt->ColumnInt(0)) : 0;
    } catch (const DbError&) {
        return -1;
    }
}
