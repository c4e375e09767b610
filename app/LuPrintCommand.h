#pragma once
// "vxstat lu print --data ORDNER [--db PFAD] [--view 0..6] [--marked-only] --pdf DATEI":
// prints the lab-turnover list of the hit file in the data folder as a PDF, through
// the print command of the evaluation dialog (opened without a window). Returns 0
// when the PDF was written, 1 when the hit file, the database or the PDF failed,
// 2 for a wrong call.
int CmdLuPrint(int argc, char** argv);
