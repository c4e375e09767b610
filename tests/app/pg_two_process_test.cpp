// Several workstations on one PostgreSQL database: one saves the settings while
// another runs a pass, and a server that goes away in the middle of a pass.
#include "core/LUDefault.h"
#include "host/HostServices.h"
#include "host/ScriptedHostServices.h"
#include "host/db/Database.h"
#include "support/PgServer.h"
#include "support/RunVxstat.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

namespace fs = std::filesystem;

namespace {

class PgWorkstationTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device rd;
        m_dir = fs::temp_directory_path() / ("vxstat-pgws-" + std::to_string(rd()));
        fs::create_directories(m_dir);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }
    VxstatResult Pass(const std::string& strDb, const std::string& strData) {
        return RunVxstat({"lu", "pass", "--db", strDb, "--from", "2019-01-01", "--to", "2025-12-31",
                          "--data", (m_dir / strData).string()},
                         m_dir);
    }
    fs::path m_dir;
};

// A second workstation as a process of its own: saves the settings nTimes, as
// they are stored or (bAendern) with one choice switched each time; exits 0 when
// every save went through without a message.
pid_t StartSettingsWriter(const std::string& strDb, int nTimes, bool bAendern) {
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    auto host = std::make_shared<CScriptedHostServices>();
    InstallHostServices(host);
    CString strError;
    int nExit = OpenPracticeDatabase(strDb, DbOpenMode::ReadWrite, strError) ? 0 : 10;
    for (int i = 0; nExit == 0 && i < nTimes; ++i) {
        CLUDefault d;
        if (bAendern) d.SetMitPatName(i % 2 == 0);
        if (!d.WriteParPool() || !host->m_vecAufrufe.empty()) nExit = 11;
    }
    ClosePracticeDatabase();
    ::_exit(nExit);
}

int ExitOf(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(PgWorkstationTest, SettingsSavedWhileAnotherRunsAPass) {
    VX_PG_SERVER(pServer);
    const std::string strDb = pServer->NewDatabase();
    ASSERT_EQ(RunVxstat({"demo-db", strDb, "--invoices", "3000"}, m_dir).nExit, 0);
    const VxstatResult alone = Pass(strDb, "allein");
    ASSERT_EQ(alone.nExit, 0) << alone.strErr;

    const pid_t writer = StartSettingsWriter(strDb, 200, false);
    const VxstatResult during = Pass(strDb, "daneben");
    EXPECT_EQ(ExitOf(writer), 0);
    EXPECT_EQ(during.nExit, 0) << during.strErr;
    // The writer saves what is stored, so everything but the run id agrees.
    const auto lines = [](const fs::path& file) {
        const std::string text = ReadWholeFile(file);
        return text.substr(text.find('\n'));
    };
    EXPECT_EQ(lines(m_dir / "daneben" / "vx_slu.txt"), lines(m_dir / "allein" / "vx_slu.txt"));
}

// Two workstations saving at once: every save is one transaction, so each one
// either wins whole or waits; none fails and the stored text is one of theirs.
TEST_F(PgWorkstationTest, TwoWorkstationsSaveSettingsAtOnce) {
    VX_PG_SERVER(pServer);
    const std::string strDb = pServer->NewDatabase();
    CString strError;
    ASSERT_TRUE(CreatePracticeDatabase(strDb, strError)) << strError;
    ClosePracticeDatabase();
    const pid_t a = StartSettingsWriter(strDb, 150, true),
                b = StartSettingsWriter(strDb, 150, true);
    EXPECT_EQ(ExitOf(a), 0);
    EXPECT_EQ(ExitOf(b), 0);
    ASSERT_TRUE(OpenPracticeDatabase(strDb, DbOpenMode::ReadOnly, strError)) << strError;
    CLUDefault stored;
    const CString strText = stored.Def2Par();
    ClosePracticeDatabase();
    EXPECT_FALSE(strText.empty());
}

// The server stops at once in the middle of a pass: a German message, exit code
// 1, and the hit file of the pass before stays as it was, to the byte.
TEST_F(PgWorkstationTest, ServerGoesAwayDuringAPass) {
    VX_PG_SERVER(pShared); // only to skip or fail like the others without a server
    PgServer server;       // one of its own: this test stops it
    ASSERT_TRUE(server.IsRunning()) << PgServer::Problem();
    const std::string strDb = server.NewDatabase();
    ASSERT_EQ(RunVxstat({"demo-db", strDb, "--invoices", "60000"}, m_dir).nExit, 0);
    ASSERT_EQ(Pass(strDb, "data").nExit, 0);
    const std::string strBefore = ReadWholeFile(m_dir / "data" / "vx_slu.txt");
    const std::string strSelBefore = ReadWholeFile(m_dir / "data" / "vx_slu.sel");

    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        server.Stop(true);
    });
    const VxstatResult r = Pass(strDb, "data");
    stopper.join();
    EXPECT_EQ(r.nExit, 1) << r.strOut << r.strErr;
    EXPECT_NE(r.strErr.find("Verbindung zum Datenbankserver"), std::string::npos) << r.strErr;
    EXPECT_EQ(ReadWholeFile(m_dir / "data" / "vx_slu.txt"), strBefore);
    EXPECT_EQ(ReadWholeFile(m_dir / "data" / "vx_slu.sel"), strSelBefore);
}

} // namespace
