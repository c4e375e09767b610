#pragma once
// Reader half of an evaluation: reads the hit file back for the evaluation
// dialog. A subclass sets m_strFileName in its constructor and overrides
// MoveDataFromFile (and the selection and table operations); Run does the rest.
#include "host/stat/StatAccu.h"
#include "host/stat/StatEval.h"

template <class F> class CFile2Stat : public CStatEval {
public:
    explicit CFile2Stat(CWnd* pParent) : CStatEval(pParent) {}

    // Called once before the first line, after the selection was read.
    virtual bool OnlyForProgBeforeMoveDataFromFile() { return true; }
    // Takes one line; the result tells whether the line was used.
    virtual bool MoveDataFromFile(CStatLines& /*line*/) { return false; }
    // Reads the selection file; a missing file reads as empty (CDBIniFile).
    virtual bool ReadMoreSelektions(const CString& /*strPath*/) { return true; }

    // Reads "<strDataDir>/<m_strFileName>.txt": the selection, then every line.
    // A bad line is recorded in accu.m_vecErrors with file name and line number,
    // and reading goes on. False with a German strError when the file is missing
    // or unreadable, is no hit file, or the user cancelled.
    bool Run(CStatAccu& accu, const std::string& strDataDir, CString& strError) {
        F file;
        return ReadHitFile(
            accu, file, strDataDir,
            [&](const CString& strSelPath) { return ReadMoreSelektions(strSelPath); },
            [&] { return OnlyForProgBeforeMoveDataFromFile(); },
            [&](CStatLines& line) { MoveDataFromFile(line); }, strError);
    }
};
