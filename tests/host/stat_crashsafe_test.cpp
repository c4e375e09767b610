// A write that fails at any step leaves the previous hit and selection files
// byte for byte as they were, and no temporary file behind.
#include "stat_support.h"

#include "host/Cp1252.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

using S = CStatLines;
using ::testing::HasSubstr;

class StatCrashSafety : public StatFolderTest {
protected:
    void SetUp() override {
        StatFolderTest::SetUp();
        CTestWriter writer;
        writer.m_vecLines = Lines(3, "alt");
        writer.m_strSelektion = "alt";
        CString strError;
        ASSERT_TRUE(writer.Run(m_accu, Dir(), strError)) << strError;
        m_oldHits = ReadRaw("vx_test.txt");
        m_oldSel = ReadRaw("vx_test.sel");
    }

    static std::vector<CStatLines> Lines(int nCount, const CString& strText) {
        std::vector<CStatLines> lines(static_cast<std::size_t>(nCount));
        for (CStatLines& line : lines) {
            line.Set(S::SatzArt, "L");
            line.Set(S::HitText, strText);
            line.Set(S::ZusatzText, CString(200, 'x'));
        }
        return lines;
    }

    // Runs a writer of new content, spoilt by breakIt; the run must fail and
    // leave the old files.
    void ExpectUnchanged(const std::function<void(CTestWriter&)>& breakIt, const char* pszWhy) {
        CTestWriter writer;
        writer.m_vecLines = Lines(5000, "neu");
        m_accu.SetGesamtAnzahl(5000);
        breakIt(writer);
        CString strError;
        EXPECT_FALSE(writer.Run(m_accu, Dir(), strError));
        EXPECT_THAT(strError, HasSubstr(pszWhy));
        EXPECT_THAT(strError, HasSubstr(Dir()));
        EXPECT_EQ(ReadRaw("vx_test.txt"), m_oldHits);
        EXPECT_EQ(ReadRaw("vx_test.sel"), m_oldSel);
        EXPECT_EQ(FileNames(), (std::vector<std::string>{"vx_test.sel", "vx_test.txt"}));
        EXPECT_EQ(m_pHost->m_nProgressOpened, m_pHost->m_nProgressClosed);
    }

    CStatAccu m_accu;
    std::string m_oldHits, m_oldSel;
};

TEST_F(StatCrashSafety, FailingStepKeepsOldFiles) {
    ExpectUnchanged([](CTestWriter& w) { w.m_nResult = 1; }, "meldet einen Fehler");
    ExpectUnchanged([](CTestWriter& w) { w.m_bSelektionOk = false; }, "vx_test.sel");
    ExpectUnchanged([](CTestWriter& w) { w.m_vecLines[4000].Set(S::SatzArt, "W"); },
                    "Satzart \"W\"");
    m_pHost->m_nAbbruchNachUpdates = 100;
    ExpectUnchanged([](CTestWriter&) {}, "abgebrochen");
    EXPECT_EQ(m_pHost->m_nProgressTotal, 5000);
}

// A full disk, imitated by a file size limit: the write fails with EFBIG.
TEST_F(StatCrashSafety, WriteFailureKeepsOldFiles) {
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit oldLimit{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
    rlimit limit = oldLimit;
    limit.rlim_cur = 256 * 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    ExpectUnchanged([](CTestWriter&) {}, "zu gro");
    ::setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldHandler);
}

TEST_F(StatCrashSafety, UnusableDataFolderIsReported) {
    WriteRaw("keinordner", "");
    CTestWriter writer;
    CString strError;
    EXPECT_FALSE(writer.Run(m_accu, PathOf("keinordner"), strError));
    EXPECT_THAT(strError, HasSubstr(PathOf("keinordner/vx_test.txt")));
    EXPECT_THAT(strError, HasSubstr("kein Ordner"));
}

// The last step, the rename, fails here because a folder has taken the hit file's
// place meanwhile; the selection, already written by then, must be put back.
class CBlockedWriter : public CTestWriter {
public:
    explicit CBlockedWriter(std::string strHits) : m_strHits(std::move(strHits)) {}
    int DoData(CDBStdioFile& file, int& nCount) override {
        std::filesystem::remove_all(m_strHits);
        std::filesystem::create_directories(m_strHits + "/inhalt");
        return CTestWriter::DoData(file, nCount);
    }
    std::string m_strHits;
};

TEST_F(StatCrashSafety, FailedCommitPutsOldSelectionBack) {
    for (bool bOldSelection : {true, false}) {
        std::filesystem::remove_all(PathOf("vx_test.txt"));
        WriteRaw("vx_test.txt", m_oldHits);
        if (!bOldSelection) std::filesystem::remove(PathOf("vx_test.sel"));
        CBlockedWriter writer(PathOf("vx_test.txt"));
        writer.m_vecLines = Lines(2, "neu");
        CString strError;
        EXPECT_FALSE(writer.Run(m_accu, Dir(), strError));
        EXPECT_THAT(strError, HasSubstr("kann nicht gespeichert werden"));
        const std::vector<std::string> expected =
            bOldSelection ? std::vector<std::string>{"vx_test.sel", "vx_test.txt"}
                          : std::vector<std::string>{"vx_test.txt"};
        EXPECT_EQ(FileNames(), expected);
        if (bOldSelection) {
            EXPECT_EQ(ReadRaw("vx_test.sel"), m_oldSel);
        }
    }
}

