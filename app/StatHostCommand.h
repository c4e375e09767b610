#pragma once
// "vxstat [--db ORT] [--data ORDNER]" without a command: the statistics window.
// --db and --data choose the practice database and the data folder for this
// start (and are remembered like a choice in the window). Without a display it
// prints the usage and a German message and returns 2: the caller has to name a
// command.
#include <string>

// The words that open the window instead of naming a command.
bool IsStatHostOption(const std::string& strWord);

int CmdStatHost(int argc, char** argv);
