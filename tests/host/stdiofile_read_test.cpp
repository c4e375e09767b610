// Reading lines: line ends, lines across the read buffer, lines too long to keep;
// and only regular files are opened, so that a folder, a device or a named pipe
// under a file's name gives a German reason instead of a crash or a hang.
#include "host/Cp1252.h"
#include "host/stat/DBStdioFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using R = CDBStdioFile::Read;
using ::testing::HasSubstr;

struct CLine {
    R eRead;
    std::string text;
    bool operator==(const CLine&) const = default;
};

class StdioFile : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() / ("vx_stdio_" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }
    std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }
    void Write(const std::string& content) const {
        std::ofstream(PathOf("f.txt"), std::ios::binary) << content;
    }
    std::vector<CLine> ReadAll() const {
        CDBStdioFile file;
        EXPECT_TRUE(file.OpenRead(PathOf("f.txt")));
        std::vector<CLine> lines;
        std::string line;
        for (R eRead; (eRead = file.ReadLine(line)) != R::End && eRead != R::Fault;)
            lines.push_back({eRead, line});
        return lines;
    }

    fs::path m_dir;
};

TEST_F(StdioFile, LineEndsAndTheLastLine) {
    const struct {
        std::string content;
        std::vector<CLine> lines;
    } cases[] = {
        {"", {}},
        {"a\r\nb\n\r\n", {{R::Line, "a"}, {R::Line, "b"}, {R::Line, ""}}},
        {"ohne Ende", {{R::Line, "ohne Ende"}}},
        {"x\r", {{R::Line, "x"}}},
        {"\r\r\n", {{R::Line, "\r"}}},
    };
    for (const auto& c : cases) {
        Write(c.content);
        EXPECT_EQ(ReadAll(), c.lines) << c.content;
    }
}

// Lines of up to 300 bytes and now and then one of some 100 KB, which crosses the
// read buffer; "\n" or "\r\n"; a last line with or without line end.
TEST_F(StdioFile, RandomLinesReadBackAsWritten) {
    for (unsigned nSeed = 1; nSeed <= 6; ++nSeed) {
        std::mt19937 rng(nSeed);
        std::string content;
        std::vector<CLine> expected;
        const int nLines = 50 + static_cast<int>(rng() % 3000);
        for (int i = 0; i < nLines; ++i) {
            const std::size_t nSize = rng() % 200 == 0 ? 100'000 + rng() % 1000 : rng() % 301;
            std::string text(nSize, 'a');
            for (std::size_t n = 0; n < nSize; ++n)
                text[n] = static_cast<char>('a' + (n + static_cast<std::size_t>(i)) % 26);
            expected.push_back({R::Line, text});
            content += text;
            if (i + 1 < nLines || rng() % 2) content += rng() % 3 ? "\n" : "\r\n";
        }
        Write(content);
        EXPECT_EQ(ReadAll(), expected) << "seed " << nSeed;
    }
}

// The writer refuses what the reader would refuse, and the longest line it takes
// reads back whole.
TEST_F(StdioFile, LongestLineWrittenReadsBackLongerOnesAreRefused) {
    const std::string strLongest(CDBStdioFile::kMaxLine, 'x');
    {
        CDBStdioFile file;
        ASSERT_TRUE(file.OpenWrite(PathOf("f.txt")));
        EXPECT_TRUE(file.WriteLine("kurz"));
        EXPECT_TRUE(file.WriteLine(strLongest));
        EXPECT_TRUE(file.WriteLine("kurz"));
        ASSERT_TRUE(file.Commit()) << file.GetError();
    }
    std::vector<CLine> lines = ReadAll();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].eRead, R::Line);
    EXPECT_TRUE(lines[1].text == strLongest);
    EXPECT_EQ(lines[2], (CLine{R::Line, "kurz"}));

    CDBStdioFile file;
    ASSERT_TRUE(file.OpenWrite(PathOf("g.txt")));
    EXPECT_FALSE(file.WriteLine(strLongest + "y"));
    EXPECT_THAT(file.GetError(), HasSubstr("64 MiB"));
    EXPECT_FALSE(file.Commit());
    EXPECT_FALSE(fs::exists(PathOf("g.txt")));

    Write("kurz\n" + strLongest + "y\nkurz\n");
    lines = ReadAll();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], (CLine{R::TooLong, ""}));
    EXPECT_EQ(lines[2], (CLine{R::Line, "kurz"}));
}

// A huge first line - a sparse file of 4 GB - is given up after nMax bytes.
TEST_F(StdioFile, FirstLineReadsNoFurtherThanAsked) {
    Write("");
    fs::resize_file(PathOf("f.txt"), std::uintmax_t{4} << 30);
    CDBStdioFile file;
    ASSERT_TRUE(file.OpenRead(PathOf("f.txt")));
    std::string line;
    EXPECT_EQ(file.ReadFirstLine(line, 4096), R::TooLong);
    EXPECT_LT(file.GetReadPos(), 1 << 20);
    Write("#kopf\nzeile\n");
    ASSERT_TRUE(file.OpenRead(PathOf("f.txt")));
    EXPECT_EQ(file.ReadFirstLine(line, 5), R::Line);
    EXPECT_EQ(line, "#kopf");
    EXPECT_EQ(file.ReadLine(line), R::Line);
    EXPECT_EQ(line, "zeile");
}

TEST_F(StdioFile, OnlyRegularFilesAreOpened) {
    fs::create_directory(PathOf("ordner"));
    ASSERT_EQ(::mkfifo(PathOf("pipe").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", PathOf("null"));
    for (const char* pszName : {"ordner", "pipe", "null"}) {
        SCOPED_TRACE(pszName);
        CDBStdioFile reading;
        EXPECT_FALSE(reading.OpenRead(PathOf(pszName)));
        EXPECT_EQ(Cp1252ToUtf8(reading.GetError()), "keine gewöhnliche Datei");
        EXPECT_FALSE(reading.IsOpen());
        CDBStdioFile writing;
        EXPECT_FALSE(writing.OpenWrite(PathOf(pszName)));
        EXPECT_EQ(Cp1252ToUtf8(writing.GetError()), "keine gewöhnliche Datei");
    }
    EXPECT_TRUE(fs::is_fifo(PathOf("pipe")));
    EXPECT_TRUE(fs::is_directory(PathOf("ordner")));
}

} // namespace
