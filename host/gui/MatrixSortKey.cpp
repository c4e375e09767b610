#include "host/gui/MatrixSortKey.h"

#include "host/TextUtil.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace {

constexpr int kDecimals = 4; // numbers compare in ten-thousandths
constexpr std::int64_t kMaxBeforeScale = std::numeric_limits<std::int64_t>::max() / 100000;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Digits with one decimal mark; cGroup characters (and blanks, apostrophes) are skipped.
bool ParseNumber(const CString& text, char cDecimal, char cGroup, std::int64_t& nWert) {
    CString s = Trim(text);
    bool bNeg = false;
    if (s.size() >= 2 && s.front() == '(' && s.back() == ')') s = Trim(s.substr(1, s.size() - 2));
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        bNeg = s.front() == '-';
        s.erase(0, 1);
    }
    std::int64_t nInt = 0, nFrac = 0;
    int nFracDigits = -1; // -1: before the decimal mark
    bool bDigits = false;
    for (const char c : s) {
        if (IsDigit(c)) {
            bDigits = true;
            if (nFracDigits < 0) {
                if (nInt > kMaxBeforeScale) return false;
                nInt = nInt * 10 + (c - '0');
            } else if (nFracDigits < kDecimals) {
                nFrac = nFrac * 10 + (c - '0');
                ++nFracDigits;
            }
        } else if (c == cDecimal && nFracDigits < 0) {
            nFracDigits = 0;
        } else if (c != cGroup && c != ' ' && c != '\'') {
            return false;
        }
    }
    if (!bDigits) return false;
    for (int n = std::max(nFracDigits, 0); n < kDecimals; ++n)
        nFrac *= 10;
    nWert = nInt * 10000 + nFrac;
    if (bNeg) nWert = -nWert;
    return true;
}

// Lower case, umlauts as their base letter, "ß" as "ss" (Windows-1252 bytes).
std::string Fold(const CString& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (static_cast<unsigned char>(c)) {
        case 0xC4:
        case 0xE4:
            out += 'a';
            break; // Ä ä
        case 0xD6:
        case 0xF6:
            out += 'o';
            break; // Ö ö
        case 0xDC:
        case 0xFC:
            out += 'u';
            break; // Ü ü
        case 0xDF:
            out += "ss";
            break; // ß
        default:
            out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return out;
}

// Digit runs become a marker, their length and the digits without leading
// zeros, so that comparing the keys byte by byte compares the runs as numbers.
std::string NaturalKey(const CString& text) {
    const std::string folded = Fold(Trim(text));
    std::string out;
    for (std::size_t i = 0; i < folded.size();) {
        if (!IsDigit(folded[i])) {
            out += folded[i++];
            continue;
        }
        std::size_t nEnd = i;
        while (nEnd < folded.size() && IsDigit(folded[nEnd]))
            ++nEnd;
        std::size_t nStart = i;
        while (nStart + 1 < nEnd && folded[nStart] == '0')
            ++nStart;
        out += '\x01';
        out += static_cast<char>(std::min<std::size_t>(nEnd - nStart, 0x7F));
        out.append(folded, nStart, nEnd - nStart);
        i = nEnd;
    }
    return out;
}

} // namespace

bool ParseDisplayNumber(const CString& text, std::int64_t& nWert) {
    return ParseNumber(text, ',', '.', nWert);
}

bool ParsePointNumber(const CString& text, std::int64_t& nWert) {
    return ParseNumber(text, '.', '\'', nWert);
}

bool ParseDisplayDate(const CString& text, std::int64_t& nWert) {
    const CString s = Trim(text);
    const CString db = IsDbDate(s) ? s : Date2Db(s);
    if (db.empty()) return false;
    nWert = LeadingInt(db);
    return true;
}

CMatrixSortKey CMatrixSortKey::Make(char cTyp, const CString& text) {
    CMatrixSortKey key;
    const bool bNumeric = cTyp == '2' || cTyp == '4';
    if (Blank(text)) {
        key.nKlasse = bNumeric ? 0 : -1; // an empty amount is a zero amount
        return key;
    }
    bool bOk = true;
    switch (cTyp) {
    case '2':
        bOk = ParseDisplayNumber(text, key.nWert);
        break;
    case '3':
        bOk = ParseDisplayDate(text, key.nWert);
        break;
    case '4':
        bOk = ParsePointNumber(text, key.nWert);
        break;
    case '5':
        key.strText = NaturalKey(text);
        return key;
    default:
        key.strText = Fold(text);
        return key;
    }
    if (!bOk) {
        key.nKlasse = 1;
        key.nWert = 0;
        key.strText = Fold(text);
    }
    return key;
}
