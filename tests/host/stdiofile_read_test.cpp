// Reading lines: ViewLine hands out the same lines as ReadLine, whatever the line
// ends, wherever a line crosses the read buffer, and for lines too long to keep.
#include "host/stat/DBStdioFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct CLine {
    CDBStdioFile::Read eRead;
    std::string text;
    bool operator==(const CLine&) const = default;
};

// Lines of 0 to 300 bytes, now and then one of some 100 KB that crosses the read
// buffer, or one beyond the longest line; "\n" or "\r\n"; a last line with or
// without line end.
std::string RandomContent(std::mt19937& rng) {
    std::string content;
    const int nLines = 50 + static_cast<int>(rng() % 3000);
    for (int i = 0; i < nLines; ++i) {
        const unsigned nKind = rng() % 1000;
        const std::size_t nSize = nKind == 0  ? CDBStdioFile::kMaxLine + 1 + rng() % 3
                                  : nKind < 5 ? 100'000 + rng() % 1000
                                              : rng() % 301;
        for (std::size_t n = 0; n < nSize; ++n)
            content += static_cast<char>('a' + (n + i) % 26);
        if (i + 1 < nLines || rng() % 2) content += rng() % 3 ? "\n" : "\r\n";
    }
    return content;
}

std::vector<CLine> ReadAll(const std::string& strPath, bool bView) {
    CDBStdioFile file;
    EXPECT_TRUE(file.OpenRead(strPath));
    std::vector<CLine> lines;
    std::string line, spill;
    std::string_view view;
    for (;;) {
        const CDBStdioFile::Read eRead = bView ? file.ViewLine(view, spill) : file.ReadLine(line);
        if (eRead == CDBStdioFile::Read::End || eRead == CDBStdioFile::Read::Fault) break;
        lines.push_back({eRead, bView ? std::string(view) : line});
    }
    return lines;
}

TEST(StdioFileRead, ViewLineGivesTheLinesOfReadLine) {
    const fs::path path = fs::temp_directory_path() / ("vx_view_" + std::to_string(::getpid()));
    for (unsigned seed = 1; seed <= 12; ++seed) {
        std::mt19937 rng(seed);
        const std::string content = RandomContent(rng);
        std::ofstream(path, std::ios::binary) << content;
        const std::vector<CLine> expected = ReadAll(path.string(), false);
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(ReadAll(path.string(), true), expected) << "seed " << seed;
    }
    fs::remove(path);
}

TEST(StdioFileRead, LineEndsAndTheLastLine) {
    const fs::path path = fs::temp_directory_path() / ("vx_ends_" + std::to_string(::getpid()));
    using R = CDBStdioFile::Read;
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
        std::ofstream(path, std::ios::binary) << c.content;
        for (bool bView : {false, true})
            EXPECT_EQ(ReadAll(path.string(), bView), c.lines) << c.content << " " << bView;
    }
    fs::remove(path);
}

} // namespace
