#pragma once
// Reader of the lab-turnover hit file: joins the "L" lines of one row again and
// collects the "E" lines in the host accumulator's error list.
#include "core/LUSum.h"
#include "host/stat/BehErrors.h"
#include "host/stat/DBStdioFile.h"
#include "host/stat/File2Stat.h"

#include <cstdint>

class CFile2LU : public CFile2Stat<CDBStdioFile> {
public:
    CFile2LU(CLUSum* pSum, CWnd* pParent);

    // A row takes one to seven lines, together about 450 bytes: room for a row per
    // kBytesPerRow bytes of the file is enough for the rows of the file. Room for
    // at most kMostRowsAhead rows is taken at once, so that the size of a broken
    // file cannot ask for more memory than its rows will take; more rows grow the
    // room as they come.
    static constexpr std::int64_t kBytesPerRow = 400;
    static constexpr std::int64_t kMostRowsAhead = 1 << 18;

    bool OnlyForProgBeforeMoveDataFromFile() override;
    bool MoveDataFromFile(CStatLines& line) override;
    bool ReadMoreSelektions(const CString& strPath) override;
    int* SetLineStruct() override;

    // The evaluation mode, as the pass wrote it into the selection file.
    bool m_bIsLRech = false;
    bool m_bIsLRechBez = false;
    bool m_bIsManLabRech = false;
    bool m_bIsStornoLabRech = false;
    int m_nLabRechModus = 0;
    bool m_bIsStetsLabRgNr = false;
    bool m_bIsMitTechnMat = false;

private:
    static void CorrectStornoTyp(CStatLines& line);
    static bool Continues(const CLULabRech& row, const CStatLines& line);
    static void MoveKeys(const CStatLines& line, CLULabRech& row);
    void MoveFile2LUHit(const CStatLines& line, CLULabRech& row);
    void MoveLst(const CStatLines& line, CLULabRechLst& block);

    CLUSum* m_pSum;
    CBehErrors m_Error;
};
