#pragma once
// Writer of the commercial-lab statistics: turns the customer invoices and the
// errors the host's database walk collected in its CStatAccu into the hit file
// "vx_gla", and the chosen lab customer into its selection file.
#include "host/CString.h"
#include "host/Wnd.h"
#include "host/stat/DBStdioFile.h"
#include "host/stat/Stat2File.h"

class CGlabFakt;
class CGlabFaktHitLine;
class CStatLines;

class CGlab2File : public CStat2File<CDBStdioFile> {
public:
    explicit CGlab2File(CWnd* pParent);

    // The error lines, then one "W" line per customer invoice; returns 0.
    int DoData(CDBStdioFile& file, int& nCount) override;
    // [Selektion] Laborkunde = the customer number or "alle".
    bool CreateMoreSelektions(const CString& strPath) override;
    long GetGesamtPos() override;
    int* SetLineStruct() override;

private:
    // Fills a "W" line from a hit as the host's CStatLines::MoveGlab2File does,
    // but without the first text and the cancellation flag.
    void MoveGlabHit(const CString& strUnused, CStatLines& line, CGlabFaktHitLine& hit,
                     CGlabFakt& faktUnused);
};
