// A damaged hit file: each bad line is reported with file name and line number,
// the good lines around it are kept, and nothing crashes.
#include "stat_support.h"

namespace {

using S = CStatLines;
using ::testing::HasSubstr;
using ::testing::StartsWith;

class StatBadInput : public StatFolderTest {
protected:
    StatBadInput() {
        m_good.Set(S::SatzArt, "L");
        m_good.Set(S::PatNr, "4711");
        m_good.Set(S::HitText, "M\xFCller");
        m_good.Set(S::LuBetrag1, "e      1234");
    }

    std::string GoodText(const char* pszPatNr) {
        m_good.Set(S::PatNr, pszPatNr);
        std::string text;
        EXPECT_TRUE(m_good.ToText(iLU_SICHERUNG, text));
        return text;
    }

    // Reads the file; the texts of the reported errors.
    std::vector<CString> Read(CTestReader& reader) {
        CString strError;
        EXPECT_TRUE(reader.Run(m_accu, Dir(), strError)) << strError;
        std::vector<CString> texts;
        for (const CBehErrors& err : m_accu.m_vecErrors)
            texts.push_back(err.m_strText);
        return texts;
    }

    CStatLines m_good;
    CStatAccu m_accu;
};

TEST_F(StatBadInput, BadLinesAreReportedAndSkipped) {
    const std::string good = GoodText("1");
    const std::string lastTab = good.substr(0, good.rfind('\t'));
    std::string content = std::string(CStatEval::kHeader) + "\n";
    content += good + "\n";                                          // 2
    content += lastTab + "\n";                                       // 3 one field short
    content += good + "\tzuviel\n";                                  // 4 one field more
    content += "X" + good.substr(1) + "\n";                          // 5 unknown kind
    content += "W\t1\t2\t0\t\t\t\t\t\t\t\t\t\t\t\t\t\t\n";           // 6 kind of another file
    content += lastTab + "\tab\\q\n";                                // 7 bad escape
    content += lastTab + "\tab\\\n";                                 // 8 backslash at the end
    content += lastTab + "\t\xFF\xFE\n";                             // 9 no UTF-8
    content += lastTab + "\t\xC3\n";                                 // 10 cut UTF-8 sequence
    content += std::string(CDBStdioFile::kMaxLine + 10, 'L') + "\n"; // 11 overlong
    content += "\n";                                                 // 12 empty line
    content += GoodText("13") + "\r\n";                              // 13 CRLF
    content += GoodText("14");                                       // 14 no final newline
    WriteRaw("vx_test.txt", content);

    CTestReader reader;
    const std::vector<CString> errors = Read(reader);
    ASSERT_EQ(errors.size(), 10u);
    const int nBadLines[] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    for (std::size_t i = 0; i < errors.size(); ++i)
        EXPECT_THAT(errors[i],
                    StartsWith("vx_test.txt, Zeile " + std::to_string(nBadLines[i]) + ": "));
    EXPECT_THAT(errors[0], HasSubstr("29 Felder statt 30"));
    EXPECT_THAT(errors[1], HasSubstr("31 Felder statt 30"));
    EXPECT_THAT(errors[2], HasSubstr("Satzart \"X\""));
    EXPECT_THAT(errors[4], HasSubstr("Escape"));
    EXPECT_THAT(errors[6], HasSubstr("UTF-8"));
    EXPECT_THAT(errors[8], HasSubstr("1 MiB"));

    ASSERT_EQ(reader.m_vecLines.size(), 3u);
    const char* patNrs[] = {"1", "13", "14"};
    for (std::size_t i = 0; i < 3; ++i) {
        m_good.Set(S::PatNr, patNrs[i]);
        EXPECT_EQ(reader.m_vecLines[i], m_good) << i;
    }
}

// A missing file, one without header and one of another format version are
// refused before the reader touches its accumulator; a missing selection is fine.
TEST_F(StatBadInput, UnreadableFileIsRefused) {
    const char* contents[] = {nullptr, "", "L\t1\n", "#vxstat-hits\t2\n"}; // nullptr: none
    for (const char* pszContent : contents) {
        if (pszContent) WriteRaw("vx_test.txt", pszContent);
        CTestReader reader;
        CString strError;
        EXPECT_FALSE(reader.Run(m_accu, Dir(), strError));
        EXPECT_THAT(strError, HasSubstr(PathOf("vx_test.txt")));
        EXPECT_EQ(reader.m_nPrepared, 0);
    }
    WriteRaw("vx_test.txt", std::string(CStatEval::kHeader) + "\n");
    CTestReader reader;
    reader.m_strSelektion = "alt";
    CString strError;
    EXPECT_TRUE(reader.Run(m_accu, Dir(), strError)) << strError;
    EXPECT_EQ(reader.m_strSelektion, "");
    EXPECT_EQ(reader.m_nPrepared, 1);
}

} // namespace
