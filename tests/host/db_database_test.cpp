// Opening and creating the practice database: failures leave every file as it
// was, and the two connections work side by side on one file.
#include "host/db/Database.h"
#include "host/db/Schema.h"
#include "host/db/ZParPool.h"
#include "support/TempPracticeDb.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>

namespace {

namespace fs = std::filesystem;

// Every file of a folder with its bytes, but for the open practice database of
// TempPracticeDb ("praxis.db" and its WAL files), which closing changes.
std::map<std::string, std::string> Snapshot(const fs::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().filename().string().starts_with("praxis.db")) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        files[entry.path().filename().string()] =
            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return files;
}

void WriteTextFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// An SQLite file built with the driver alone; fn fills it.
template <typename Fn> void WriteSqliteFile(const fs::path& path, Fn&& fn) {
    auto conn = OpenSqliteConnection(path.string(), false, true);
    fn(*conn);
}

TEST(DbOpen, RefusesForeignFilesAndLeavesThemUntouched) {
    TempPracticeDb db; // a good database stays open until a failed open closes it
    const fs::path dir = db.Dir();
    WriteTextFile(dir / "notiz.txt", "Kein SQLite, nur Text.\n");
    WriteSqliteFile(dir / "fremd.db", [](IDbConnection& c) { c.Execute("CREATE TABLE t (x)"); });
    WriteSqliteFile(dir / "alt.db", [](IDbConnection& c) {
        CreateSchema(c);
        c.Execute("UPDATE vx_schema SET version = 3");
    });
    struct Case {
        const char* szFile;
        const char* szReason;
    };
    const Case cases[] = {
        {"fehlt.db", "existiert nicht"},
        {"notiz.txt", "ist keine Praxisdatenbank"},
        {"fremd.db", "ist keine Praxisdatenbank"},
        {"alt.db", "hat die Schemaversion 3, erwartet wird 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.szFile);
        CString strReopen;
        ASSERT_TRUE(OpenPracticeDatabase(db.Path(), strReopen)) << strReopen;
        const auto before = Snapshot(dir);
        const std::string path = (dir / c.szFile).string();
        CString strError;
        EXPECT_FALSE(OpenPracticeDatabase(path, strError));
        EXPECT_NE(strError.find("\"" + path + "\""), std::string::npos) << strError;
        EXPECT_NE(strError.find(c.szReason), std::string::npos) << strError;
        EXPECT_FALSE(dbDatabase.IsOpen());
        EXPECT_FALSE(dbDatabaseRO.IsOpen());
        EXPECT_EQ(Snapshot(dir), before); // no byte changed, no file added
    }
}

TEST(DbCreate, RefusesExistingFileAndUnreachableFolder) {
    TempPracticeDb db;
    ClosePracticeDatabase();
    WriteTextFile(db.Dir() / "da.db", "schon da");
    const auto before = Snapshot(db.Dir());
    CString strError;
    EXPECT_FALSE(CreatePracticeDatabase((db.Dir() / "da.db").string(), strError));
    EXPECT_NE(strError.find("existiert bereits"), std::string::npos) << strError;
    strError.clear();
    EXPECT_FALSE(CreatePracticeDatabase((db.Dir() / "fehlt" / "neu.db").string(), strError));
    EXPECT_FALSE(strError.empty());
    EXPECT_EQ(Snapshot(db.Dir()), before);
    EXPECT_FALSE(dbDatabase.IsOpen() || dbDatabaseRO.IsOpen());
}

TEST(DbOpen, ReaderAndWriterShareOneFile) {
    TempPracticeDb db;
    CZParPool writer(&dbDatabase), walker, reader;
    writer.m_strOwner = "X";
    for (const char* szNr : {"1", "2", "3"}) {
        writer.m_strNr = szNr;
        ASSERT_EQ(writer.Write(), 0) << writer.GetLastError();
    }
    // A running query of the reader does not block the writer...
    ASSERT_EQ(walker.GetByK1(2), 0);
    writer.m_strNr = "4";
    EXPECT_EQ(writer.Write(), 0) << writer.GetLastError();
    // ...and once it has ended, the reader sees what was written.
    walker.Reset();
    reader.m_strNr = "4";
    reader.m_strOwner = "X";
    EXPECT_EQ(reader.GetByK1(0), 0) << reader.GetLastError();
}

// Every file of a folder with its bytes, the database included.
std::map<std::string, std::string> AllFiles(const fs::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        files[entry.path().filename().string()] =
            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return files;
}

// A practice database with one settings record, closed again.
void WriteOneRecord(TempPracticeDb& db) {
    CZParPool pool(&dbDatabase);
    pool.m_strOwner = "X";
    pool.m_strNr = "1";
    pool.m_strWert = "gespeichert";
    ASSERT_EQ(pool.Write(), 0) << pool.GetLastError();
    ClosePracticeDatabase();
    ASSERT_FALSE(fs::exists(db.Path() + "-wal")); // closing ended WAL mode
}

// Reads the record of WriteOneRecord through the reading connection and tries to
// write through the writing one; "" when both behave as on a read-only database.
std::string ReadButNoWrite() {
    CZParPool reader, writer(&dbDatabase);
    reader.m_strOwner = "X";
    reader.m_strNr = "1";
    if (reader.GetByK1(0) != 0 || reader.m_strWert != "gespeichert")
        return "nicht gelesen: " + reader.GetLastError();
    writer.m_strOwner = "X";
    writer.m_strNr = "2";
    if (writer.Write() == 0) return "geschrieben";
    if (writer.GetLastError().find("schreibgesch") == std::string::npos)
        return "andere Meldung: " + writer.GetLastError();
    return {};
}

// Reading opens the file for reading only: not a byte changes (no journal-mode
// switch in the header) and no files appear beside it; a write is refused as one
// on a read-only database.
TEST(DbOpen, ReadOnlyChangesNothing) {
    TempPracticeDb db;
    WriteOneRecord(db);
    const auto before = AllFiles(db.Dir());
    CString strError;
    ASSERT_TRUE(OpenPracticeDatabase(db.Path(), DbOpenMode::ReadOnly, strError)) << strError;
    EXPECT_EQ(ReadButNoWrite(), "");
    ClosePracticeDatabase();
    EXPECT_EQ(AllFiles(db.Dir()), before);
}

// A database another program holds locked is waited for a bounded time, then
// named as locked, not as "no practice database".
TEST(DbOpen, LockedDatabaseIsNamedAsLocked) {
    TempPracticeDb db;
    ClosePracticeDatabase();
    auto pOther = OpenSqliteConnection(db.Path(), false, false);
    pOther->Execute("BEGIN EXCLUSIVE");
    for (const DbOpenMode eMode : {DbOpenMode::ReadOnly, DbOpenMode::ReadWrite}) {
        CString strError;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(OpenPracticeDatabase(db.Path(), eMode, strError, 300));
        EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(250));
        EXPECT_NE(strError.find("\"" + db.Path() + "\" ist gesperrt"), std::string::npos)
            << strError;
        EXPECT_EQ(strError.find("keine Praxisdatenbank"), std::string::npos) << strError;
    }
    pOther->Rollback();
    CString strError;
    EXPECT_TRUE(OpenPracticeDatabase(db.Path(), DbOpenMode::ReadOnly, strError, 300)) << strError;
}

