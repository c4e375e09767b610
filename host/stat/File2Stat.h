#pragma once
// Reader half of an evaluation: reads the hit file back for the evaluation
// dialog. A subclass sets m_strFileName in its constructor and overrides
// MoveDataFromFile (and the selection and table operations, and the reading in
// pieces where its rows allow it); Run does the rest.
#include "host/stat/StatAccu.h"
#include "host/stat/StatReader.h"

template <class F> class CFile2Stat : public CStatReader {
public:
    explicit CFile2Stat(CWnd* pParent) : CStatReader(pParent) {}

    // Reads "<strDataDir>/<m_strFileName>.txt": the selection, then every line.
    // A bad line is recorded in accu.m_vecErrors with file name and line number,
    // and reading goes on. False with a German strError when the file is missing
    // or unreadable, is no hit file, or the user cancelled.
    bool Run(CStatAccu& accu, const std::string& strDataDir, CString& strError) {
        F file;
        return ReadHitFile(accu, file, strDataDir, strError);
    }
};
