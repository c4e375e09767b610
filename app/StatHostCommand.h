#pragma once
// "vxstat" without a command: the statistics window. Without a display it prints
// the usage and a German message and returns 2 (the caller has to name a command).
int CmdStatHost(int argc, char** argv);
