// Opening and creating the practice database: failures leave every file as it
// was, and the two connections work side by side on one file.
#include "host/db/Database.h"
#include "host/db/Schema.h"
#include "host/db/ZParPool.h"
#include "support/TempPracticeDb.h"

#include <gtest/gtest.h>

#include <fstream>
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

} // namespace
