#include "host/db/Database.h"

#include "host/Cp1252.h"
#include "host/db/PgConnection.h"
#include "host/db/Schema.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace fs = std::filesystem;

CDatabase dbDatabaseRO;
CDatabase dbDatabase;

void CDatabase::Attach(std::unique_ptr<IDbConnection> pConn) {
    Close();
    m_pConn = std::move(pConn);
}

std::unique_ptr<IDbConnection> CDatabase::Release() {
    for (IDbStatementCache* pCache : m_setCaches)
        pCache->ReleaseStatements();
    return std::move(m_pConn);
}

IDbConnection& CDatabase::Conn() {
    if (!m_pConn) throw DbError("Es ist keine Praxisdatenbank geöffnet");
    return *m_pConn;
}

void CDatabase::AddCache(IDbStatementCache* pCache) {
    m_setCaches.insert(pCache);
}

void CDatabase::RemoveCache(IDbStatementCache* pCache) {
    m_setCaches.erase(pCache);
}

namespace {

std::string Quoted(const std::string& strPath) {
    return "\"" + strPath + "\"";
}

// Looked at before any driver opens the file, so that a foreign file is never
// opened for writing.
bool HasSqliteHeader(const std::string& strPath) {
    constexpr std::string_view kMagic{"SQLite format 3\0", 16};
    std::ifstream in(strPath, std::ios::binary);
    char head[kMagic.size()] = {};
    return in.read(head, sizeof head) && std::string_view(head, sizeof head) == kMagic;
}

// Why the database behind conn is no usable practice database; "" when it is one.
std::string SchemaProblem(IDbConnection& conn, const std::string& strPath) {
    const int nVersion = ReadSchemaVersion(conn);
    if (nVersion == 0) return "Die Datei " + Quoted(strPath) + " ist keine Praxisdatenbank.";
    if (nVersion != kSchemaVersion)
        return "Die Praxisdatenbank " + Quoted(strPath) + " hat die Schemaversion " +
               std::to_string(nVersion) + ", erwartet wird " + std::to_string(kSchemaVersion) + ".";
    return {};
}

// WAL mode lets the reading connection run its queries while the writing one
// commits, and every new query of the reader sees what was committed before.
// The larger page cache (64 MiB instead of 2) keeps the pages of a pass's many
// key lookups in memory between statements.
void AttachBoth(std::unique_ptr<IDbConnection> pRw, const std::string& strPath, int nWaitMs) {
    pRw->Execute("PRAGMA journal_mode = WAL");
    auto pRo = OpenSqliteConnection(strPath, true, false, nWaitMs);
    for (IDbConnection* pConn : {pRw.get(), pRo.get()})
        pConn->Execute("PRAGMA cache_size = -65536");
    dbDatabase.Attach(std::move(pRw));
    dbDatabaseRO.Attach(std::move(pRo));
}

// Both connections read; the "writing" one refuses every write. Nothing here
// changes the file: no journal mode, no files beside it.
void AttachReadOnly(std::unique_ptr<IDbConnection> pRo, const std::string& strPath, int nWaitMs) {
    auto pSecond = OpenSqliteConnection(strPath, true, false, nWaitMs);
    for (IDbConnection* pConn : {pRo.get(), pSecond.get()})
        pConn->Execute("PRAGMA cache_size = -65536");
    dbDatabaseRO.Attach(std::move(pRo));
    dbDatabase.Attach(std::move(pSecond));
}

bool Fail(const std::string& strUtf8, CString& strError) {
    ClosePracticeDatabase();
    strError = Utf8ToCp1252(strUtf8);
    return false;
}

// The folder of a file, "." for a bare name.
fs::path FolderOf(const std::string& strPath) {
    const fs::path folder = fs::path(strPath).parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

// The journal files of a writing connection are created beside the database.
bool MayWrite(const std::string& strPath) {
    return ::access(strPath.c_str(), W_OK) == 0 && ::access(FolderOf(strPath).c_str(), W_OK) == 0;
}

// A database on a server: the writing connection is one of its own, the reading
// one reads every pass in one snapshot. Permissions are the server's business, so
// "for the dialog" opens for writing and a refused write is reported then.
bool OpenServerDatabase(const std::string& strLocation, DbOpenMode eMode, CString& strError,
                        int nWaitMs) {
    try {
        const bool bReadOnly = eMode == DbOpenMode::ReadOnly;
        auto pFirst = OpenPgConnection(strLocation, bReadOnly, nWaitMs);
        const std::string strName = DescribePgLocation(strLocation);
        const int nVersion = ReadSchemaVersion(*pFirst);
        if (nVersion == 0)
            return Fail("Die Datenbank " + strName + " ist keine Praxisdatenbank.", strError);
        if (nVersion != kSchemaVersion)
            return Fail("Die Praxisdatenbank " + strName + " hat die Schemaversion " +
                            std::to_string(nVersion) + ", erwartet wird " +
                            std::to_string(kSchemaVersion) + ".",
                        strError);
        auto pSecond = OpenPgConnection(strLocation, true, nWaitMs);
        dbDatabaseRO.Attach(std::move(pSecond));
        dbDatabase.Attach(std::move(pFirst));
        return true;
    } catch (const DbError& e) {
        return Fail(e.what(), strError);
    }
}

bool CreateServerDatabase(const std::string& strLocation, CString& strError) {
    try {
        auto pRw = OpenPgConnection(strLocation, false, kDbWaitMs);
        if (ReadSchemaVersion(*pRw) != 0)
            return Fail("Die Datenbank " + DescribePgLocation(strLocation) +
                            " enthält bereits eine Praxisdatenbank.",
                        strError);
        CreateSchema(*pRw);
        dbDatabaseRO.Attach(OpenPgConnection(strLocation, true, kDbWaitMs));
        dbDatabase.Attach(std::move(pRw));
        return true;
    } catch (const DbError& e) {
        return Fail(e.what(), strError);
    }
}

} // namespace

bool OpenPracticeDatabase(const std::string& strPath, DbOpenMode eMode, CString& strError,
                          int nWaitMs) {
    ClosePracticeDatabase();
    if (IsServerLocation(strPath)) return OpenServerDatabase(strPath, eMode, strError, nWaitMs);
    std::error_code ec;
    if (!fs::exists(strPath, ec))
        return Fail("Die Praxisdatenbank " + Quoted(strPath) + " existiert nicht.", strError);
    if (!HasSqliteHeader(strPath))
        return Fail("Die Datei " + Quoted(strPath) + " ist keine Praxisdatenbank.", strError);
    const bool bReadOnly = eMode == DbOpenMode::ReadOnly;
    if (!bReadOnly && !MayWrite(strPath))
        return Fail("Die Praxisdatenbank " + Quoted(strPath) +
                        " ist schreibgeschützt; dieser Befehl muss in sie schreiben.",
                    strError);
    try {
        // The first connection is checked before WAL mode changes the file; closing
        // it on failure leaves the file as it was.
        auto pFirst = OpenSqliteConnection(strPath, bReadOnly, false, nWaitMs);
        if (const std::string strProblem = SchemaProblem(*pFirst, strPath); !strProblem.empty())
            return Fail(strProblem, strError);
        if (bReadOnly)
            AttachReadOnly(std::move(pFirst), strPath, nWaitMs);
        else
            AttachBoth(std::move(pFirst), strPath, nWaitMs);
        return true;
    } catch (const DbError& e) {
        return Fail(e.what(), strError);
    }
}

bool OpenPracticeDatabase(const std::string& strPath, CString& strError) {
    if (IsServerLocation(strPath))
        return OpenPracticeDatabase(strPath, DbOpenMode::ReadWrite, strError);
    const DbOpenMode eMode = MayWrite(strPath) ? DbOpenMode::ReadWrite : DbOpenMode::ReadOnly;
    return OpenPracticeDatabase(strPath, eMode, strError);
}

bool CreatePracticeDatabase(const std::string& strPath, CString& strError) {
    ClosePracticeDatabase();
    if (IsServerLocation(strPath)) return CreateServerDatabase(strPath, strError);
    std::error_code ec;
    if (fs::exists(strPath, ec))
        return Fail("Die Datei " + Quoted(strPath) + " existiert bereits.", strError);
    try {
        auto pRw = OpenSqliteConnection(strPath, false, true);
        CreateSchema(*pRw);
        AttachBoth(std::move(pRw), strPath, kDbWaitMs);
        return true;
    } catch (const DbError& e) {
        Fail(e.what(), strError);
        fs::remove(strPath, ec); // the file did not exist before this call
        return false;
    }
}

void ClosePracticeDatabase() {
    // The reader goes first: the last connection to close folds the WAL file back
    // into the database, and only the writer may do that.
    dbDatabaseRO.Close();
    const std::unique_ptr<IDbConnection> pWriter = dbDatabase.Release();
    if (!pWriter || pWriter->IsReadOnly() || pWriter->Dialect() != DbDialect::Sqlite) return;
    // Back to a rollback journal, so that a later read-only open finds no WAL
    // database (a reader of one leaves files beside it). While another program
    // has the file open this is not possible; it is tried once, without waiting.
    try {
        pWriter->SetWaitMs(0);
        pWriter->Execute("PRAGMA journal_mode = DELETE");
    } catch (const DbError&) {
    }
}