// Runs fn in a child process as a user who may not write the files of root
// (file permissions do not hold root back); the child's exit code.
int AsOtherUser(const std::function<int()>& fn) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(90);
        ::_exit(fn());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 91;
}

// A practice database the user may not write (its folder he may): reading works
// and leaves nothing beside it, a write is refused as one on a read-only database,
// and a command that must write is told so when opening.
TEST(DbOpen, ReadOnlyFileIsReadAndNamedReadOnlyForWriting) {
    TempPracticeDb db;
    WriteOneRecord(db);
    fs::permissions(db.Path(),
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(db.Dir(), fs::perms::all);
    const auto before = AllFiles(db.Dir());
    struct Case {
        const char* szName;
        std::function<bool(CString&)> open;
        bool bOpens;
    };
    const Case cases[] = {
        {"lesend",
         [&](CString& e) { return OpenPracticeDatabase(db.Path(), DbOpenMode::ReadOnly, e); },
         true},
        {"fuer den Dialog", [&](CString& e) { return OpenPracticeDatabase(db.Path(), e); }, true},
        {"schreibend",
         [&](CString& e) { return OpenPracticeDatabase(db.Path(), DbOpenMode::ReadWrite, e); },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.szName);
        const int nExit = AsOtherUser([&] {
            CString strError;
            const bool bOpened = c.open(strError);
            if (bOpened != c.bOpens) {
                std::fprintf(stderr, "%s\n", strError.c_str());
                return 1;
            }
            if (!bOpened)
                return strError.find("ist schreibgesch") != std::string::npos &&
                               strError.find("keine Praxisdatenbank") == std::string::npos
                           ? 0
                           : 2;
            const std::string strWhy = ReadButNoWrite();
            ClosePracticeDatabase();
            if (!strWhy.empty()) std::fprintf(stderr, "%s\n", strWhy.c_str());
            return strWhy.empty() ? 0 : 3;
        });
        EXPECT_EQ(nExit, 0);
        EXPECT_EQ(AllFiles(db.Dir()), before);
    }
}

} // namespace