// A selection file that is a folder or a named pipe: refused, naming the file,
// without a crash or a hang, the old hit file kept and nothing left behind.
TEST_F(StatCrashSafety, SelectionThatIsNoRegularFileIsRefused) {
    for (bool bPipe : {false, true}) {
        std::filesystem::remove(PathOf("vx_test.sel"));
        if (bPipe)
            ASSERT_EQ(::mkfifo(PathOf("vx_test.sel").c_str(), 0600), 0);
        else
            std::filesystem::create_directory(PathOf("vx_test.sel"));
        CTestWriter writer;
        writer.m_vecLines = Lines(2, "neu");
        CString strError;
        EXPECT_FALSE(writer.Run(m_accu, Dir(), strError));
        EXPECT_THAT(strError, HasSubstr(PathOf("vx_test.sel")));
        EXPECT_THAT(Cp1252ToUtf8(strError), HasSubstr("keine gewöhnliche Datei"));
        EXPECT_EQ(ReadRaw("vx_test.txt"), m_oldHits);
        EXPECT_EQ(FileNames(), (std::vector<std::string>{"vx_test.sel", "vx_test.txt"}));
    }
}

// A writer that dies between the replacement of the selection file and that of
// the hit file - before or after the evaluation wrote its keys - leaves a pair
// the reader refuses, instead of the old list read in the new selection.
class CDyingWriter : public CTestWriter {
public:
    bool CreateMoreSelektions(const CString& strPath) override {
        if (m_bAfterOwnKeys) CTestWriter::CreateMoreSelektions(strPath);
        std::_Exit(3);
    }
    bool m_bAfterOwnKeys = false;
};

TEST_F(StatCrashSafety, FilesOfDifferentRunsAreNotReadTogether) {
    for (bool bAfterOwnKeys : {false, true}) {
        EXPECT_EXIT(
            {
                CDyingWriter writer;
                writer.m_bAfterOwnKeys = bAfterOwnKeys;
                CString strError;
                writer.Run(m_accu, Dir(), strError);
            },
            ::testing::ExitedWithCode(3), "");
        EXPECT_EQ(ReadRaw("vx_test.txt"), m_oldHits);
        CTestReader reader;
        CStatAccu accu;
        CString strError;
        EXPECT_FALSE(reader.Run(accu, Dir(), strError));
        EXPECT_THAT(strError, HasSubstr("nicht aus demselben Lauf"));
        EXPECT_THAT(strError, HasSubstr(PathOf("vx_test.sel")));
        EXPECT_EQ(reader.m_nPrepared, 0);
    }
    // Files of two complete runs do not go together either; each run's own do.
    CTestWriter writer;
    CString strError;
    ASSERT_TRUE(writer.Run(m_accu, Dir(), strError)) << strError;
    WriteRaw("vx_test.sel", m_oldSel);
    CTestReader reader;
    CStatAccu accu;
    EXPECT_FALSE(reader.Run(accu, Dir(), strError));
    EXPECT_THAT(strError, HasSubstr("nicht aus demselben Lauf"));
    WriteRaw("vx_test.txt", m_oldHits);
    EXPECT_TRUE(reader.Run(accu, Dir(), strError)) << strError;
    EXPECT_EQ(reader.m_strSelektion, "alt");
}

// A writer killed while it writes leaves no file a later run does not remove.
// Leftovers of an ended process are removed once they are an hour old; those of
// a running one stay.
class CKilledWriter : public CTestWriter {
public:
    int DoData(CDBStdioFile& file, int& nCount) override {
        CTestWriter::DoData(file, nCount);
        file.Flush();
        std::_Exit(4);
    }
};

TEST_F(StatCrashSafety, KilledWriterLeavesNothingBehind) {
    EXPECT_EXIT(
        {
            CKilledWriter writer;
            writer.m_vecLines = Lines(100, "neu");
            CString strError;
            writer.Run(m_accu, Dir(), strError);
        },
        ::testing::ExitedWithCode(4), "");
    const std::string strRunning = "vx_test.txt.tmp" + std::to_string(::getppid()) + "-0";
    WriteRaw(strRunning, "noch in Arbeit");
    const pid_t pidGone = ::fork();
    if (pidGone == 0) ::_exit(0);
    ::waitpid(pidGone, nullptr, 0);
    WriteRaw("vx_test.txt.tmp" + std::to_string(pidGone) + "-7", "Rest");
    WriteRaw("vx_test.sel.tmp" + std::to_string(pidGone) + "-8", "Rest");
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(2);
    for (const std::string& strName : FileNames())
        std::filesystem::last_write_time(PathOf(strName), old);
    CTestWriter writer;
    CString strError;
    ASSERT_TRUE(writer.Run(m_accu, Dir(), strError)) << strError;
    EXPECT_EQ(FileNames(), (std::vector<std::string>{"vx_test.sel", "vx_test.txt", strRunning}));
}

} // namespace
