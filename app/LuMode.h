#pragma once
// The evaluation modes of the lab-turnover statistics: what the database walk reads
// and how the hit file tells the evaluation dialog which list it holds.
#include "host/CString.h"

#include <string>

class CLU2File;
class CLUDefault;

enum class LuMode {
    Services,  // lab services by service date
    Invoices,  // regular lab invoices by invoice or print date
    Paid,      // paid lab invoices by payment date
    Manual,    // manual (fictive) lab invoices by invoice date
    Cancelled, // cancelled lab invoices by invoice date
};

// The command-line names "services", "invoices", "paid", "manual", "cancelled".
bool ParseLuMode(const std::string& strName, LuMode& eMode);
const char* LuModeName(LuMode eMode);
// The mode of an entry of the settings' selection list (LstRechIdx 0 .. 4) and back:
// 0 services, 1 invoices, 2 paid, 3 cancelled, 4 manual. False for another index.
bool LuModeOfListIdx(int nListIdx, LuMode& eMode);
int LuModeListIdx(LuMode eMode);
// German title of the list, e.g. "Laborrechnungen".
CString LuModeTitel(LuMode eMode);

// The settings that apply in a mode: the service-date split only for services,
// the print date only for invoices, so that a stored setting of another mode does
// not change the list.
CLUDefault LuModeSettings(LuMode eMode, const CLUDefault& settings);

// Sets the writer's seven evaluation-mode members for the mode.
void SetLuFileMode(CLU2File& writer, LuMode eMode, const CLUDefault& settings);
