#pragma once
// The lab hits of an evaluation period in one query: the treatment records of lab
// invoices joined with their invoice and patient, in invoice order. A record holds
// the treatment record in m_beh and its invoice in m_fakt, so that the hit and the
// invoice data are taken from them as from the record sets of their tables.
//
// A walk reads hundreds of thousands of these records, most of them hits of an
// invoice whose data came with the record before. So, unlike the table record sets
// (CTKRSet), this one takes the invoice columns only when the invoice changes, and
// reuses the members' memory for the texts. Read only; values are bound as
// parameters, never spliced into the SQL text; no operation throws.
#include "host/CString.h"
#include "host/db/Database.h"
#include "host/db/ZBeh.h"
#include "host/db/ZFakt.h"

#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <variant>
#include <vector>

class CZLabHit : private IDbStatementCache {
public:
    static constexpr int kOk = 0;
    static constexpr int kNotFound = 100; // no (further) record
    static constexpr int kError = -1;     // database fault, see GetLastError()

    // The table the walk starts from. Invoices: every invoice of the selection, an
    // invoice without treatment records once with an empty m_beh (m_beh.m_nBehId 0).
    // Services: every lab treatment record (amount kind not empty) of the selection,
    // one whose invoice is missing with an empty m_fakt (m_fakt.m_strFaktKey "").
    enum class Quelle { Rechnungen, Leistungen };
    // The invoice date that places an invoice in the period.
    enum class Datum { Rechnung, Druck, Bezahlt };

    explicit CZLabHit(Quelle eQuelle, CDatabase* pDb = &dbDatabaseRO);
    ~CZLabHit();
    CZLabHit(const CZLabHit&) = delete;
    CZLabHit& operator=(const CZLabHit&) = delete;

    // Invoices of the kinds strArt1/strArt2 ('R', 'M') whose date eDatum lies in
    // strAb..strBis, or lies before strAb with the cancellation date in the period;
    // with bNurStorniert only cancelled ones. strMandant "" takes every owner.
    // Grouped by invoice in key order; the treatment records of one invoice come in
    // no particular order (a sort of every record would cost a fifth of the query).
    // 0 with the first record loaded.
    int GetRechnungen(Datum eDatum, const CString& strArt1, const CString& strArt2,
                      bool bNurStorniert, const CString& strAb, const CString& strBis,
                      const CString& strMandant);
    // Lab treatment records with a service date in strAb..strBis, and those before
    // strAb whose invoice was cancelled in the period. Grouped by invoice key, the
    // records inside the period before the earlier ones, otherwise in no order.
    int GetLeistungen(const CString& strAb, const CString& strBis, const CString& strMandant);
    // Loads the next record; non-zero at the end.
    int Next();

    // The number of invoices the last Get... call delivers (for a progress display
    // and to size the list); -1 on a database fault.
    long GetCount();

    // From this many invoices on, the next Get... call reads the patients' names
    // in one query of their own rather than joined to every hit: a walk over many
    // invoices meets most patients, a short one only a few.
    void SetNamenVorabAb(long nRechnungen) { m_nNamenVorabAb = nRechnungen; }

    const CString& GetLastError() const { return m_strLastError; }

    CZBeh m_beh;              // the treatment record; empty for an invoice without one
    CZFakt m_fakt;            // its invoice; empty when it is missing
    CString m_strPatName;     // the patient's name
    CString m_strPatVorname;  // and first name
    CString m_strPlanArt;     // plan kind of the invoice's plan, read only for an invoice
                              // without treatment records
    int m_nEntryFehlt = 0;    // not 0: the lab-block entry the record names is missing
    CString m_strEntryAnteil; // share and amount texts of that entry, "" when it is
    CString m_strEntryBetrag; // missing or none is named

private:
    using Member = std::variant<CString*, std::int64_t*, int*>;
    struct Field {
        const char* szColumn;
        Member pMember;
    };

    void ReleaseStatements() override;
    int Run(const std::string& strWhere, const std::string& strOrder, std::vector<CString> params);
    int Step();
    void Load();
    long CountQuery();
    void LoadNames();
    void LoadName(IDbStatement& stmt);
    static void LoadField(IDbStatement& stmt, int nColumn, const Member& member);

    CDatabase* m_pDb;
    Quelle m_eQuelle;
    std::vector<Field> m_vecRecord;  // columns 1.. of every record
    std::vector<Field> m_vecInvoice; // the invoice's columns after them
    std::unique_ptr<IDbStatement> m_pStmt;
    bool m_bInvoiceLoaded = false;
    std::string m_strCountSql;
    std::vector<CString> m_vecCountParams;
    CString m_strLastError;

    static constexpr long kNichtGezaehlt = -2;
    long m_nCount = kNichtGezaehlt;
    long m_nNamenVorabAb = LONG_MAX;
    bool m_bNamenVorab = false;
    // The patient's number among the columns: the record's, and the invoice's.
    static constexpr int kSpalteBehPatNr = 3; // after f.fakt_key, b.beh_id, b.md_id
    int m_nSpalteFaktPatNr = 0;
    struct Name {
        std::string strName, strVorname; // UTF-8, as stored
    };
    std::unordered_map<std::string, Name> m_mapNamen; // by patient number as stored
    std::string m_strNameKey;
};
