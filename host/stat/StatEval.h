#pragma once
// Common base of the two halves of an evaluation: the writer (CStat2File), which
// turns the results of the database walk into a hit file, and the reader
// (CFile2Stat), which reads the hit file back for the evaluation dialog.
//
// A hit file "<data folder>/<m_strFileName>.txt" starts with the header line
// kHeader, a TAB and the id of the run that wrote it, followed by one line per
// record (text form: CStatLines). Beside it the selection file
// "<m_strFileName>.sel" carries the evaluation's selection and, under kRunKey in
// section kRunSection, the same run id: the two files are one result, and a
// reader takes them only together.
#include "host/CString.h"
#include "host/Wnd.h"
#include "host/stat/DBStdioFile.h"
#include "host/stat/StatLines.h"

#include <functional>
#include <string>

class CStatAccu;

class CStatEval {
public:
    static constexpr const char* kHeader = "#vxstat-hits\t1";
    static constexpr const char* kRunSection = "Selektion";
    static constexpr const char* kRunKey = "Lauf";
    // The period of the run, database dates, so that a list read back is titled
    // with the period that was asked for, not the span of its rows' dates.
    static constexpr const char* kAbKey = "AbDatum";
    static constexpr const char* kBisKey = "BisDatum";
    // A selection file holds a few keys; a larger one is broken and not read.
    static constexpr long long kMaxSelectionBytes = 1 << 20;

    explicit CStatEval(CWnd* pParent) : m_pParent(pParent) {}
    virtual ~CStatEval() = default;
    CStatEval(const CStatEval&) = delete;
    CStatEval& operator=(const CStatEval&) = delete;

    // The line-structure table of the evaluation's lines (StatLineTables.h).
    virtual int* SetLineStruct() { return nullptr; }

    // Writes the line by SetLineStruct(), or an "E" line by the error table. A line
    // whose kind fits neither marks the file as failed, so the run fails.
    bool WriteLines(CDBStdioFile& file, CStatLines& line);
    bool WriteErrorLines(CDBStdioFile& file, CStatLines& line);
    // Shows nPos of nTotal in the host's progress box. False once the user has
    // cancelled; the run then ends without result.
    bool DoProgress(long& nPos, long nTotal);

    CWnd* m_pParent;
    CString m_strFileName;        // base name of the hit file, e.g. "vx_slu"
    CString m_strTitel;           // title of the evaluation, shown in the progress box
    CStatAccu* m_pAccu = nullptr; // set by Run
    long m_nPos = 0;              // progress of the run
    long m_nTotal = 0;

protected:
    // The writer's run; the template hands in its virtual operations. Paths given
    // to the callbacks are native file-system paths.
    using DataFn = std::function<bool()>;
    using SelectionFn = std::function<bool(const CString& strSelPath)>;
    bool WriteHitFile(CStatAccu& accu, CDBStdioFile& file, const std::string& strDataDir,
                      const DataFn& writeData, const SelectionFn& writeSelection,
                      CString& strError);

    // What every run does first: the accumulator, no progress, not cancelled.
    void BeginRun(CStatAccu& accu);
    bool IsCancelled() const { return m_bCancelled; }
    // "<strDataDir>/<strName>" as a native path.
    static std::string DataPath(const std::string& strDataDir, const CString& strName);
    // "<before><path><after> (<why>).<tail>", built from UTF-8 pieces; always false.
    static bool Fail(CString& strError, const char* pszBefore, const std::string& strPath,
                     const char* pszAfter, const CString& strWhy = {}, const char* pszTail = "");

    // The progress box stays open for exactly one run, whichever way the run ends.
    class CProgressScope {
    public:
        explicit CProgressScope(const CString& strTitel);
        ~CProgressScope();
        CProgressScope(const CProgressScope&) = delete;
        CProgressScope& operator=(const CProgressScope&) = delete;
    };

private:
    struct CSelectionBackup;
    bool WriteBoth(CDBStdioFile& file, const std::string& strHits, const std::string& strSel,
                   const DataFn& writeData, const SelectionFn& writeSelection,
                   CSelectionBackup& backup, CString& strError);
    bool WriteSelection(const std::string& strSel, const CString& strRunId,
                        const SelectionFn& writeSelection, CSelectionBackup& backup);

    bool m_bCancelled = false;
    CString m_strLineFault; // why a line could not be written, "" while all fit
    std::string m_strText;  // text of the current line, reused
};
