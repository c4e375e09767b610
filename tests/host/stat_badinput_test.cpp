// A damaged hit file: each bad line is reported with file name and line number,
// the good lines around it are kept, and nothing crashes.
#include "stat_support.h"

#include "host/Cp1252.h"

#include <sys/stat.h>

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
        m_good.Set(S::Techniker, "T1");
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
    const std::string twoShort = lastTab.substr(0, lastTab.rfind('\t'));
    std::string content = std::string(CStatEval::kHeader) + "\n";
    content += good + "\n";                                          // 2
    content += twoShort + "\n";                                      // 3 two fields short
    content += good + "\tzuviel\n";                                  // 4 one field more
    content += "X" + good.substr(1) + "\n";                          // 5 unknown kind
    content += "W\t1\t2\t0\t\t\t\t\t\t\t\t\t\t\t\t\t\t\n";           // 6 kind of another file
    content += lastTab + "\tab\\q\n";                                // 7 bad escape
    content += lastTab + "\tab\\\n";                                 // 8 backslash at the end
    content += lastTab + "\t\xFF\xFE\n";                             // 9 no UTF-8
    content += lastTab + "\t\xC3\n";                                 // 10 cut UTF-8 sequence
    content += std::string(CDBStdioFile::kMaxLine + 10, 'L') + "\n"; // 11 overlong
    content += "\n";                                                 // 12 empty line
    m_good.Set(S::LuBetrag(3), "zw\xF6lf");
    content += GoodText("13") + "\n"; // 13 no amount
    m_good.Set(S::LuBetrag(3), "");
    content += GoodText("14") + "\r\n"; // 14 CRLF
    content += GoodText("15") + "\n";   // 15
    // 16: an older line, written before the technician slot was added at the end
    const std::string old = GoodText("16");
    content += old.substr(0, old.rfind('\t')); // no final newline
    WriteRaw("vx_test.txt", content);
    WriteRaw("vx_test.sel", "");

    CTestReader reader;
    const std::vector<CString> errors = Read(reader);
    ASSERT_EQ(errors.size(), 11u);
    const int nBadLines[] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
    for (std::size_t i = 0; i < errors.size(); ++i)
        EXPECT_THAT(errors[i],
                    StartsWith("vx_test.txt, Zeile " + std::to_string(nBadLines[i]) + ": "));
    EXPECT_THAT(errors[0], HasSubstr("29 Felder statt 31"));
    EXPECT_THAT(errors[1], HasSubstr("32 Felder statt 31"));
    EXPECT_THAT(errors[2], HasSubstr("Satzart \"X\""));
    EXPECT_THAT(errors[4], HasSubstr("Escape"));
    EXPECT_THAT(errors[6], HasSubstr("UTF-8"));
    EXPECT_THAT(errors[8], HasSubstr("64 MiB"));
    EXPECT_THAT(errors[10], HasSubstr("Feld 13 ist kein Betrag: \"zw\xF6lf\""));

    ASSERT_EQ(reader.m_vecLines.size(), 4u);
    const char* patNrs[] = {"1", "14", "15", "16"};
    for (std::size_t i = 0; i < 4; ++i) {
        m_good.Set(S::PatNr, patNrs[i]);
        if (i == 3) m_good.Set(S::Techniker, ""); // the older line lacks it
        EXPECT_EQ(reader.m_vecLines[i], m_good) << i;
    }
}

