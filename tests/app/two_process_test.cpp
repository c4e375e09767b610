// Two vxstat programs on one practice database at the same time. The test bodies
// take the database as the text that --db takes; what only an SQLite file has (its
// file lock, its integrity check) stays in the SQLite tests below them.
#include "app/CommandHelp.h"

#include "support/RunVxstat.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char* kVon = "2000-01-01";
constexpr const char* kBis = "2030-12-31";

// A folder of its own per test, removed afterwards.
class TwoProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device rd;
        m_dir = fs::temp_directory_path() /
                ("vxstat-zwei-" + std::to_string(rd()) + std::to_string(rd()));
        fs::create_directories(m_dir);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }
    // A new, empty folder under the test's folder.
    fs::path Folder(const std::string& strName) const {
        fs::create_directories(m_dir / strName);
        return m_dir / strName;
    }
    // A demo practice database; large enough that a pass takes a good part of a second.
    std::string DemoDb(int nInvoices) {
        const std::string strDb = (m_dir / "praxis.db").string();
        const VxstatResult r =
            RunVxstat({"demo-db", strDb, "--invoices", std::to_string(nInvoices), "--seed", "9"},
                      Folder("demo"));
        EXPECT_EQ(r.nExit, kExitOk) << r.strErr;
        return strDb;
    }
    fs::path m_dir;
};

std::vector<std::string> PassArgs(const std::string& strDb, const fs::path& data) {
    return {"lu", "pass", "--db", strDb, "--from", kVon, "--to", kBis, "--data", data.string()};
}

// The hit file without its first line, which names the run.
std::string HitLines(const fs::path& data) {
    const std::string strFile = ReadWholeFile(data / "vx_slu.txt");
    const std::size_t nEnde = strFile.find('\n');
    return nEnde == std::string::npos ? std::string() : strFile.substr(nEnde + 1);
}

std::string Summary(const fs::path& data, const fs::path& out) {
    const VxstatResult r = RunVxstat({"lu", "summary", "--data", data.string()}, out);
    EXPECT_EQ(r.nExit, kExitOk) << r.strErr;
    return r.strOut;
}

// The line of "vxstat settings" for the patient's name: "ja" or "nein".
std::string StoredMitPatName(const std::string& strDb, const fs::path& out) {
    const VxstatResult r = RunVxstat({"settings", "--db", strDb}, out);
    EXPECT_EQ(r.nExit, kExitOk) << r.strErr;
    std::istringstream in(r.strOut);
    for (std::string strLine; std::getline(in, strLine);)
        if (strLine.find("Name des Patienten anzeigen") != std::string::npos)
            return strLine.substr(strLine.find_last_of(' ') + 1);
    return "<fehlt>";
}

VxstatResult SaveMitPatName(const std::string& strDb, bool bJa, const fs::path& out) {
    return RunVxstat(
        {"settings", "--db", strDb, "--set", bJa ? "MitPatName=ja" : "MitPatName=nein"}, out);
}

// A pass runs while another program saves the settings again and again: both
// finish, the pass finds what it finds alone, the last save is the one kept.
void PassWhileSettingsAreSaved(const std::string& strDb, const fs::path& dir) {
    const fs::path allein = dir / "allein", parallel = dir / "parallel", out = dir / "out",
                   pass_out = dir / "pass";
    for (const fs::path& p : {allein, parallel, out, pass_out})
        fs::create_directories(p);
    const VxstatResult ref = RunVxstat(PassArgs(strDb, allein), out);
    ASSERT_EQ(ref.nExit, kExitOk) << ref.strErr;

    VxstatInBackground pass(PassArgs(strDb, parallel), pass_out);
    ASSERT_TRUE(pass.Started());
    int nSaves = 0;
    bool bJa = false;
    while (pass.Running() && nSaves < 200) {
        bJa = !bJa;
        const VxstatResult r = SaveMitPatName(strDb, bJa, out);
        ASSERT_EQ(r.nExit, kExitOk) << "save " << nSaves << ": " << r.strErr;
        EXPECT_NE(r.strOut.find("Einstellungen gespeichert."), std::string::npos) << r.strOut;
        ++nSaves;
    }
    const VxstatResult r = pass.Wait();
    ASSERT_EQ(r.nExit, kExitOk) << r.strErr;
    // The first save starts while the pass runs; how many more fit in depends on
    // the machine.
    EXPECT_GE(nSaves, 1) << "the pass ended before a save could overlap it";

    EXPECT_TRUE(HitLines(parallel) == HitLines(allein)) << "the hit files differ";
    EXPECT_FALSE(HitLines(allein).empty());
    EXPECT_EQ(Summary(parallel, out), Summary(allein, out));
    EXPECT_EQ(StoredMitPatName(strDb, out), bJa ? "ja" : "nein");
}

