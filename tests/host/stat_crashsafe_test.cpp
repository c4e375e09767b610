// A write that fails at any step leaves the previous hit and selection files
// byte for byte as they were, and no temporary file behind.
#include "stat_support.h"

#include <csignal>
#include <functional>
#include <sys/resource.h>

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

// The last step, the rename, fails here because a folder stands in the way; the
// selection, already written by then, must be put back.
TEST_F(StatCrashSafety, FailedCommitPutsOldSelectionBack) {
    for (bool bOldSelection : {true, false}) {
        std::filesystem::remove_all(PathOf("vx_test.txt"));
        std::filesystem::create_directories(PathOf("vx_test.txt/inhalt"));
        if (!bOldSelection) std::filesystem::remove(PathOf("vx_test.sel"));
        CTestWriter writer;
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

} // namespace
