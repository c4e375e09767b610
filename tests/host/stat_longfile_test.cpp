// A hit file of many thousand lines, with very long lines among them: every line
// arrives once, in file order, with its own line number; cancelling in the middle
// ends the read at once.
#include "stat_support.h"

namespace {

using S = CStatLines;
using ::testing::HasSubstr;
using ::testing::StartsWith;

class StatLongFile : public StatFolderTest {
protected:
    // Line n (counted from 2, after the header) is good unless n % 997 == 0; every
    // 1500th good line carries a text of 200 KB.
    void WriteFile(int nLines) {
        std::string content = std::string(CStatEval::kHeader) + "\n";
        for (int n = 2; n < nLines + 2; ++n) {
            if (n % 997 == 0) {
                content += "L\tzu kurz\n";
                continue;
            }
            CStatLines line = Good(n);
            std::string text;
            EXPECT_TRUE(line.ToText(iLU_SICHERUNG, text));
            content += text + "\n";
        }
        WriteRaw("vx_test.txt", content);
        WriteRaw("vx_test.sel", "");
    }

    static CStatLines Good(int n) {
        CStatLines line;
        line.Set(S::SatzArt, "L");
        line.Set(S::PatNr, std::to_string(n));
        line.Set(S::HitText,
                 n % 1500 == 0 ? CString(200'000, 'x') : "M\xFCller\t" + std::to_string(n));
        return line;
    }
};

TEST_F(StatLongFile, EveryLineArrivesOnceInOrder) {
    constexpr int kLines = 20'000;
    WriteFile(kLines);
    CTestReader reader;
    CStatAccu accu;
    CString strError;
    ASSERT_TRUE(reader.Run(accu, Dir(), strError)) << strError;

    std::size_t nGood = 0, nBad = 0;
    for (int n = 2; n < kLines + 2; ++n) {
        if (n % 997 == 0) {
            ASSERT_LT(nBad, accu.m_vecErrors.size());
            EXPECT_THAT(accu.m_vecErrors[nBad++].m_strText,
                        StartsWith("vx_test.txt, Zeile " + std::to_string(n) + ": "));
        } else {
            ASSERT_LT(nGood, reader.m_vecLines.size());
            ASSERT_EQ(reader.m_vecLines[nGood++], Good(n)) << "line " << n;
        }
    }
    EXPECT_EQ(nGood, reader.m_vecLines.size());
    EXPECT_EQ(nBad, accu.m_vecErrors.size());
    // Progress every 1024 lines, by the position in the file.
    EXPECT_EQ(m_pHost->m_nProgressUpdates, (kLines + 1) / 1024);
    EXPECT_GT(m_pHost->m_nProgressDone, 0);
    EXPECT_LE(m_pHost->m_nProgressDone, m_pHost->m_nProgressTotal);
}

TEST_F(StatLongFile, CancelEndsTheReadInTheMiddle) {
    WriteFile(50'000);
    m_pHost->m_nAbbruchNachUpdates = 3;
    CTestReader reader;
    CStatAccu accu;
    CString strError;
    EXPECT_FALSE(reader.Run(accu, Dir(), strError));
    EXPECT_THAT(strError, HasSubstr("abgebrochen"));
    // Progress comes every 1024 lines; the fourth update cancels.
    EXPECT_EQ(m_pHost->m_nProgressUpdates, 4);
    EXPECT_LT(reader.m_vecLines.size(), 5u * 1024u);
    EXPECT_EQ(m_pHost->m_nProgressClosed, 1);
}

} // namespace
