#include "host/print/AbsTabs.h"

#include "host/TextUtil.h"

#include <algorithm>

CString MakeAbsTabs(const AbsTab* pTable) {
    CString strTabs;
    for (const AbsTab* p = pTable; p && p->szAlign && p->szWidth; ++p) {
        if (!*p->szWidth) continue; // the closing pair of empty texts
        if (!strTabs.empty()) strTabs += ',';
        if (CString(p->szAlign) == "r") strTabs += 'r';
        strTabs += p->szWidth;
    }
    return strTabs;
}

std::vector<PrintTabStop> ParseAbsTabs(const CString& strTabs) {
    std::vector<PrintTabStop> vecStops;
    std::size_t nStart = 0;
    while (nStart < strTabs.size()) {
        std::size_t nEnd = strTabs.find(',', nStart);
        if (nEnd == CString::npos) nEnd = strTabs.size();
        CString strEntry = strTabs.substr(nStart, nEnd - nStart);
        PrintTabStop stop;
        if (!strEntry.empty() && strEntry[0] == 'r') {
            stop.bRechts = true;
            strEntry.erase(0, 1);
        }
        stop.nBreite = static_cast<int>(std::clamp(LeadingInt(strEntry), 0LL, 100000LL));
        vecStops.push_back(stop);
        nStart = nEnd + 1;
    }
    return vecStops;
}
