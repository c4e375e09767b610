#pragma once
// Common base of the two halves of an evaluation: the writer (CStat2File), which
// turns the results of the database walk into a hit file, and the reader
// (CFile2Stat), which reads the hit file back for the evaluation dialog.
//
// A hit file "<data folder>/<m_strFileName>.txt" starts with the header line
// kHeader, followed by one line per record (text form: CStatLines). Beside it the
// selection file "<m_strFileName>.sel" carries the evaluation's selection.
#include "host/CString.h"
#include "host/Wnd.h"
#include "host/stat/DBStdioFile.h"
#include "host/stat/StatLines.h"

#include <functional>
#include <string>

class CHitLineReader;
class CStatAccu;

class CStatEval {
public:
    static constexpr const char* kHeader = "#vxstat-hits\t1";

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
    // The runs of the two halves; the templates hand in their virtual operations.
    // Paths given to the callbacks are native file-system paths.
    using DataFn = std::function<bool()>;
    using SelectionFn = std::function<bool(const CString& strSelPath)>;
    using LineFn = std::function<void(CStatLines& line)>;
    bool WriteHitFile(CStatAccu& accu, CDBStdioFile& file, const std::string& strDataDir,
                      const DataFn& writeData, const SelectionFn& writeSelection,
                      CString& strError);
    bool ReadHitFile(CStatAccu& accu, CDBStdioFile& file, const std::string& strDataDir,
                     const SelectionFn& readSelection, const DataFn& prepare,
                     const LineFn& takeLine, CString& strError);

private:
    enum class Next { Line, End, Fault };

    bool ReadHeader(CDBStdioFile& file, CString& strError);
    Next NextLine(CHitLineReader& reader, CStatLines& line, CString& strError);
    void AddBadLine(const CString& strWhy);

    bool m_bCancelled = false;
    CString m_strLineFault; // why a line could not be written, "" while all fit
    std::string m_strText;  // text of the current line, reused
    long m_nLine = 0;       // number of the current line of the file being read
};
