#pragma once
// The commands of the commercial-lab statistics:
//   vxstat glab pass --db PATH --from YYYY-MM-DD --to YYYY-MM-DD [--kunde NR|alle]
//                    [--data DIR]
//     walks the practice database and writes the hit file vx_gla.txt and its
//     selection file into the data folder;
//   vxstat glab read [--data DIR] [--format text|tsv]
//     reads the hit file back and prints one line per customer invoice, then the
//     errors.
// German messages on stderr; 0 on success, 1 on failure, 2 for a wrong call.

int CmdGlabPass(int argc, char** argv);
int CmdGlabRead(int argc, char** argv);
