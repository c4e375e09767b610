#include "host/db/PgConnection.h"

#include <libpq-fe.h>

#include <charconv>
#include <optional>
#include <vector>

namespace {

// Rows taken per round trip from a cursor: large enough that the round trips
// cost little next to the rows, small enough to keep the memory of one batch low.
constexpr int kFetchRows = 2000;

// Requests that waited for the server's answer: one round trip each.
long g_nRoundTrips = 0;

PGresult* Exec(PGconn* pConn, const char* szSql) {
    ++g_nRoundTrips;
    return PQexec(pConn, szSql);
}
// Prepared statements that are no longer used are dropped in groups, so that
// dropping one costs no round trip of its own.
constexpr std::size_t kDropBatch = 64;

struct ResultDeleter {
    void operator()(PGresult* p) const { PQclear(p); }
};
using Result = std::unique_ptr<PGresult, ResultDeleter>;

std::string Trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    return text;
}

// "?" becomes "$1", "$2", ...; quoted texts, quoted names and comments stay as they are.
std::string NumberParameters(std::string_view sql, int& nParams) {
    std::string out;
    out.reserve(sql.size() + 16);
    nParams = 0;
    for (std::size_t i = 0; i < sql.size(); ++i) {
        const char c = sql[i];
        if (c == '\'' || c == '"') {
            const std::size_t end = sql.find(c, i + 1);
            const std::size_t stop = end == std::string_view::npos ? sql.size() : end + 1;
            out.append(sql.substr(i, stop - i));
            i = stop - 1;
        } else if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
            const std::size_t end = sql.find('\n', i);
            const std::size_t stop = end == std::string_view::npos ? sql.size() : end;
            out.append(sql.substr(i, stop - i));
            i = stop - 1;
        } else if (c == '?') {
            out += '$' + std::to_string(++nParams);
        } else {
            out += c;
        }
    }
    return out;
}

class PgConnection;

class PgStatement final : public IDbStatement {
public:
    PgStatement(PgConnection& conn, std::string_view sql, bool bCursor);
    ~PgStatement() override;

    void BindText(int n, std::string_view utf8) override { Slot(n) = std::string(utf8); }
    void BindInt(int n, std::int64_t v) override { Slot(n) = std::to_string(v); }
    void BindNull(int n) override { Slot(n).reset(); }
    bool Step() override;
    std::string_view ColumnText(int c) override;
    std::int64_t ColumnInt(int c) override;
    bool ColumnIsNull(int c) override;
    void Reset() override;

private:
    std::optional<std::string>& Slot(int n);
    void Run();
    void Fetch();

    PgConnection& m_conn;
    std::string m_strSql; // with $n parameters
    bool m_bCursor;       // fetch in batches inside a transaction
    std::vector<std::optional<std::string>> m_vecValues;
    std::string m_strName, m_strCursorName; // prepared on the server once used
    bool m_bPrepared = false, m_bCursorPrepared = false;
    Result m_res;
    int m_nRow = -1;
    bool m_bStarted = false;
    bool m_bCursorOpen = false;
    long m_nCursorTransaction = 0; // the transaction the cursor lives in
};

class PgConnection final : public IDbConnection {
public:
    PgConnection(const std::string& strLocation, bool bReadOnly, int nWaitMs)
        : m_strDescription(DescribePgLocation(strLocation)), m_bReadOnly(bReadOnly) {
        std::string strProblem;
        if (!CheckPgLocation(strLocation, strProblem)) throw DbError(strProblem);
        // The caller's text may set its own timeout; the texts are always UTF-8.
        const char* keys[] = {"connect_timeout", "dbname", "client_encoding", "application_name",
                              nullptr};
        const char* values[] = {"10", strLocation.c_str(), "UTF8", "vxstat", nullptr};
        m_pConn = PQconnectdbParams(keys, values, 1);
        if (!m_pConn || PQstatus(m_pConn) != CONNECTION_OK) {
            const std::string msg = m_pConn ? Trimmed(PQerrorMessage(m_pConn)) : "kein Speicher";
            PQfinish(m_pConn);
            m_pConn = nullptr;
            throw DbError("Der Datenbankserver " + m_strDescription +
                          " ist nicht erreichbar: " + msg);
        }
        try {
            if (bReadOnly) Execute("SET default_transaction_read_only = on");
            // The queries are index walks: compiling one to machine code takes
            // longer than it saves (half a second on the lab pass).
            Execute("SET jit = off");
            SetWaitMs(nWaitMs);
        } catch (...) {
            PQfinish(m_pConn);
            throw;
        }
    }
    ~PgConnection() override { PQfinish(m_pConn); }

