#pragma once
// Exact conversion between the module's Windows-1252 texts and UTF-8.
#include "host/CString.h"

#include <cstddef>
#include <set>
#include <string>
#include <string_view>

// Every one of the 256 bytes has a character: the five bytes Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 code points of the same
// value, so any byte string survives a round trip.
std::string Cp1252ToUtf8(std::string_view text);

// Characters Windows-1252 cannot hold, and bytes that are no valid UTF-8, become
// "?". Their number is added to *pnReplaced (when given) and to the process-wide
// counter, so that no loss goes unnoticed.
CString Utf8ToCp1252(std::string_view utf8, std::size_t* pnReplaced = nullptr);

// Replacements made by Utf8ToCp1252 since the program started.
std::size_t Cp1252ReplacementCount();

// Notes, while it lives, the distinct texts that Utf8ToCp1252 had to change on this
// thread, so that a database pass can tell the user how many texts lost characters
// ("Łukasz" became "?ukasz"). Objects nest; the innermost one takes the notes.
class CCp1252Verluste {
public:
    CCp1252Verluste();
    ~CCp1252Verluste();
    CCp1252Verluste(const CCp1252Verluste&) = delete;
    CCp1252Verluste& operator=(const CCp1252Verluste&) = delete;

    std::size_t GetAnzahl() const { return m_setTexte.size(); }
    const CString& GetBeispiel() const { return m_strBeispiel; } // the first, as changed

    // Called by Utf8ToCp1252 for a text it changed.
    static void Notiere(std::string_view utf8, const CString& strGeaendert);

private:
    CCp1252Verluste* m_pVorher;
    std::set<std::string, std::less<>> m_setTexte; // the originals, UTF-8
    CString m_strBeispiel;
};

// True when every byte is below 0x80 (the common case, converted for free).
bool IsAscii(std::string_view text);

// Utf8ToCp1252 into str, quick for plain ASCII; false when characters were lost.
bool Utf8ToCp1252Exakt(std::string_view utf8, CString& str);
