#include "host/Cp1252.h"

#include <array>
#include <atomic>

namespace {

// Code points of the bytes 0x80..0x9F; the rest equal their byte value.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::atomic<std::size_t> g_nReplaced{0};
thread_local CCp1252Verluste* g_pVerluste = nullptr;

char32_t CodePoint(unsigned char c) {
    return (c >= 0x80 && c < 0xA0) ? kHigh[c - 0x80] : c;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The byte for a code point, or -1 when Windows-1252 has none.
int ByteFor(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == cp) return static_cast<int>(0x80 + i);
    return -1;
}

// Decodes one UTF-8 sequence at text[i]; returns its length, 0 when it is invalid.
std::size_t DecodeUtf8(std::string_view text, std::size_t i, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    std::size_t len = 0;
    char32_t min = 0;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    } else if ((b0 & 0xE0) == 0xC0) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + len > text.size()) return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(text[i + k]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

} // namespace

bool IsAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

std::string Cp1252ToUtf8(std::string_view text) {
    if (IsAscii(text)) return std::string(text);
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    for (char c : text)
        AppendUtf8(out, CodePoint(static_cast<unsigned char>(c)));
    return out;
}

CString Utf8ToCp1252(std::string_view utf8, std::size_t* pnReplaced) {
    if (IsAscii(utf8)) return CString(utf8);
    // Every character takes at least one byte of UTF-8, so the result fits.
    CString out(utf8.size(), '\0');
    char* pOut = out.data();
    std::size_t nReplaced = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t cp = 0;
        const std::size_t len = DecodeUtf8(utf8, i, cp);
        const int byte = len ? ByteFor(cp) : -1;
        if (byte < 0) {
            *pOut++ = '?';
            ++nReplaced;
        } else {
            *pOut++ = static_cast<char>(byte);
        }
        i += len ? len : 1;
    }
    out.resize(static_cast<std::size_t>(pOut - out.data()));
    if (nReplaced) {
        g_nReplaced += nReplaced;
        if (pnReplaced) *pnReplaced += nReplaced;
        CCp1252Verluste::Notiere(utf8, out);
    }
    return out;
}

std::size_t Cp1252ReplacementCount() {
    return g_nReplaced.load();
}

CCp1252Verluste::CCp1252Verluste() : m_pVorher(g_pVerluste) {
    g_pVerluste = this;
}

CCp1252Verluste::~CCp1252Verluste() {
    g_pVerluste = m_pVorher;
}

void CCp1252Verluste::Notiere(std::string_view utf8, const CString& strGeaendert) {
    CCp1252Verluste* p = g_pVerluste;
    if (!p || p->m_setTexte.find(utf8) != p->m_setTexte.end()) return;
    p->m_setTexte.emplace(utf8);
    if (p->m_strBeispiel.empty()) p->m_strBeispiel = strGeaendert;
}

bool Utf8ToCp1252Exakt(std::string_view utf8, CString& str) {
    if (IsAscii(utf8)) {
        str.assign(utf8);
        return true;
    }
    std::size_t nErsetzt = 0;
    str = Utf8ToCp1252(utf8, &nErsetzt);
    return nErsetzt == 0;
}
