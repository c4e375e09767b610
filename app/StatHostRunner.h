#pragma once
// What the statistics window runs: the database pass of an evaluation into its
// hit file, and the evaluation of the hit file in its dialog, with the host's
// answer to the dialog's results. The practice database is open throughout.
#include "app/StatHostGlabShow.h"
#include "app/StatHostRequest.h"
#include "host/CString.h"
#include "host/Wnd.h"

#include <functional>

class CdiaAwLU;

// Walks the practice database for req and writes the hit file and its selection
// file into the data folder (GetDataDir). strErgebnis tells what was written. False
// with a German strError for a wrong period or owner, a database fault, a write
// fault, or when the user cancels the progress box; the previous files then
// stay as they were.
bool RunStatPass(const StatHostRequest& req, CString& strErgebnis, CString& strError);

// Shows the lab-turnover hit file in the evaluation dialog through fnShow (DoModal
// in the program) and acts on the dialog's results as "lu show" does: another
// technician runs the pass for that technician and shows it again, changed
// settings offer a new pass. False with a German strError when the file cannot be
// read.
bool ShowLuStatistik(CWnd* pParent, const std::function<void(CdiaAwLU&)>& fnShow,
                     CString& strError);

// Reads the commercial-lab hit file and shows it through fnShow. False with a
// German strError when the file cannot be read.
bool ShowGlabStatistik(CWnd* pParent, const GlabShowFn& fnShow, CString& strError);
