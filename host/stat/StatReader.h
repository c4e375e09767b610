#pragma once
// The reading half of an evaluation, whatever its file type: reads the hit file
// back for the evaluation dialog, line by line.
#include "host/stat/StatEval.h"

class CDBIniFile;

class CStatReader : public CStatEval {
public:
    using CStatEval::CStatEval;

    // Called once before the first line, after the selection was read.
    virtual bool OnlyForProgBeforeMoveDataFromFile() { return true; }
    // Takes one line; the result tells whether the line was used.
    virtual bool MoveDataFromFile(CStatLines& /*line*/) { return false; }
    // Reads the selection file; a missing file reads as empty (CDBIniFile).
    virtual bool ReadMoreSelektions(const CString& /*strPath*/) { return true; }

protected:
    // Reads "<strDataDir>/<m_strFileName>.txt": the selection, then every line.
    // A bad line of either file, and a missing selection file, are recorded in
    // accu.m_vecErrors with file name and line number, and reading goes on. False
    // with a German strError when the hit file is missing, unreadable or no hit
    // file, when either file is no regular file, when the two files come from
    // different runs, or when the user cancelled.
    bool ReadHitFile(CStatAccu& accu, CDBStdioFile& file, const std::string& strDataDir,
                     CString& strError);

private:
    bool ReadAll(CDBStdioFile& file, const std::string& strHits, const std::string& strSel,
                 CString& strError);
    void ReadPeriod(const std::string& strSel);
    bool ReadHeader(CDBStdioFile& file, CString& strRunId, CString& strError);
    bool CheckSelection(const std::string& strSel, const CString& strRunId,
                        const std::string& strHits, CString& strError);
    bool ReportSelectionErrors(const CDBIniFile& ini, const std::string& strSel);
    bool ReadLines(CDBStdioFile& file, CString& strError);
    void AddBadLine(const CString& strWhere, const CString& strWhy);
};