    std::unique_ptr<IDbStatement> Prepare(std::string_view sql) override {
        return std::make_unique<PgStatement>(*this, sql, false);
    }
    std::unique_ptr<IDbStatement> PrepareCursor(std::string_view sql) override {
        return std::make_unique<PgStatement>(*this, sql, true);
    }
    void Execute(std::string_view sql) override {
        Check(Result(Exec(m_pConn, std::string(sql).c_str())), "Datenbankbefehl fehlgeschlagen");
    }
    void Begin() override {
        DropUnused();
        // A reader sees one state of the database from its first query to the end.
        Execute(m_bReadOnly ? "BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY" : "BEGIN");
        ++m_nTransaction;
    }
    void Commit() override {
        Result res(Exec(m_pConn, "COMMIT"));
        ++m_nTransaction;
        res = Check(std::move(res), "Die Änderungen konnten nicht gespeichert werden");
        // A failed transaction answers COMMIT with ROLLBACK.
        if (std::string_view(PQcmdStatus(res.get())) == "ROLLBACK")
            throw DbError("Die Änderungen konnten nicht gespeichert werden: die Transaktion "
                          "wurde zurückgenommen");
    }
    void Rollback() override {
        ++m_nTransaction;
        if (IsAlive() && PQtransactionStatus(m_pConn) != PQTRANS_IDLE)
            PQclear(Exec(m_pConn, "ROLLBACK"));
    }
    bool IsReadOnly() const override { return m_bReadOnly; }
    void SetWaitMs(int nWaitMs) override {
        m_nWaitMs = nWaitMs;
        Execute("SET lock_timeout = " + std::to_string(std::max(nWaitMs, 1)));
    }
    std::string Description() const override { return "PostgreSQL " + m_strDescription; }
    DbDialect Dialect() const override { return DbDialect::Postgres; }

    PGconn* Raw() { return m_pConn; }
    bool IsAlive() const { return m_pConn && PQstatus(m_pConn) == CONNECTION_OK; }
    bool InTransaction() const { return PQtransactionStatus(m_pConn) == PQTRANS_INTRANS; }
    long Transaction() const { return m_nTransaction; }
    std::string NewName(const char* szPrefix) { return szPrefix + std::to_string(++m_nNames); }
    void Drop(std::string strName) {
        m_vecDrop.push_back(std::move(strName));
        if (m_vecDrop.size() >= kDropBatch && PQtransactionStatus(m_pConn) == PQTRANS_IDLE)
            DropUnused();
    }

