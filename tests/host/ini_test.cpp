#include "host/DBIniFile.h"

#include "host/AtomicFile.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class IniTest : public ::testing::Test {
protected:
    void SetUp() override {
        static std::atomic<int> nCounter{0};
        m_dir = fs::temp_directory_path() /
                ("vx_ini_" + std::to_string(::getpid()) + "_" + std::to_string(nCounter++));
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }

    void WriteRaw(const std::string& name, const std::string& content) const {
        std::ofstream(PathOf(name), std::ios::binary) << content;
    }

    std::string ReadRaw(const std::string& name) const {
        std::ifstream in(PathOf(name), std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    // Entries of the test folder; a leftover temporary file shows up here.
    long CountFiles() const {
        return std::distance(fs::directory_iterator(m_dir), fs::directory_iterator());
    }

    fs::path m_dir;
};

TEST_F(IniTest, MissingFileIsEmpty) {
    const CDBIniFile ini(PathOf("none.ini"));
    EXPECT_EQ(ini.ReadString("Selektion", "PlanArten", "def"), "def");
    EXPECT_TRUE(ini.GetErrors().empty());
    EXPECT_FALSE(fs::exists(PathOf("none.ini"))); // reading creates nothing
}

TEST_F(IniTest, AwkwardValuesRoundTrip) {
    const std::pair<CString, CString> values[] = {{"Blanks", "  beide Enden  "},
                                                  {"Tabs", "\tTab\t"},
                                                  {"Gleich", "a=b==c"},
                                                  {"Umlaute", "Zahn\xE4rztin M\xFCller \x80"},
                                                  {"Zeilen", "eins\nzwei\r\ndrei\n"},
                                                  {"Backslash", "C:\\Praxis\\vx_slu.dat"},
                                                  {"QuoteInside", "er sagte \"ja\""},
                                                  {"QuoteFront", "\"zitiert\""},
                                                  {"BackslashQuoted", " \\n kein Umbruch\\ "},
                                                  {"Steuer", std::string("a\0b\x1F", 4)},
                                                  {"Semikolon", ";kein Kommentar"},
                                                  {"Leer", ""},
                                                  {"NurBlanks", "   "}};
    CDBIniFile ini(PathOf("sel.ini"));
    for (const auto& [key, value] : values)
        ASSERT_TRUE(ini.WriteString("Selektion", key, value));
    ASSERT_TRUE(ini.Save());

    const CDBIniFile back(PathOf("sel.ini"));
    EXPECT_TRUE(back.GetErrors().empty());
    for (const auto& [key, value] : values)
        EXPECT_EQ(back.ReadString("Selektion", key, "<fehlt>"), value) << key;
    // Line breaks in values never break the line structure of the file.
    const std::string raw = ReadRaw("sel.ini");
    EXPECT_EQ(std::count(raw.begin(), raw.end(), '\n'), 1 + std::ssize(values));
    EXPECT_NE(raw.find("Backslash=C:\\Praxis\\vx_slu.dat\n"), std::string::npos);
}

TEST_F(IniTest, NamesAreCaseInsensitiveAndKeepFirstSpellingAndOrder) {
    CDBIniFile ini(PathOf("a.ini"));
    ASSERT_TRUE(ini.WriteString("Selektion", "PlanArten", "1"));
    ASSERT_TRUE(ini.WriteString("Zweite", "B", "2"));
    ASSERT_TRUE(ini.WriteString("Selektion", "Anfang", "3"));
    ASSERT_TRUE(ini.WriteString("SELEKTION", "planarten", "4"));
    EXPECT_EQ(ini.ReadString("selektion", "PLANARTEN", ""), "4");
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(ReadRaw("a.ini"), "[Selektion]\nPlanArten=4\nAnfang=3\n\n[Zweite]\nB=2\n");
}

TEST_F(IniTest, RewritingKeepsOtherSections) {
    WriteRaw("a.ini", "[Andere]\nX = 1\n\n[Selektion]\nIsLRech=0\n[Dritte]\nY=\" y \"\n");
    ASSERT_TRUE(CDBIniFile::WriteOneString(PathOf("a.ini"), "Selektion", "IsLRech", "1"));
    ASSERT_TRUE(CDBIniFile::WriteOneString(PathOf("a.ini"), "Neu", "Z", "3"));
    const CDBIniFile ini(PathOf("a.ini"));
    EXPECT_EQ(ini.ReadString("Andere", "X", ""), "1");
    EXPECT_EQ(ini.ReadString("Selektion", "IsLRech", ""), "1");
    EXPECT_EQ(ini.ReadString("Dritte", "Y", ""), " y ");
    EXPECT_EQ(ini.ReadString("Neu", "Z", ""), "3");
}

TEST_F(IniTest, InvalidNamesAreRefused) {
    CDBIniFile ini(PathOf("a.ini"));
    const std::pair<CString, CString> bad[] = {
        {"", "k"},    {"a]b", "k"},  {"a[b", "k"}, {"a\nb", "k"}, {" a", "k"}, {"s", ""},
        {"s", "a=b"}, {"s", "a\rb"}, {"s", "k "},  {"s", "[k"},   {"s", ";k"}, {"s", "#k"}};
    for (const auto& [section, key] : bad)
        EXPECT_FALSE(ini.WriteString(section, key, "v")) << "[" << section << "] " << key;
    EXPECT_EQ(ini.ReadString("a]b", "k", "def"), "def");
    EXPECT_TRUE(ini.WriteString("a b", "k]x y", "v")); // inner blanks and ']' in keys are fine
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(CDBIniFile(PathOf("a.ini")).ReadString("a b", "k]x y", ""), "v");
}

TEST_F(IniTest, MalformedLinesAreSkippedAndReported) {
    WriteRaw("bad.ini", "vorher=1\r\n"                // 1: key before any section
                        "[Selektion]\r\n"             // 2
                        "PlanArten=KB\r\n"            // 3
                        "ohne Gleichheitszeichen\r\n" // 4
                        "=leerer Schluessel\r\n"      // 5
                        "Offen=\"nicht zu\r\n"        // 6
                        "Escape=\"\\q\"\r\n"          // 7
                        "Hex=\"\\x4\"\r\n"            // 8
                        "Rest=\"a\" b\r\n"            // 9
                        "[kaputt\r\n"                 // 10
                        "Verloren=1\r\n"              // 11: under the broken header
                        "; Kommentar\r\n"             // 12
                        "[ selektion ]\r\n"           // 13
                        "  LstErfasst = 1  \r\n"      // 14
                        "IsLRech=0");                 // 15: no final line break
    const CDBIniFile ini(PathOf("bad.ini"));
    EXPECT_EQ(ini.ReadString("Selektion", "PlanArten", ""), "KB");
    EXPECT_EQ(ini.ReadString("Selektion", "LstErfasst", ""), "1");
    EXPECT_EQ(ini.ReadString("Selektion", "IsLRech", ""), "0");
    EXPECT_EQ(ini.ReadString("Selektion", "Offen", "def"), "def");
    EXPECT_EQ(ini.ReadString("Selektion", "Verloren", "def"), "def");

    const std::string prefix = PathOf("bad.ini") + ":";
    const std::vector<CString> expected = {
        prefix + "1: vorher=1",           prefix + "4: ohne Gleichheitszeichen",
        prefix + "5: =leerer Schluessel", prefix + "6: Offen=\"nicht zu",
        prefix + "7: Escape=\"\\q\"",     prefix + "8: Hex=\"\\x4\"",
        prefix + "9: Rest=\"a\" b",       prefix + "10: [kaputt",
        prefix + "11: Verloren=1"};
    EXPECT_EQ(ini.GetErrors(), expected);
}

TEST_F(IniTest, SaveIntoMissingFolderFailsCleanly) {
    const std::string path = PathOf("fehlt/sel.ini");
    EXPECT_FALSE(CDBIniFile::WriteOneString(path, "S", "K", "V"));
    EXPECT_FALSE(fs::exists(m_dir / "fehlt"));
    EXPECT_EQ(CountFiles(), 0);
}

TEST_F(IniTest, FullDiskKeepsOldContentAndRemovesTemp) {
    // A file size limit makes writing the temporary file fail half-way, as a full
    // disk would; this works for every user.
    WriteRaw("sel.ini", "[S]\nK=alt\n");
    CDBIniFile ini(PathOf("sel.ini"));
    ASSERT_TRUE(ini.WriteString("S", "K", std::string(64 * 1024, 'n')));
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit oldLimit{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
    rlimit small = oldLimit;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool bSaved = ini.Save();
    ::setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(bSaved);
    EXPECT_EQ(ReadRaw("sel.ini"), "[S]\nK=alt\n");
    EXPECT_EQ(CountFiles(), 1);
}

TEST_F(IniTest, FailedRenameLeavesTargetAndRemovesTemp) {
    // A folder in place of the target lets everything but the final rename succeed.
    fs::create_directories(m_dir / "sel.ini" / "inhalt");
    EXPECT_FALSE(WriteFileAtomic(PathOf("sel.ini"), "[S]\nK=neu\n"));
    EXPECT_TRUE(fs::is_directory(m_dir / "sel.ini" / "inhalt"));
    EXPECT_EQ(CountFiles(), 1);

    CDBIniFile ini(PathOf("sel.ini")); // a folder is no readable ini
    EXPECT_EQ(ini.GetErrors().size(), 1u);
    EXPECT_TRUE(ini.WriteString("S", "K", "neu"));
    EXPECT_FALSE(ini.Save());
    EXPECT_EQ(CountFiles(), 1);
}

TEST_F(IniTest, SaveReplacesWholeFileAndKeepsPermissions) {
    WriteRaw("sel.ini", "[S]\nK=" + std::string(10000, 'x') + "\n");
    fs::permissions(PathOf("sel.ini"),
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    CDBIniFile ini(PathOf("sel.ini"));
    ASSERT_TRUE(ini.WriteString("S", "K", "kurz"));
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(ReadRaw("sel.ini"), "[S]\nK=kurz\n");
    EXPECT_EQ(fs::status(PathOf("sel.ini")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(CountFiles(), 1);
}

} // namespace
