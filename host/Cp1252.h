#pragma once
// Exact conversion between the module's Windows-1252 texts and UTF-8.
#include "host/CString.h"

#include <cstddef>
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

// True when every byte is below 0x80 (the common case, converted for free).
bool IsAscii(std::string_view text);
