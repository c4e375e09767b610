#pragma once
// Reader of the commercial-lab statistics: reads the hit file "vx_gla" back into a
// CGlabSum, one customer invoice per "W" line, and the errors into the CStatAccu.
#include "host/CString.h"
#include "host/Wnd.h"
#include "host/stat/BehErrors.h"
#include "host/stat/DBStdioFile.h"
#include "host/stat/File2Stat.h"

#include <cstdint>
#include <memory>

class CGlabFakt;
class CGlabSum;
class CStatLines;

class CFile2Glab : public CFile2Stat<CDBStdioFile> {
public:
    CFile2Glab(CGlabSum* pGlabSum, CWnd* pParent);

    // A "W" line takes at least this many bytes: room for a row per kBytesPerRow
    // bytes of the file is enough for its rows.
    static constexpr std::int64_t kBytesPerRow = 40;

    // Empties the accumulator before the first line.
    bool OnlyForProgBeforeMoveDataFromFile() override;
    // An "E" line goes to the errors (result false); a "W" line replaces the last
    // row when that row matches it, else becomes a new row (true); any other line
    // changes nothing (false).
    bool MoveDataFromFile(CStatLines& line) override;
    // The lab customer: "alle", else the number in the form "%4d".
    bool ReadMoreSelektions(const CString& strPath) override;
    int* SetLineStruct() override;
    // A row looks at the last row only, so a large file is read in pieces, each
    // into an accumulator of its own.
    std::unique_ptr<CStatReader> NewPiece(std::int64_t nBytes) override;
    std::size_t RowCount() const override;
    void JoinPiece(CStatReader& piece) override;

    CGlabSum* m_pGlabSum;

private:
    void MoveFile2GlabHit(CStatLines& line, CGlabFakt& fakt);

    std::unique_ptr<CGlabSum> m_pPieceSum; // the rows of a piece
    CBehErrors m_Error;
};
