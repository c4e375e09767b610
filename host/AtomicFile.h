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

// The pieces of that replacement, for files written in several steps
// (CDBStdioFile): a new temporary file beside strPath (an open descriptor, -1 on
// failure, its name in strTemp); giving it the permissions of an existing target;
// and making a finished rename durable.
int CreateTempBeside(const std::string& strPath, std::string& strTemp);
bool KeepModeOf(int fd, const std::string& strPath);
void SyncFolderOf(const std::string& strPath);
