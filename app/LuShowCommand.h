#pragma once
// "vxstat lu show [--data ORDNER] [--db PFAD] [--from JJJJ-MM-TT --to JJJJ-MM-TT]":
// reads the lab-turnover hit file of the data folder and shows it in the
// evaluation dialog. The practice database, when given, brings the stored
// settings and the names of owners and technicians, and lets the dialog's results
// take effect: a chosen technician runs the pass again for that technician and
// shows the new list; changed settings offer to run the pass again. argv holds the
// whole command line. Returns 0 after the dialog closed, 1 when the file cannot be
// read or the display cannot be opened, 2 for a wrong call.
#include "host/CString.h"
#include "host/Wnd.h"

#include <functional>

class CdiaAwLU;

int CmdLuShow(int argc, char** argv);

// What one round of "lu show" is given: the period of the options (database dates,
// "" when not given), whether the practice database is open, and the window the
// dialog belongs to (nullptr: none).
struct LuShowOptions {
    CString strAb;
    CString strBis;
    bool bMitDatenbank = false;
    CWnd* pParent = nullptr;
};

enum class LuShowWeiter {
    Ende,   // the dialog closed and nothing follows
    Wieder, // the hit file was written anew: show it again
    Fehler, // the hit file could not be read (reason on stderr)
};

// One round: reads the hit file of the data folder, shows the dialog through
// fnShow (DoModal in the program) with strTechniker preset, then acts on the
// dialog's results. A chosen technician becomes strTechniker for the next round.
// A pass run again keeps the practice owner of the file's run.
// With pstrFehler the reason a file cannot be read goes there instead of to stderr.
LuShowWeiter LuShowRunde(const LuShowOptions& opt, CString& strTechniker,
                         const std::function<void(CdiaAwLU&)>& fnShow,
                         CString* pstrFehler = nullptr);
