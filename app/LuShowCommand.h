#pragma once
// "vxstat lu show [--data ORDNER] [--db PFAD] [--from JJJJ-MM-TT --to JJJJ-MM-TT]":
// reads the lab-turnover hit file of the data folder and shows it in the
// evaluation dialog. The practice database, when given, brings the stored
// settings and the names of owners and technicians. argv holds the whole command
// line. Returns 0 after the dialog closed, 1 when the file cannot be read or no
// display is available, 2 for a wrong call.
int CmdLuShow(int argc, char** argv);
