#include "host/TextUtil.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

TEST(Text, TrimTouchesBlanksOnly) {
    struct Case {
        CString in, trim, left, right, noBlanks;
        bool blank;
    };
    const Case cases[] = {{"", "", "", "", "", true},
                          {"   ", "", "", "", "", true},
                          {"  a b  ", "a b", "a b  ", "  a b", "ab", false},
                          {"\ta\t", "\ta\t", "\ta\t", "\ta\t", "\ta\t", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE("'" + c.in + "'");
        EXPECT_EQ(Trim(c.in), c.trim);
        EXPECT_EQ(TrimLeft(c.in), c.left);
        EXPECT_EQ(TrimRight(c.in), c.right);
        EXPECT_EQ(RemoveBlanks(c.in), c.noBlanks);
        EXPECT_EQ(Blank(c.in), c.blank);
    }
}

TEST(Text, FixPadsOrCutsToExactWidth) {
    struct Case {
        CString in;
        int width;
        char fill;
        CString left, right, cent;
    };
    const Case cases[] = {{"ab", 5, ' ', "ab   ", "   ab", " ab  "},
                          {"ab", 6, '*', "ab****", "****ab", "**ab**"},
                          {"abcdef", 3, ' ', "abc", "abc", "abc"},
                          {"abc", 0, ' ', "", "", ""},
                          {"abc", -4, ' ', "", "", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in + "/" + std::to_string(c.width));
        EXPECT_EQ(LeftFix(c.in, c.width, c.fill), c.left);
        EXPECT_EQ(RightFix(c.in, c.width, c.fill), c.right);
        EXPECT_EQ(CentFix(c.in, c.width, c.fill), c.cent);
    }
}

TEST(Text, MidStaysInsideTheText) {
    struct Case {
        int start, count;
        CString expected;
    };
    const Case cases[] = {{0, -1, "abcdef"}, {2, -1, "cdef"}, {2, 2, "cd"},  {4, 10, "ef"},
                          {6, 1, ""},        {6, -1, ""},     {100, -1, ""}, {-3, -1, "abcdef"},
                          {0, 0, ""},        {INT_MAX, 5, ""}};
    for (const Case& c : cases)
        EXPECT_EQ(GetMidStr("abcdef", c.start, c.count), c.expected) << c.start << "," << c.count;
}

TEST(Text, LeadingIntReadsLikeTheCLibraryAndClamps) {
    const std::pair<CString, long long> cases[] = {{"", 0},
                                                   {"abc", 0},
                                                   {"  -17xyz", -17},
                                                   {"+8", 8},
                                                   {"12 34", 12},
                                                   {"- 5", 0},
                                                   {"99999999999999999999999", LLONG_MAX},
                                                   {"-99999999999999999999999", LLONG_MIN}};
    for (const auto& [in, expected] : cases)
        EXPECT_EQ(LeadingInt(in), expected) << in;
}

// Every length class of the in-place comparison, with the difference at every
// position, also at the bytes two overlapping loads share.
TEST(Text, SameTextSeesEveryDifference) {
    for (std::size_t n = 0; n <= 40; ++n) {
        const CString a(n, 'x');
        EXPECT_TRUE(SameText(a, CString(n, 'x'))) << n;
        EXPECT_FALSE(SameText(a, CString(n + 1, 'x'))) << n;
        for (std::size_t i = 0; i < n; ++i) {
            CString b = a;
            b[i] = '\xFF';
            EXPECT_FALSE(SameText(a, b)) << n << " at " << i;
            EXPECT_FALSE(SameText(b, a)) << n << " at " << i;
        }
    }
}

TEST(Text, FormatHasNoLengthLimit) {
    EXPECT_EQ(Format("%d-%s-%05.1f", 7, "x", 2.25), "7-x-002.2");
    const CString longText(5000, 'q');
    EXPECT_EQ(Format("<%s>", longText.c_str()), "<" + longText + ">");
}

TEST(Text, IsDbDateKnowsTheCalendar) {
    for (const char* valid : {"20240131", "20240229", "20000229", "20241231"})
        EXPECT_TRUE(IsDbDate(valid)) << valid;
    for (const char* invalid :
         {"20230229", "19000229", "20240230", "20240431", "20241301", "20240001", "20240100",
          "00000101", "2024013", "202401311", "2024013a", " 2024013", ""})
        EXPECT_FALSE(IsDbDate(invalid)) << invalid;
}

TEST(Text, DateFormsConvertOnlyRealDays) {
    EXPECT_EQ(Db2Date("20240131"), "31.01.2024");
    EXPECT_EQ(Db2Date("20240230"), "20240230"); // unchanged
    EXPECT_EQ(Date2Db("29.02.2024"), "20240229");
    EXPECT_EQ(Date2Db("29.02.2023"), "");
    EXPECT_EQ(Date2Db("1.1.2024"), "");
    EXPECT_EQ(IsoDate2Db("2024-02-29"), "20240229");
    EXPECT_EQ(IsoDate2Db("2024-02-30"), "");
    EXPECT_EQ(Db2IsoDate("20240229"), "2024-02-29");
    EXPECT_EQ(StrToExt(" 20240131 ", 5, 8), "31.01.2024");
    EXPECT_EQ(StrToExt("20240131", 5, 6), "20240131");
    EXPECT_EQ(StrToExt(" 20240131", 1, 8), "20240131");
}

TEST(Text, TodayCanBeFixedForTests) {
    SetTKDateOverride("20200101");
    EXPECT_EQ(GetTKDate(), "20200101");
    SetTKDateOverride("");
    EXPECT_TRUE(IsDbDate(GetTKDate()));
}

} // namespace
