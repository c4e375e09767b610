#pragma once
// Tab stops of a list print. A module exports its tables as pairs {alignment,
// width}: alignment "r" right, "" left; width a decimal number in tab-stop units;
// the table ends with a pair of two null pointers. MakeAbsTabs turns a table into
// the tab text a print carries ("66,4,r65"), ParseAbsTabs reads that text back.
#include "host/CString.h"

#include <vector>

struct AbsTab {
    const char* szAlign;
    const char* szWidth;
};

struct PrintTabStop {
    bool bRechts = false;
    int nBreite = 0; // tab-stop units
};

CString MakeAbsTabs(const AbsTab* pTable);
// Entries that are no width are read as width 0.
std::vector<PrintTabStop> ParseAbsTabs(const CString& strTabs);
