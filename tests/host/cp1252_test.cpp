#include "host/Cp1252.h"

#include <gtest/gtest.h>
#include <iconv.h>

namespace {

// The system's own converter as the reference for the defined bytes.
std::string IconvToUtf8(unsigned char byte) {
    iconv_t cd = iconv_open("UTF-8", "CP1252");
    if (cd == reinterpret_cast<iconv_t>(-1)) return "<no iconv>";
    char in[1] = {static_cast<char>(byte)};
    char out[8] = {};
    char* pIn = in;
    char* pOut = out;
    std::size_t nIn = 1, nOut = sizeof(out);
    const std::size_t rc = iconv(cd, &pIn, &nIn, &pOut, &nOut);
    iconv_close(cd);
    return rc == static_cast<std::size_t>(-1) ? "<error>" : std::string(out, pOut);
}

bool IsUndefined(unsigned char b) {
    return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    std::size_t nReplaced = 0;
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all), &nReplaced), all);
    EXPECT_EQ(nReplaced, 0u);
}

TEST(Cp1252, DefinedBytesMatchTheSystemConverter) {
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        if (IsUndefined(byte)) continue;
        EXPECT_EQ(Cp1252ToUtf8(std::string(1, static_cast<char>(byte))), IconvToUtf8(byte))
            << "byte " << b;
    }
}

TEST(Cp1252, UndefinedBytesMapToC1CodePoints) {
    for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        const std::string expected = {'\xC2', static_cast<char>(b)};
        EXPECT_EQ(Cp1252ToUtf8(std::string(1, static_cast<char>(b))), expected) << int(b);
    }
}

TEST(Cp1252, KnownCharactersBothWays) {
    EXPECT_EQ(Utf8ToCp1252("Zahnärztin Müller €5 – „ok“"), "Zahn\xE4rztin M\xFCller \x80"
                                                           "5 \x96 \x84ok\x93");
    EXPECT_EQ(Cp1252ToUtf8("Gr\xF6\xDF"
                           "e"),
              "Größe");
    EXPECT_EQ(Utf8ToCp1252(""), "");
    EXPECT_TRUE(IsAscii("plain text"));
    EXPECT_FALSE(IsAscii("\xE4"));
}

TEST(Cp1252, UnmappableAndInvalidInputBecomesCountedQuestionMarks) {
    struct Case {
        const char* name;
        std::string utf8;
        CString expected;
        std::size_t replaced;
    };
    const Case cases[] = {
        {"Greek Omega", "Ω=1", "?=1", 1},
        {"CJK", "a你b", "a?b", 1},
        {"emoji", "😀!", "?!", 1},
        {"two unmappable", "ΩΩ", "??", 2},
        {"lone continuation", "a\x80z", "a?z", 1},
        {"truncated at end", "a\xE2\x82", "a??", 2},
        {"truncated before ASCII", "\xE2\x82z", "??z", 2},
        {"overlong slash", "\xC0\xAF", "??", 2},
        {"overlong three bytes", "\xE0\x80\xAF", "???", 3},
        {"surrogate", "\xED\xA0\x80", "???", 3},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", "????", 4},
        {"invalid lead byte", "\xFF\xFE", "??", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t nBefore = Cp1252ReplacementCount();
        std::size_t nReplaced = 7; // added to, not overwritten
        EXPECT_EQ(Utf8ToCp1252(c.utf8, &nReplaced), c.expected);
        EXPECT_EQ(nReplaced, 7 + c.replaced);
        EXPECT_EQ(Cp1252ReplacementCount() - nBefore, c.replaced);
    }
}

TEST(Cp1252, CountsWithoutOutParameterToo) {
    const std::size_t nBefore = Cp1252ReplacementCount();
    EXPECT_EQ(Utf8ToCp1252("Ω"), "?");
    EXPECT_EQ(Cp1252ReplacementCount() - nBefore, 1u);
}

} // namespace

namespace {

TEST(Cp1252, LossesAreNotedOncePerTextByTheInnermostObserver) {
    Utf8ToCp1252("\xC5\x81ukasz"); // no observer: nothing noted anywhere
    CCp1252Verluste aussen;
    Utf8ToCp1252("\xC5\x81ukasz");
    Utf8ToCp1252("M\xC3\xBCller"); // fits Windows-1252: no loss
    {
        CCp1252Verluste innen;
        Utf8ToCp1252("\xE2\x82\xAC 5 \xE2\x9C\x93"); // the euro sign fits, the check mark not
        Utf8ToCp1252("\xE2\x82\xAC 5 \xE2\x9C\x93");
        EXPECT_EQ(innen.GetAnzahl(), 1u);
        EXPECT_EQ(innen.GetBeispiel(), "\x80 5 ?");
    }
    Utf8ToCp1252("\xC5\x81ukasz"); // the same text again
    Utf8ToCp1252("Zo\xC3\xAB \xC5\x81");
    EXPECT_EQ(aussen.GetAnzahl(), 2u);
    EXPECT_EQ(aussen.GetBeispiel(), "?ukasz");
}

} // namespace
