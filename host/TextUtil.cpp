#include "host/TextUtil.h"

#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {
CString g_strTKDateOverride;

bool AllDigits(const CString& text) {
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return !text.empty();
}
} // namespace

CString TrimLeft(const CString& text) {
    const auto p = text.find_first_not_of(' ');
    return p == CString::npos ? CString() : text.substr(p);
}

CString TrimRight(const CString& text) {
    const auto p = text.find_last_not_of(' ');
    return p == CString::npos ? CString() : text.substr(0, p + 1);
}

CString Trim(const CString& text) { return TrimRight(TrimLeft(text)); }

CString RemoveBlanks(const CString& text) {
    CString out;
    out.reserve(text.size());
    for (char c : text)
        if (c != ' ') out += c;
    return out;
}

bool Blank(const CString& text) { return text.find_first_not_of(' ') == CString::npos; }

CString LeftFix(const CString& text, int nWidth, char cFill) {
    if (nWidth <= 0) return {};
    const auto w = static_cast<std::size_t>(nWidth);
    if (text.size() >= w) return text.substr(0, w);
    return text + CString(w - text.size(), cFill);
}

CString RightFix(const CString& text, int nWidth, char cFill) {
    if (nWidth <= 0) return {};
    const auto w = static_cast<std::size_t>(nWidth);
    if (text.size() >= w) return text.substr(0, w);
    return CString(w - text.size(), cFill) + text;
}

CString CentFix(const CString& text, int nWidth, char cFill) {
    if (nWidth <= 0) return {};
    const auto w = static_cast<std::size_t>(nWidth);
    if (text.size() >= w) return text.substr(0, w);
    const std::size_t left = (w - text.size()) / 2;
    return CString(left, cFill) + text + CString(w - text.size() - left, cFill);
}

CString GetMidStr(const CString& text, int nStart, int nCount) {
    if (nStart < 0) nStart = 0;
    const auto start = static_cast<std::size_t>(nStart);
    if (start >= text.size() || nCount == 0) return {};
    if (nCount < 0) return text.substr(start);
    return text.substr(start, static_cast<std::size_t>(nCount));
}

CString itoc(long long n) { return std::to_string(n); }

long long LeadingInt(const CString& text) {
    errno = 0;
    const long long v = std::strtoll(text.c_str(), nullptr, 10);
    return v; // strtoll clamps to LLONG_MIN/LLONG_MAX on overflow
}

CString Format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    CString out;
    if (n > 0) {
        out.resize(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(out.data(), out.size(), fmt, args);
        out.resize(static_cast<std::size_t>(n));
    }
    va_end(args);
    return out;
}

bool IsDbDate(const CString& db) {
    if (db.size() != kDbDateLen || !AllDigits(db)) return false;
    const int y = std::atoi(db.substr(0, 4).c_str());
    const int m = std::atoi(db.substr(4, 2).c_str());
    const int d = std::atoi(db.substr(6, 2).c_str());
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 1 || m < 1 || m > 12 || d < 1) return false;
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return d <= kDays[m - 1] + ((m == 2 && leap) ? 1 : 0);
}

CString Db2Date(const CString& db) {
    if (!IsDbDate(db)) return db;
    return db.substr(6, 2) + "." + db.substr(4, 2) + "." + db.substr(0, 4);
}

CString Date2Db(const CString& display) {
    if (display.size() != 10 || display[2] != '.' || display[5] != '.') return {};
    const CString db = display.substr(6, 4) + display.substr(3, 2) + display.substr(0, 2);
    return IsDbDate(db) ? db : CString();
}

CString IsoDate2Db(const CString& iso) {
    if (iso.size() != 10 || iso[4] != '-' || iso[7] != '-') return {};
    const CString db = iso.substr(0, 4) + iso.substr(5, 2) + iso.substr(8, 2);
    return IsDbDate(db) ? db : CString();
}

CString Db2IsoDate(const CString& db) {
    if (!IsDbDate(db)) return {};
    return db.substr(0, 4) + "-" + db.substr(4, 2) + "-" + db.substr(6, 2);
}

CString StrToExt(const CString& text, int nTyp, int nLen) {
    if (nTyp == 5 && nLen == kDbDateLen) return Db2Date(Trim(text));
    return Trim(text);
}

CString GetTKDate() {
    if (!g_strTKDateOverride.empty()) return g_strTKDateOverride;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return Format("%04d%02d%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

void SetTKDateOverride(const CString& db) { g_strTKDateOverride = db; }
