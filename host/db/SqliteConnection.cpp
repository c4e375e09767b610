#include "host/db/DbConnection.h"

#include <sqlite3.h>

#include <filesystem>

namespace {

[[noreturn]] void Fail(sqlite3* db, const std::string& what) {
    throw DbError(what + ": " + (db ? sqlite3_errmsg(db) : "unbekannter Fehler"));
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
    SqliteConnection(const std::string& path, bool bReadOnly, bool bCreate)
        : m_strPath(path), m_bReadOnly(bReadOnly) {
        if (!bCreate && !std::filesystem::exists(path))
            throw DbError("Die Praxisdatenbank \"" + path + "\" existiert nicht");
        int flags = bReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
        if (bCreate && !bReadOnly) flags |= SQLITE_OPEN_CREATE;
        if (sqlite3_open_v2(path.c_str(), &m_db, flags | SQLITE_OPEN_NOMUTEX, nullptr) !=
            SQLITE_OK) {
            const std::string msg = m_db ? sqlite3_errmsg(m_db) : "kein Speicher";
            sqlite3_close(m_db);
            throw DbError("Die Praxisdatenbank \"" + path +
                          "\" kann nicht geöffnet werden: " + msg);
        }
        sqlite3_busy_timeout(m_db, 5000);
        // A file that is no database fails here, not on first use.
        try {
            Execute("PRAGMA foreign_keys = ON");
            auto probe = Prepare("SELECT count(*) FROM sqlite_master");
            probe->Step();
        } catch (const DbError& e) {
            sqlite3_close(m_db);
            throw DbError("\"" + path + "\" ist keine Praxisdatenbank: " + e.what());
        }
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
        char* err = nullptr;
        if (sqlite3_exec(m_db, text.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
            const std::string msg = err ? err : "unbekannter Fehler";
            sqlite3_free(err);
            throw DbError("Datenbankbefehl fehlgeschlagen: " + msg);
        }
    }
    void Begin() override { Execute(m_bReadOnly ? "BEGIN" : "BEGIN IMMEDIATE"); }
    void Commit() override { Execute("COMMIT"); }
    void Rollback() override {
        if (!sqlite3_get_autocommit(m_db))
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    bool IsReadOnly() const override { return m_bReadOnly; }
    std::string Description() const override { return "SQLite \"" + m_strPath + "\""; }

private:
    std::string m_strPath;
    bool m_bReadOnly;
    sqlite3* m_db = nullptr;
};

} // namespace

std::unique_ptr<IDbConnection> OpenSqliteConnection(const std::string& strPath, bool bReadOnly,
                                                    bool bCreate) {
    return std::make_unique<SqliteConnection>(strPath, bReadOnly, bCreate);
}
