#pragma once
// String helpers of the host, on Windows-1252 texts. "Blank" means the space
// character; these helpers never touch tabs or other white space.
#include "host/CString.h"

#include <cstdint>
#include <cstring>
#include <string_view>

CString Trim(const CString& text);      // without blanks at either end
CString TrimLeft(const CString& text);  // without leading blanks
CString TrimRight(const CString& text); // without trailing blanks
CString RemoveBlanks(const CString& text); // every blank removed
bool Blank(const CString& text);        // empty or blanks only

// Exactly nWidth characters: the text padded with cFill (left-aligned, right-aligned
// or centred); a longer text is cut at its end.
CString LeftFix(const CString& text, int nWidth, char cFill = ' ');
CString RightFix(const CString& text, int nWidth, char cFill = ' ');
CString CentFix(const CString& text, int nWidth, char cFill = ' ');

// nCount characters from nStart (0-based); nCount -1 means the rest. Positions
// outside the text give what lies inside it, possibly the empty text.
CString GetMidStr(const CString& text, int nStart, int nCount = -1);

// Whether two texts are equal. Texts of rows are short, mostly under 17 bytes:
// those are compared in place with at most four loads, as the library call costs
// more than the comparison itself.
inline bool SameText(std::string_view a, std::string_view b) {
    const std::size_t n = a.size();
    if (n != b.size()) return false;
    const auto load = [](const char* p, auto word) {
        std::memcpy(&word, p, sizeof word);
        return word;
    };
    if (n >= 8 && n <= 16)
        return load(a.data(), std::uint64_t{}) == load(b.data(), std::uint64_t{}) &&
               load(a.data() + n - 8, std::uint64_t{}) == load(b.data() + n - 8, std::uint64_t{});
    if (n >= 4 && n < 8)
        return load(a.data(), std::uint32_t{}) == load(b.data(), std::uint32_t{}) &&
               load(a.data() + n - 4, std::uint32_t{}) == load(b.data() + n - 4, std::uint32_t{});
    if (n < 4) {
        for (std::size_t i = 0; i < n; ++i)
            if (a[i] != b[i]) return false;
        return true;
    }
    return std::memcmp(a.data(), b.data(), n) == 0;
}

CString itoc(long long n); // decimal text

// Leading integer of a text as the C library reads it: leading blanks skipped,
// an optional sign, digits up to the first non-digit; no digits give 0. Values
// beyond the range of long long are clamped.
long long LeadingInt(const CString& text);

// printf-style formatting into a text.
CString Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// Dates. The database date is the text "YYYYMMDD" (for example "20240131"), the
// display date "DD.MM.YYYY" ("31.01.2024"). These are the only two forms.
constexpr int kDbDateLen = 8;
bool IsDbDate(const CString& db);            // eight digits forming a real calendar day
CString Db2Date(const CString& db);          // display form; other texts unchanged
CString Date2Db(const CString& display);     // "31.01.2024" -> "20240131"; else ""
CString IsoDate2Db(const CString& iso);      // "2024-01-31" -> "20240131"; else ""
CString Db2IsoDate(const CString& db);       // "20240131" -> "2024-01-31"; else ""

// Display form of a stored value by type. nTyp 5 is a database date of nLen
// characters (8), shown by Db2Date; every other type gives the text trimmed.
CString StrToExt(const CString& text, int nTyp, int nLen);

// Today as database date. Tests may fix it; an empty text returns to the clock.
CString GetTKDate();
void SetTKDateOverride(const CString& db);