// A missing file, one without header, one of another format version, and a huge
// sparse one are refused before the reader touches its accumulator.
TEST_F(StatBadInput, UnreadableFileIsRefused) {
    const char* contents[] = {nullptr, "", "L\t1\n", "#vxstat-hits\t2\n", "#vxstat-hits\t12\n"};
    for (const char* pszContent : contents) { // nullptr: none
        if (pszContent) WriteRaw("vx_test.txt", pszContent);
        CTestReader reader;
        CString strError;
        EXPECT_FALSE(reader.Run(m_accu, Dir(), strError));
        EXPECT_THAT(strError, HasSubstr(PathOf("vx_test.txt")));
        EXPECT_EQ(reader.m_nPrepared, 0);
    }
    WriteRaw("vx_test.txt", "");
    std::filesystem::resize_file(PathOf("vx_test.txt"), std::uintmax_t{10} << 30);
    CTestReader reader;
    CString strError;
    EXPECT_FALSE(reader.Run(m_accu, Dir(), strError));
    EXPECT_THAT(strError, HasSubstr("keine Trefferdatei"));
    EXPECT_EQ(reader.m_nPrepared, 0);
}

// Reading must neither hang on a named pipe or a device nor crash on a folder:
// either file in such a state is refused with a German reason naming it.
TEST_F(StatBadInput, OnlyRegularFilesAreRead) {
    const auto makeOdd = [&](const std::string& strName, int nKind) {
        std::filesystem::remove_all(PathOf(strName));
        if (nKind == 0) std::filesystem::create_directory(PathOf(strName));
        if (nKind == 1) {
            ASSERT_EQ(::mkfifo(PathOf(strName).c_str(), 0600), 0);
        }
        if (nKind == 2) std::filesystem::create_symlink("/dev/zero", PathOf(strName));
    };
    for (const char* pszName : {"vx_test.txt", "vx_test.sel"}) {
        for (int nKind = 0; nKind < 3; ++nKind) {
            SCOPED_TRACE(std::string(pszName) + " kind " + std::to_string(nKind));
            WriteRaw("vx_test.txt", std::string(CStatEval::kHeader) + "\n");
            WriteRaw("vx_test.sel", "");
            makeOdd(pszName, nKind);
            CTestReader reader;
            CString strError;
            EXPECT_FALSE(reader.Run(m_accu, Dir(), strError));
            EXPECT_THAT(strError, HasSubstr(PathOf(pszName)));
            EXPECT_THAT(Cp1252ToUtf8(strError), HasSubstr("keine gewöhnliche Datei"));
            EXPECT_EQ(reader.m_nPrepared, 0);
            std::filesystem::remove_all(PathOf(pszName));
        }
    }
    // A selection file of 10 GB, sparse, is not read into memory.
    WriteRaw("vx_test.txt", std::string(CStatEval::kHeader) + "\n");
    WriteRaw("vx_test.sel", "");
    std::filesystem::resize_file(PathOf("vx_test.sel"), std::uintmax_t{10} << 30);
    CTestReader reader;
    CString strError;
    EXPECT_FALSE(reader.Run(m_accu, Dir(), strError));
    EXPECT_THAT(Cp1252ToUtf8(strError), HasSubstr("größer als 1 MiB"));
}

// A missing selection file and a line of it that cannot be read are reported like
// a bad line of the hit file; the rest of the selection is still used.
TEST_F(StatBadInput, SelectionProblemsAreReported) {
    WriteRaw("vx_test.txt", std::string(CStatEval::kHeader) + "\n" + GoodText("1") + "\n");
    CTestReader reader;
    reader.m_strSelektion = "alt";
    EXPECT_THAT(Read(reader), ::testing::ElementsAre(StartsWith("vx_test.sel: ")));
    EXPECT_THAT(Cp1252ToUtf8(m_accu.m_vecErrors[0].m_strText), HasSubstr("fehlt"));
    EXPECT_EQ(reader.m_strSelektion, "");
    EXPECT_EQ(reader.m_vecLines.size(), 1u);

    WriteRaw("vx_test.sel", "[Selektion]\nkaputt\nWert=gut\n");
    m_accu.m_vecErrors.clear();
    CTestReader again;
    EXPECT_THAT(Read(again), ::testing::ElementsAre("vx_test.sel, Zeile 2: unlesbare Zeile "
                                                    "\"kaputt\""));
    EXPECT_EQ(again.m_strSelektion, "gut");
    EXPECT_EQ(again.m_vecLines.size(), 1u);
}

} // namespace
