#pragma once
// The data folder as the commands take it from --data: a command that writes hit
// files creates the folder, a command that reads them creates nothing.
#include <string>

class Args;

// The folder of --data, else the default one, created when missing.
std::string DataDirForWriting(const Args& args);

// The folder of --data, else the default one. False, with the reason on stderr,
// when it does not exist.
bool DataDirForReading(const Args& args, std::string& strDir);
