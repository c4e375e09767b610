#pragma once
// Reader of the commercial-lab statistics: reads the hit file "vx_gla" back into a
// CGlabSum, one customer invoice per "W" line, and the errors into the CStatAccu.
#include "host/CString.h"
#include "host/Wnd.h"
#include "host/stat/BehErrors.h"
#include "host/stat/DBStdioFile.h"
#include "host/stat/File2Stat.h"

class CGlabFakt;
class CGlabSum;
class CStatLines;

class CFile2Glab : public CFile2Stat<CDBStdioFile> {
public:
    CFile2Glab(CGlabSum* pGlabSum, CWnd* pParent);

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