    // Throws DbError with a German reason unless res holds a successful result.
    Result Check(Result res, const std::string& strWhat) {
        const ExecStatusType st = res ? PQresultStatus(res.get()) : PGRES_FATAL_ERROR;
        if (st == PGRES_COMMAND_OK || st == PGRES_TUPLES_OK) return res;
        throw DbError(strWhat + ": " + Reason(res.get()));
    }

private:
    std::string Reason(const PGresult* res) const {
        if (!IsAlive())
            return "die Verbindung zum Datenbankserver " + m_strDescription + " ist abgebrochen (" +
                   Trimmed(PQerrorMessage(m_pConn)) + ")";
        const char* szState = res ? PQresultErrorField(res, PG_DIAG_SQLSTATE) : nullptr;
        const std::string_view state = szState ? szState : "";
        if (state == "55P03")
            return "die Praxisdatenbank ist gesperrt, ein anderes Programm schreibt gerade darin "
                   "(nach " +
                   std::to_string((m_nWaitMs + 999) / 1000) +
                   " s Warten aufgegeben). Bitte später erneut versuchen.";
        if (state == "25006") return "die Praxisdatenbank ist schreibgeschützt geöffnet";
        if (state == "40001" || state == "40P01")
            return "ein anderes Programm hat dieselben Daten gleichzeitig geändert; bitte erneut "
                   "versuchen";
        if (state.starts_with("57P") || state.starts_with("08"))
            return "die Verbindung zum Datenbankserver " + m_strDescription + " ist abgebrochen";
        if (state == "42501") return "keine Berechtigung für diese Praxisdatenbank";
        const char* szMsg = res ? PQresultErrorField(res, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
        return szMsg ? szMsg : Trimmed(PQerrorMessage(m_pConn));
    }

    void DropUnused() {
        if (m_vecDrop.empty() || !IsAlive()) return;
        std::string sql;
        for (const std::string& strName : m_vecDrop)
            sql += "DEALLOCATE " + strName + ";";
        m_vecDrop.clear();
        PQclear(Exec(m_pConn, sql.c_str()));
    }

    std::string m_strDescription;
    bool m_bReadOnly;
    int m_nWaitMs = kDbWaitMs;
    PGconn* m_pConn = nullptr;
    long m_nTransaction = 0; // counts the starts and ends of transactions
    long m_nNames = 0;
    std::vector<std::string> m_vecDrop;
};

PgStatement::PgStatement(PgConnection& conn, std::string_view sql, bool bCursor)
    : m_conn(conn), m_bCursor(bCursor) {
    int nParams = 0;
    m_strSql = NumberParameters(sql, nParams);
    m_vecValues.resize(static_cast<std::size_t>(nParams));
}

PgStatement::~PgStatement() {
    Reset();
    if (m_bPrepared) m_conn.Drop(m_strName);
    if (m_bCursorPrepared) m_conn.Drop(m_strName + "c");
}

std::optional<std::string>& PgStatement::Slot(int n) {
    if (n < 1 || n > static_cast<int>(m_vecValues.size()))
        throw DbError("Parameter " + std::to_string(n) + " gibt es in der Anweisung nicht");
    return m_vecValues[static_cast<std::size_t>(n - 1)];
}

// A cursor needs a transaction; outside one the statement takes all its rows at once.
void PgStatement::Run() {
    PGconn* pg = m_conn.Raw();
    if (m_strName.empty()) m_strName = m_conn.NewName("vx");
    const bool bCursor = m_bCursor && m_conn.InTransaction();
    const std::string strStmt = bCursor ? m_strName + "c" : m_strName;
    bool& bPrepared = bCursor ? m_bCursorPrepared : m_bPrepared;
    if (!bPrepared) {
        const std::string sql =
            bCursor ? "DECLARE " + m_strName + " NO SCROLL CURSOR FOR " + m_strSql : m_strSql;
        ++g_nRoundTrips;
        m_conn.Check(Result(PQprepare(pg, strStmt.c_str(), sql.c_str(), 0, nullptr)),
                     "SQL-Anweisung ungültig");
        bPrepared = true;
    }
    std::vector<const char*> values;
    values.reserve(m_vecValues.size());
    for (const auto& value : m_vecValues)
        values.push_back(value ? value->c_str() : nullptr);
    ++g_nRoundTrips;
    Result res(PQexecPrepared(pg, strStmt.c_str(), static_cast<int>(values.size()), values.data(),
                              nullptr, nullptr, 0));
    m_res = m_conn.Check(std::move(res), "Datenbankabfrage fehlgeschlagen");
    m_nRow = -1;
    if (bCursor) {
        m_bCursorOpen = true;
        m_nCursorTransaction = m_conn.Transaction();
        Fetch();
    }
}

void PgStatement::Fetch() {
    const std::string sql = "FETCH FORWARD " + std::to_string(kFetchRows) + " FROM " + m_strName;
    m_res =
        m_conn.Check(Result(Exec(m_conn.Raw(), sql.c_str())), "Datenbankabfrage fehlgeschlagen");
    m_nRow = -1;
}

bool PgStatement::Step() {
    if (!m_bStarted) {
        m_bStarted = true;
        Run();
    }
    if (!m_res) return false;
    if (++m_nRow < PQntuples(m_res.get())) return true;
    if (m_bCursorOpen && PQntuples(m_res.get()) == kFetchRows) {
        Fetch();
        if (++m_nRow < PQntuples(m_res.get())) return true;
    }
    m_res.reset();
    return false;
}

std::string_view PgStatement::ColumnText(int c) {
    if (!m_res || m_nRow < 0) return {};
    return {PQgetvalue(m_res.get(), m_nRow, c),
            static_cast<std::size_t>(PQgetlength(m_res.get(), m_nRow, c))};
}

// Integers come as decimal text, truth values (a comparison as a column) as "t"/"f".
std::int64_t PgStatement::ColumnInt(int c) {
    const std::string_view text = ColumnText(c);
    if (text == "t") return 1;
    std::int64_t n = 0;
    std::from_chars(text.data(), text.data() + text.size(), n);
    return n;
}

bool PgStatement::ColumnIsNull(int c) {
    return !m_res || m_nRow < 0 || PQgetisnull(m_res.get(), m_nRow, c);
}

void PgStatement::Reset() {
    m_res.reset();
    m_bStarted = false;
    if (!m_bCursorOpen) return;
    m_bCursorOpen = false;
    // A cursor ends with its transaction; closing it in another one would fail there.
    if (m_conn.IsAlive() && m_conn.InTransaction() && m_nCursorTransaction == m_conn.Transaction())
        PQclear(Exec(m_conn.Raw(), ("CLOSE " + m_strName).c_str()));
}

} // namespace

