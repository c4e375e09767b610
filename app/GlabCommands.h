#pragma once
// The commands of the commercial-lab statistics:
//   vxstat glab pass --db PATH --from YYYY-MM-DD --to YYYY-MM-DD [--kunde NR|alle]
//                    [--data DIR]
//     walks the practice database and writes the hit file vx_gla.txt and its
//     selection file into the data folder;
//   vxstat glab read [--data DIR] [--format text|tsv]
//     reads the hit file back and prints one line per customer invoice, then the
//     errors.
// German messages on stderr; exit codes of app/CommandHelp.h. "glab pass" reads the
// database only and creates the data folder; "glab read" creates nothing.

int CmdGlabPass(int argc, char** argv);
int CmdGlabRead(int argc, char** argv);
