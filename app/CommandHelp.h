#pragma once
// The usage texts of the vxstat commands and the exit codes they end with.
#include "host/CString.h"

#include <string>

// Exit codes of every command, one per kind of outcome.
constexpr int kExitOk = 0;     // done
constexpr int kExitFehler = 1; // a data, database or file error
constexpr int kExitAufruf = 2; // a wrong call: unknown command or option, bad value
constexpr int kExitIntern = 3; // an unexpected internal error, e.g. out of memory

// The usage of a command ("lu pass"), of a command group ("lu") or, for "", of
// every command with the data folder and the exit codes; "" for an unknown name.
std::string UsageText(const std::string& strCommand);

// Prints "vxstat: <problem>" and the usage of strCommand to stderr; returns
// kExitAufruf.
int UsageError(const std::string& strCommand, const std::string& strProblemUtf8);
// Prints "vxstat: <text>" to stderr; returns kExitFehler.
int DataError(const CString& strCp1252);
