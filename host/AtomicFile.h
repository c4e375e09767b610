#pragma once
// Replacing a file so that readers see either the old or the new content, never
// a half-written file, and so that a crash leaves no half-written file behind.
#include <string>
#include <string_view>

// Writes content to a temporary file in the target's folder, flushes it to disk
// and renames it over strPath. An existing target keeps its permissions. Returns
// false on any failure; the temporary file is then removed and the old file is
// untouched.
bool WriteFileAtomic(const std::string& strPath, std::string_view content);

// The pieces of that replacement, for files written in several steps
// (CDBStdioFile).
//
// A new file in the folder of strPath, open for writing (-1 on failure). Where the
// file system allows, it has no name until PutInPlace, so that a crash leaves
// nothing behind (strTemp ""); else it is "<strPath>.tmp<pid>-<n>" (strTemp). Files
// of that name that a crashed earlier run left are removed first.
int CreateTempBeside(const std::string& strPath, std::string& strTemp);
// Gives the file the permissions of an existing target.
bool KeepModeOf(int fd, const std::string& strPath);
// Closes the finished file and puts it in place of strPath, durably. On failure
// (errno set) the file is gone and strPath untouched.
bool PutInPlace(int fd, const std::string& strTemp, const std::string& strPath);
// Removes a temporary file that was not put in place, and closes it.
void DiscardTemp(int fd, const std::string& strTemp);
