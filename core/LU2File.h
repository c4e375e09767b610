#pragma once
// Writer of the lab-turnover hit file: the errors of the database walk as "E"
// lines, then every row as one "L" line per used amount block.
#include "core/LUSum.h"
#include "host/stat/DBStdioFile.h"
#include "host/stat/Stat2File.h"

class CLU2File : public CStat2File<CDBStdioFile> {
public:
    // Copies the accumulator: later changes to it do not reach the file.
    CLU2File(CLUSum& sum, CWnd* pParent);
    ~CLU2File() override = default;

    int DoData(CDBStdioFile& file, int& nCount) override;
    bool CreateMoreSelektions(const CString& strPath) override;
    long GetGesamtPos() override;
    int* SetLineStruct() override;

    // The evaluation mode, set by the host before the pass.
    bool m_bIsLRech = false;         // lab invoices
    bool m_bIsLRechBez = false;      // paid lab invoices
    bool m_bIsManLabRech = false;    // manual (fictive) lab invoices
    bool m_bIsStornoLabRech = false; // cancelled lab invoices
    int m_nLabRechModus = 0;         // lab-invoice mode number
    bool m_bIsStetsLabRgNr = false;  // always the lab invoice number
    bool m_bIsMitTechnMat = false;   // technical material in separate columns

    CLUSum m_LUSum;

private:
    void MoveLUHit(const CString& strBlockCode, CStatLines& line, const CLULabRech& row,
                   const CLULabRechLst& block);
    CStatLines m_Line;
};
