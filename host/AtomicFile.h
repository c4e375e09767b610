#pragma once
// Replacing a file so that readers see either the old or the new content, never
// a half-written file.
#include <string>
#include <string_view>

// Writes content to a temporary file in the target's folder, flushes it to disk
// and renames it over strPath. An existing target keeps its permissions. Returns
// false on any failure; the temporary file is then removed and the old file is
// untouched.
bool WriteFileAtomic(const std::string& strPath, std::string_view content);