long PgRoundTrips() {
    return g_nRoundTrips;
}

bool IsServerLocation(const std::string& strLocation) {
    return strLocation.starts_with("postgresql://") || strLocation.starts_with("postgres://") ||
           strLocation.find('=') != std::string::npos;
}

bool CheckPgLocation(const std::string& strLocation, std::string& strProblem) {
    char* szError = nullptr;
    PQconninfoOption* pOptions = PQconninfoParse(strLocation.c_str(), &szError);
    if (!pOptions) {
        strProblem = "Die Angabe des Datenbankservers ist ungültig: " +
                     Trimmed(szError ? szError : "kein Speicher");
        PQfreemem(szError);
        return false;
    }
    PQconninfoFree(pOptions);
    strProblem = PgPasswordProblem(strLocation);
    return strProblem.empty();
}

std::string PgPasswordProblem(const std::string& strLocation) {
    PQconninfoOption* pOptions = PQconninfoParse(strLocation.c_str(), nullptr);
    if (!pOptions) return {};
    bool bPassword = false;
    for (PQconninfoOption* p = pOptions; p->keyword; ++p)
        if (std::string_view(p->keyword) == "password" && p->val && *p->val) bPassword = true;
    PQconninfoFree(pOptions);
    if (!bPassword) return {};
    return "Die Angabe des Datenbankservers enthält ein Passwort. Passwörter gehören "
           "nicht auf die Befehlszeile: bitte die Passwortdatei von PostgreSQL "
           "(~/.pgpass oder PGPASSFILE) oder die Umgebungsvariable PGPASSWORD "
           "verwenden.";
}

// Host, port, database and user, never a password.
std::string DescribePgLocation(const std::string& strLocation) {
    PQconninfoOption* pOptions = PQconninfoParse(strLocation.c_str(), nullptr);
    if (!pOptions) return "\"?\"";
    std::string out;
    for (PQconninfoOption* p = pOptions; p->keyword; ++p) {
        const std::string_view key = p->keyword;
        if ((key == "host" || key == "hostaddr" || key == "port" || key == "dbname" ||
             key == "user") &&
            p->val && *p->val)
            out += (out.empty() ? "" : " ") + std::string(key) + "=" + p->val;
    }
    PQconninfoFree(pOptions);
    return "\"" + out + "\"";
}

std::unique_ptr<IDbConnection> OpenPgConnection(const std::string& strLocation, bool bReadOnly,
                                                int nWaitMs) {
    return std::make_unique<PgConnection>(strLocation, bReadOnly, nWaitMs);
}
