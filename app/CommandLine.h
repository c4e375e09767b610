#pragma once
// The vxstat command line: parses the arguments and runs one command. Every
// command answers --help; the exit codes are those of app/CommandHelp.h.
#include <functional>

// Runs the command named by argv. Never throws: an exception that reaches it is
// reported in German on stderr and ends the command with kExitIntern.
int RunCommandLine(int argc, char** argv);

// Runs command the way RunCommandLine runs a command: every exception caught and
// reported; the practice database is closed after one.
int RunGuarded(const std::function<int()>& command);
