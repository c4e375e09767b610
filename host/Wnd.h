#pragma once
// Parent window handle of the host's dialogs and evaluations. The statistics code
// only passes it through, so it stays an opaque type here; nullptr means "no parent
// window" (command line, tests).
class CWnd;
