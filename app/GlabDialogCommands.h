#pragma once
// The commands of the commercial-lab evaluation dialog:
//   vxstat glab show [--data DIR] [--db PATH]
//     shows the hit file of the data folder in the evaluation dialog;
//   vxstat glab print --data DIR [--db PATH] [--kunde NR|alle] [--storno 0|1|2]
//                     [--marked-only] --pdf FILE
//     runs the dialog's journal print without a window and writes the PDF;
//   vxstat glab chart --data DIR [--db PATH] [--kunde NR|alle] [--storno 0|1|2] --png FILE
//     runs the dialog's chart command without a window and saves the chart.
// The practice database brings the customers' names and the customer choice.
// German messages on stderr; exit codes of app/CommandHelp.h.

#include "host/CString.h"

class CStatAccu;

int CmdGlabShow(int argc, char** argv);
int CmdGlabPrint(int argc, char** argv);
int CmdGlabChart(int argc, char** argv);

// The customer a run was made for, as the dialog takes it: "" for all customers
// and for a selection that named none.
CString GlabDialogKunde(const CStatAccu& accu);
