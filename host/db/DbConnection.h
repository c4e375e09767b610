#pragma once
// The seam between the record sets and a database driver. Record-set code speaks
// only to these two interfaces, so another server (PostgreSQL) plugs in with a new
// implementation and no change above it. Texts crossing this seam are UTF-8; the
// record sets convert to and from the module's Windows-1252 texts.
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

struct DbError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class IDbStatement {
public:
    virtual ~IDbStatement() = default;
    // Parameters are numbered from 1 and always bound, never spliced into SQL.
    virtual void BindText(int nIndex, std::string_view utf8) = 0;
    virtual void BindInt(int nIndex, std::int64_t nValue) = 0;
    virtual void BindNull(int nIndex) = 0;
    // Runs or continues the statement; true while a result row is available.
    virtual bool Step() = 0;
    // Columns of the current row, numbered from 0. NULL reads as "" or 0.
    virtual std::string_view ColumnText(int nColumn) = 0;
    virtual std::int64_t ColumnInt(int nColumn) = 0;
    virtual bool ColumnIsNull(int nColumn) = 0;
    // Ready to run again; bindings are kept until rebound.
    virtual void Reset() = 0;
};

// The SQL a connection speaks where the two differ (schema definition, tuning).
enum class DbDialect { Sqlite, Postgres };

class IDbConnection {
public:
    virtual ~IDbConnection() = default;
    // Parameters are written "?" in every dialect; a driver rewrites them if needed.
    virtual std::unique_ptr<IDbStatement> Prepare(std::string_view sql) = 0;
    // For a query whose rows are walked while other statements run on the same
    // connection and that may give many rows: a server driver fetches them in
    // batches through a cursor inside a transaction (outside one, all at once).
    // Prepare suits lookups of a few rows, which a server answers in one round trip.
    virtual std::unique_ptr<IDbStatement> PrepareCursor(std::string_view sql) {
        return Prepare(sql);
    }
    virtual void Execute(std::string_view sql) = 0; // statements without parameters
    virtual void Begin() = 0;
    virtual void Commit() = 0;
    virtual void Rollback() = 0; // never throws
    virtual bool IsReadOnly() const = 0;
    // How long a statement waits for a lock another program holds before it fails.
    virtual void SetWaitMs(int nWaitMs) = 0;
    virtual std::string Description() const = 0; // for messages: driver and file
    virtual DbDialect Dialect() const = 0;
};

// How long a connection waits for a lock another program holds: long enough for
// that program to finish a write, short enough that a hanging one is reported.
constexpr int kDbWaitMs = 5000;

// Opens an SQLite practice database. bCreate allows a new file; bReadOnly opens it
// for reading only and never changes the file. A connection for writing on a file
// that may not be written is refused. Throws DbError with a German message naming
// the file; a file locked longer than nWaitMs is named as locked.
std::unique_ptr<IDbConnection> OpenSqliteConnection(const std::string& strPath, bool bReadOnly,
                                                    bool bCreate, int nWaitMs = kDbWaitMs);

// Runs fn inside one transaction: committed when fn returns, rolled back when it
// throws (the exception is passed on).
template <typename Fn> void InTransaction(IDbConnection& db, Fn&& fn) {
    db.Begin();
    try {
        fn();
        db.Commit();
    } catch (...) {
        db.Rollback();
        throw;
    }
}
