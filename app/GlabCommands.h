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

#include "host/CString.h"

#include <vector>

class CGlabSum;
class CStatAccu;

// The lines "glab read" prints as text (Windows-1252): the lab customer, a heading,
// one line per customer invoice, the count and the errors.
std::vector<CString> GlabTextLines(const CGlabSum& sum, const CStatAccu& accu);
