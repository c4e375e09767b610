#pragma once
// The host's numbered buttons. A dialog shows a set of them in a bar at its
// bottom (the layout's root widget lists the numbers in its string property
// "hostButtons", e.g. "2 5 21 43 48 50 91"; without it the dialog class chooses).
// Each button runs one virtual command of the dialog and has a keyboard shortcut;
// enabling and disabling goes by number (CWPFWndBase::SetIsEnabled), also for
// numbers that have no button, such as 22.
enum TKButtonClass : int {
    TKBearbeiten = 1,     // OnBearbeiten, F2
    TKEinstellungen = 2,  // OnConfig, Ctrl+E
    TKDrucken = 5,        // OnPrint, Ctrl+P
    TKAlleMarkieren = 21, // OnUnSelect (mark all / none), Ctrl+M
    TKZeileGewaehlt = 22, // commands on the selected row; state only, no button
    TKZeilenAnzahl = 43,  // OnCTRL_T, Ctrl+T
    TKExport = 48,        // OnCTRL_A, Ctrl+A
    TKPlanOeffnen = 50,   // OnCTRL_R, Ctrl+R
    TKGrafik = 55,        // OnCTRL_Y, Ctrl+Y
    TKSpeichern = 90,     // OnSaveAndExit, Ctrl+S; the default button
    TKSchliessen = 91,    // OnExit, Esc
};

enum class TKCommand {
    Bearbeiten,
    Config,
    Print,
    UnSelect,
    CtrlA,
    CtrlR,
    CtrlT,
    CtrlY,
    SaveAndExit,
    Exit
};

struct TKButtonInfo {
    int nNummer;
    TKCommand eCommand;
    const char* szCaption;  // UTF-8
    const char* szShortcut; // in QKeySequence's portable form; "" for none
    bool bRechts;           // placed at the right end of the bar
};

// nullptr for a number without a button.
const TKButtonInfo* FindTKButton(int nNummer);
