#pragma once
// How the statistics window shows a commercial-lab evaluation that was read back
// from its hit file. The window calls one function of this type; DefaultGlabShow
// is the one the program uses.
#include "host/Wnd.h"

#include <functional>

class CGlabSum;
class CStatAccu;

struct GlabShowRequest {
    CGlabSum& sum;   // the customer invoices of the hit file
    CStatAccu& accu; // period, lab customer ("alle" or "%4d") and errors of the run
    CWnd* pParent;   // the statistics window
};

// Shows the evaluation modally; returns the end code of the window shown.
using GlabShowFn = std::function<int(const GlabShowRequest&)>;

// The program's way to show the commercial-lab evaluation.
GlabShowFn DefaultGlabShow();
