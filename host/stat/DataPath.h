#pragma once
// The data folder of the statistics: hit files, selection files, print files.
// Paths are native file-system paths (UTF-8 bytes), not Windows-1252 texts.
#include "host/CString.h"

#include <string>

// The folder set by SetDataDir, else $VXSTAT_DATA, else $XDG_DATA_HOME/vxstat,
// else $HOME/.local/share/vxstat. Created when missing (a failure shows when a
// file in it is opened).
std::string GetDataDir();
// The same folder, not created: for commands that only read.
std::string DataDirName();
// Overrides the folder (command-line option --data); "" returns to the default.
void SetDataDir(const std::string& strDir);

// strPath = the file strName (Windows-1252) in the data folder. False when the
// folder does not exist and cannot be created.
bool GetDatFilePath(const CString& strName, CString& strPath);
