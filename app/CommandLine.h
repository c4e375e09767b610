#pragma once
// The vxstat command line: parses the arguments and runs one command.
int RunCommandLine(int argc, char** argv);
