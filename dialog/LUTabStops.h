#pragma once
// Tab stops of the lab-turnover list for the host's MakeAbsTabs: pairs of
// alignment ("r" right, "" default) and width in the host's tab-stop units,
// closed by a pair of two null pointers. The last real pair has two empty texts.
struct LUTabStop {
    const char* szAlign;
    const char* szWidth;
};

extern const LUTabStop AbsTabsLuListBox[];            // 31 pairs and the closing pair
extern const LUTabStop AbsTabsLuListBoxMitTechnMat[]; // 38 pairs and the closing pair