// While another program holds the database locked for writing, a command that
// writes waits the bounded time, then gives up with a message naming the database
// as locked and leaves the settings as they were; once the lock is gone it works.
template <typename Lock>
void WriteWaitsForLockThenGivesUp(const std::string& strDb, const fs::path& out, Lock&& lock,
                                  const std::string& strGenannt) {
    ASSERT_EQ(SaveMitPatName(strDb, false, out).nExit, kExitOk);
    lock.Take();
    const auto start = std::chrono::steady_clock::now();
    const VxstatResult r = SaveMitPatName(strDb, true, out);
    const double dSekunden =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    lock.Release();

    EXPECT_EQ(r.nExit, kExitFehler) << r.strOut << r.strErr;
    EXPECT_NE(r.strErr.find("gesperrt"), std::string::npos) << r.strErr;
    EXPECT_NE(r.strErr.find(strGenannt), std::string::npos) << r.strErr;
    EXPECT_EQ(r.strOut.find("Einstellungen gespeichert."), std::string::npos) << r.strOut;
    EXPECT_GE(dSekunden, 4.5); // the database layer waits 5 s for another program's lock
    EXPECT_LT(dSekunden, 30.0);
    EXPECT_EQ(StoredMitPatName(strDb, out), "nein");

    ASSERT_EQ(SaveMitPatName(strDb, true, out).nExit, kExitOk);
    EXPECT_EQ(StoredMitPatName(strDb, out), "ja");
}

// SQLite: a connection of the test holds the file's lock.
class SqliteLock {
public:
    SqliteLock(const std::string& strPath, const char* szBegin) : m_szBegin(szBegin) {
        EXPECT_EQ(sqlite3_open_v2(strPath.c_str(), &m_db, SQLITE_OPEN_READWRITE, nullptr),
                  SQLITE_OK);
    }
    ~SqliteLock() { sqlite3_close(m_db); }
    SqliteLock(const SqliteLock&) = delete;
    SqliteLock& operator=(const SqliteLock&) = delete;

    void Take() { ASSERT_EQ(sqlite3_exec(m_db, m_szBegin, nullptr, nullptr, nullptr), SQLITE_OK); }
    void Release() { sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr); }

    // The answer of PRAGMA integrity_check ("ok" for a sound file).
    std::string IntegrityCheck() {
        std::string strAntwort;
        sqlite3_exec(
            m_db, "PRAGMA integrity_check",
            [](void* p, int, char** values, char**) {
                *static_cast<std::string*>(p) += values[0] ? values[0] : "";
                return 0;
            },
            &strAntwort, nullptr);
        return strAntwort;
    }

private:
    const char* m_szBegin;
    sqlite3* m_db = nullptr;
};

TEST_F(TwoProcessTest, SqlitePassAndSettingsSavesAtOnceBothFinishCorrectly) {
    const std::string strDb = DemoDb(20000);
    PassWhileSettingsAreSaved(strDb, m_dir);
    SqliteLock pruefung(strDb, "BEGIN");
    EXPECT_EQ(pruefung.IntegrityCheck(), "ok");
}

// EXCLUSIVE keeps even readers out; IMMEDIATE (another program in the middle of a
// write) only writers, so a pass still runs beside it.
class SqliteLockTest : public TwoProcessTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(SqliteLockTest, FileLockedByAnotherProgramIsWaitedForThenReported) {
    const std::string strDb = DemoDb(300);
    SqliteLock lock(strDb, GetParam());
    WriteWaitsForLockThenGivesUp(strDb, Folder("out"), lock, "\"" + strDb + "\"");
    EXPECT_EQ(lock.IntegrityCheck(), "ok");
    for (const char* szRest : {"-wal", "-shm", "-journal"})
        EXPECT_FALSE(fs::exists(strDb + szRest)) << szRest;

    if (GetParam() != std::string("BEGIN IMMEDIATE")) return;
    lock.Take();
    const VxstatResult r = RunVxstat(PassArgs(strDb, Folder("data")), Folder("out"));
    lock.Release();
    EXPECT_EQ(r.nExit, kExitOk) << r.strErr;
}

INSTANTIATE_TEST_SUITE_P(Locks, SqliteLockTest,
                         ::testing::Values("BEGIN EXCLUSIVE", "BEGIN IMMEDIATE"),
                         [](const auto& info) {
                             return std::string(info.param).substr(6); // EXCLUSIVE, IMMEDIATE
                         });

} // namespace
