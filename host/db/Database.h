#pragma once
// The practice database as the module sees it: two connections to one file, one
// for reading (dbDatabaseRO) and one for writing (dbDatabase). Record sets choose
// one of them when they are constructed.
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
    void Close();
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

// Opens both connections on an existing practice database of the current schema
// version. On failure both stay closed, strError names the file and the reason,
// and the file is left as it was.
bool OpenPracticeDatabase(const std::string& strPath, CString& strError);
// Creates a new practice database with the current schema and opens it as above.
// An existing file is refused.
bool CreatePracticeDatabase(const std::string& strPath, CString& strError);
void ClosePracticeDatabase();
