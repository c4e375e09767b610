#include "host/db/DbConnection.h"

#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace {

// The driver's reason in German for the faults a user can do something about;
// the driver's own text for the rest.
std::string Reason(sqlite3* db) {
    if (!db) return "kein Speicher";
    switch (sqlite3_errcode(db)) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: {
        // Named, since the user has to find the program that holds it.
        const char* szFile = sqlite3_db_filename(db, "main");
        const std::string strFile = szFile && *szFile ? "\"" + std::string(szFile) + "\" " : "";
        return "die Praxisdatenbank " + strFile +
               "ist gesperrt, ein anderes Programm schreibt gerade darin";
    }
    case SQLITE_READONLY:
        return "die Praxisdatenbank ist schreibgeschützt";
    case SQLITE_NOTADB:
        return "die Datei ist keine Datenbank";
    case SQLITE_CORRUPT:
        return "die Datenbankdatei ist beschädigt";
    case SQLITE_FULL:
        return "kein Speicherplatz mehr frei";
    default:
        return sqlite3_errmsg(db);
    }
}

bool IsLocked(sqlite3* db) {
    const int rc = sqlite3_errcode(db);
    return rc == SQLITE_BUSY || rc == SQLITE_LOCKED;
}

[[noreturn]] void Fail(sqlite3* db, const std::string& what) {
    throw DbError(what + ": " + Reason(db));
}

class SqliteStatement final : public IDbStatement {
public:
    SqliteStatement(sqlite3* db, sqlite3_stmt* stmt) : m_db(db), m_stmt(stmt) {}
    ~SqliteStatement() override { sqlite3_finalize(m_stmt); }

    void BindText(int n, std::string_view utf8) override {
        Check(sqlite3_bind_text(m_stmt, n, utf8.data(), static_cast<int>(utf8.size()),
                                SQLITE_TRANSIENT));
    }
    void BindInt(int n, std::int64_t v) override { Check(sqlite3_bind_int64(m_stmt, n, v)); }
    void BindNull(int n) override { Check(sqlite3_bind_null(m_stmt, n)); }

    bool Step() override {
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        Fail(m_db, "Datenbankabfrage fehlgeschlagen");
    }
    std::string_view ColumnText(int c) override {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, c));
        if (!p) return {};
        return {p, static_cast<std::size_t>(sqlite3_column_bytes(m_stmt, c))};
    }
    std::int64_t ColumnInt(int c) override { return sqlite3_column_int64(m_stmt, c); }
    bool ColumnIsNull(int c) override { return sqlite3_column_type(m_stmt, c) == SQLITE_NULL; }
    void Reset() override { sqlite3_reset(m_stmt); }

private:
    void Check(int rc) {
        if (rc != SQLITE_OK) Fail(m_db, "Parameter konnte nicht gebunden werden");
    }
    sqlite3* m_db;
    sqlite3_stmt* m_stmt;
};

class SqliteConnection final : public IDbConnection {
public:
    SqliteConnection(const std::string& path, bool bReadOnly, bool bCreate, int nWaitMs)
        : m_strPath(path), m_bReadOnly(bReadOnly) {
        if (!bCreate && !std::filesystem::exists(path))
            throw DbError("Die Praxisdatenbank \"" + path + "\" existiert nicht");
        int flags = bReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
        if (bCreate && !bReadOnly) flags |= SQLITE_OPEN_CREATE;
        if (sqlite3_open_v2(path.c_str(), &m_db, flags | SQLITE_OPEN_NOMUTEX, nullptr) !=
            SQLITE_OK) {
            const std::string msg = Reason(m_db);
            sqlite3_close(m_db);
            throw DbError("Die Praxisdatenbank \"" + path +
                          "\" kann nicht geöffnet werden: " + msg);
        }
        SetWaitMs(nWaitMs);
        // The driver opens a file it may not write for reading only, without a word;
        // a connection for writing must fail here, not on its first write.
        if (!bReadOnly && sqlite3_db_readonly(m_db, "main") == 1) {
            sqlite3_close(m_db);
            throw DbError("Die Praxisdatenbank \"" + path +
                          "\" ist schreibgeschützt und kann nicht geändert werden");
        }
        Probe(nWaitMs);
    }
    ~SqliteConnection() override { sqlite3_close(m_db); }

    std::unique_ptr<IDbStatement> Prepare(std::string_view sql) override {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.data(), static_cast<int>(sql.size()), &stmt, nullptr) !=
            SQLITE_OK)
            Fail(m_db, "SQL-Anweisung ungültig");
        return std::make_unique<SqliteStatement>(m_db, stmt);
    }
    void Execute(std::string_view sql) override {
        const std::string text(sql);
        // A statement that must turn its read lock into a write lock while another
        // program writes (switching the journal mode) is refused at once: SQLite
        // does not wait where waiting could deadlock. Outside a transaction of our
        // own nothing is held between tries, so it is tried again until the wait
        // time is over.
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(m_nWaitMs);
        while (true) {
            const bool bOhneTransaktion = sqlite3_get_autocommit(m_db) != 0;
            if (sqlite3_exec(m_db, text.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK) return;
            if (!bOhneTransaktion || !IsLocked(m_db) ||
                std::chrono::steady_clock::now() >= deadline)
                Fail(m_db, "Datenbankbefehl fehlgeschlagen");
            std::this_thread::sleep_for(std::chrono::milliseconds(kNeuerVersuchMs));
        }
    }
    void Begin() override { Execute(m_bReadOnly ? "BEGIN" : "BEGIN IMMEDIATE"); }
    void Commit() override { Execute("COMMIT"); }
    void Rollback() override {
        if (!sqlite3_get_autocommit(m_db))
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    bool IsReadOnly() const override { return m_bReadOnly; }
    void SetWaitMs(int nWaitMs) override {
        m_nWaitMs = nWaitMs;
        sqlite3_busy_timeout(m_db, nWaitMs);
    }
    std::string Description() const override { return "SQLite \"" + m_strPath + "\""; }

private:
    // A file that is no database, or one another program holds locked, fails here,
    // not on first use.
    void Probe(int nWaitMs) {
        try {
            Execute("PRAGMA foreign_keys = ON");
            auto probe = Prepare("SELECT count(*) FROM sqlite_master");
            probe->Step();
        } catch (const DbError& e) {
            const bool bLocked = IsLocked(m_db);
            sqlite3_close(m_db);
            if (bLocked)
                throw DbError("Die Praxisdatenbank \"" + m_strPath +
                              "\" ist gesperrt: ein anderes Programm schreibt gerade darin (nach " +
                              std::to_string((nWaitMs + 999) / 1000) +
                              " s Warten aufgegeben). Bitte später erneut versuchen.");
            throw DbError("\"" + m_strPath + "\" ist keine Praxisdatenbank: " + e.what());
        }
    }

    static constexpr int kNeuerVersuchMs = 20;

    std::string m_strPath;
    bool m_bReadOnly;
    sqlite3* m_db = nullptr;
    int m_nWaitMs = 0;
};

} // namespace

std::unique_ptr<IDbConnection> OpenSqliteConnection(const std::string& strPath, bool bReadOnly,
                                                    bool bCreate, int nWaitMs) {
    return std::make_unique<SqliteConnection>(strPath, bReadOnly, bCreate, nWaitMs);
}
