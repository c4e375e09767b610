#pragma once
// "vxstat lu export --data ORDNER [--db PFAD] [--view 0..6] [--marked-only] --xlsx DATEI":
// saves a view tab of the lab-turnover evaluation as a workbook without a window.
// The hit file of the data folder is opened in the evaluation dialog, which is
// not shown; the dialog's own export writes the file. The practice database, when
// given, brings the stored settings. Returns 0 when saved, 1 when the hit file
// cannot be read or the file cannot be saved, 2 for a wrong call.
int CmdLuExport(int argc, char** argv);
