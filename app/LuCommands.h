#pragma once
// The lab-turnover commands of the command line: "lu pass" (database walk and hit
// file), "lu read" (the rows of the hit file) and "lu summary" (its sums). argv
// holds the whole command line; the options start after "lu <command>". Return the
// exit code of app/CommandHelp.h. "lu pass" reads the database only and creates the
// data folder; "lu read" and "lu summary" create nothing.
int CmdLuPass(int argc, char** argv);
int CmdLuRead(int argc, char** argv);
int CmdLuSummary(int argc, char** argv);
