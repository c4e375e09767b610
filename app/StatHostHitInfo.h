#pragma once
// What the statistics window tells about the last hit file of an evaluation:
// when it was written ("Stand"), the selection of its run and the errors the run
// found (the "E" lines).
#include "app/StatHostRequest.h"
#include "host/CString.h"

#include <string>
#include <vector>

struct StatHitInfo {
    bool bVorhanden = false;        // the hit file exists
    CString strLesefehler;          // why it cannot be read, "" when it was read
    CString strStand;               // "dd.mm.yyyy hh:mm", local time of the hit file
    StatHostRequest auswahl;        // the selection of its run, as far as the files name it
    CString strAuswahl;             // the same as one German line
    std::vector<CString> vecFehler; // one line per error of the run
    std::size_t nZeilen = 0;        // invoice rows of the file
};

// Reads the hit file of the evaluation in strDataDir. Never fails: a missing file
// gives bVorhanden false, an unreadable one strLesefehler.
StatHitInfo ReadStatHitInfo(StatAuswertung eAuswertung, const std::string& strDataDir);

// The hit file's path in strDataDir ("vx_slu.txt", "vx_gla.txt").
std::string StatHitFilePath(StatAuswertung eAuswertung, const std::string& strDataDir);
