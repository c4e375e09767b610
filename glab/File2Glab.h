#pragma once
// Reader of the commercial-lab statistics: reads the hit file "vx_gla" back into a
// CGlabSum, one customer invoice per "W" line, and the errors into the CStatAccu.
#include "host/CString.h"
#include "host/Wnd.h"
#include "host/stat/BehErrors.h"
#include "host/stat/DBStdioFile.h"
#include "host/stat/File2Stat.h"

#include <cstdint>

class CGlabFakt;
class CGlabSum;
class CStatLines;

class CFile2Glab : public CFile2Stat<CDBStdioFile> {
public:
    CFile2Glab(CGlabSum* pGlabSum, CWnd* pParent);

    // A "W" line takes at least this many bytes: room for a row per kBytesPerRow
    // bytes of the file is enough for its rows. Room for at most kMostRowsAhead
    // rows is taken at once; more rows grow the room as they come.
    static constexpr std::int64_t kBytesPerRow = 40;
    static constexpr std::int64_t kMostRowsAhead = 1 << 18;

    // Empties the accumulator before the first line.
    bool OnlyForProgBeforeMoveDataFromFile() override;
    // An "E" line goes to the errors (result false); a "W" line replaces the last
    // row when that row matches it, else becomes a new row (true); any other line
    // changes nothing (false).
    bool MoveDataFromFile(CStatLines& line) override;
    // The lab customer: "alle", else the number in the form "%4d".
    bool ReadMoreSelektions(const CString& strPath) override;
    int* SetLineStruct() override;

    CGlabSum* m_pGlabSum;

private:
    void MoveFile2GlabHit(CStatLines& line, CGlabFakt& fakt);

    CBehErrors m_Error;
};
