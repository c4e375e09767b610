#pragma once
// The practice database as the module sees it: two connections to one file, one
// for reading (dbDatabaseRO) and one for writing (dbDatabase). Record sets choose
// one of them when they are constructed. Opened for reading only, both connections
// read, a write fails with a message that the database is read-only, and the file
// stays as it was to the byte.
//
// The reader sees every write committed before its query started. A query still
// running on the reader keeps the state of its start for every record set on that
// connection, so writes become visible to the reader once its queries have ended.
// Outside a running query each statement takes and drops the file's read lock; a
// long run of key lookups is faster inside one read transaction (InTransaction on
// dbDatabaseRO.Conn()) or while a walk's cursor is open.
#include "host/CString.h"
#include "host/db/DbConnection.h"

#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

// Holder of prepared statements of a connection (a record set). The statements
// belong to the connection's driver, so they must go before the connection does.
class IDbStatementCache {
public:
    virtual void ReleaseStatements() = 0;

protected:
    ~IDbStatementCache() = default;
};

class CDatabase {
public:
    CDatabase() = default;
    ~CDatabase() { Close(); }
    CDatabase(const CDatabase&) = delete;
    CDatabase& operator=(const CDatabase&) = delete;

    // Takes over a connection; an open one is closed first.
    void Attach(std::unique_ptr<IDbConnection> pConn);
    // Lets every registered cache drop its statements, then closes the connection.
    void Close() { Release(); }
    // Lets every registered cache drop its statements and hands the connection over.
    std::unique_ptr<IDbConnection> Release();
    bool IsOpen() const { return m_pConn != nullptr; }
    // The open connection; throws DbError when there is none.
    IDbConnection& Conn();

    void AddCache(IDbStatementCache* pCache);
    void RemoveCache(IDbStatementCache* pCache);

private:
    std::unique_ptr<IDbConnection> m_pConn;
    // A set: an evaluation may hold tens of thousands of record sets (cached bills),
    // and each removes itself when it goes.
    std::unordered_set<IDbStatementCache*> m_setCaches;
};

extern CDatabase dbDatabaseRO; // reading
extern CDatabase dbDatabase;   // writing

enum class DbOpenMode {
    ReadOnly, // for commands that only read: the file is never changed
    ReadWrite // for commands that write: refused when the file may not be written
};

// A location is a file path, or a database server's location (see
// host/db/PgConnection.h: "postgresql://...", or "host=... dbname=..."), which is
// told apart by IsServerLocation. On a server the reading connection reads each
// of its transactions in one snapshot (repeatable read).
//
// Opens both connections on an existing practice database of the current schema
// version. On failure both stay closed, strError names the file and the reason
// (among them: read-only, locked longer than nWaitMs), and the file is left as it
// was.
bool OpenPracticeDatabase(const std::string& strPath, DbOpenMode eMode, CString& strError,
                          int nWaitMs = kDbWaitMs);
// For the evaluation dialogs, which read and may save their settings: read-write
// when the file and its folder may be written, else read-only.
bool OpenPracticeDatabase(const std::string& strPath, CString& strError);
// Creates a new practice database with the current schema and opens it as above.
// An existing file is refused.
bool CreatePracticeDatabase(const std::string& strPath, CString& strError);
// A database that was open for writing is left in rollback-journal mode, so that
// reading it later needs no files beside it.
void ClosePracticeDatabase();
