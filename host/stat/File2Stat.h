#pragma once
// Reader half of an evaluation: reads the hit file back for the evaluation
// dialog. A subclass sets m_strFileName in its constructor and overrides
// MoveDataFromFile (and the selection and table operations); Run does the rest.
#include "host/stat/StatAccu.h"
#include "host/stat/StatReader.h"

template <class F> class CFile2Stat : public CStatReader {
public:
    explicit CFile2Stat(CWnd* pParent) : CStatReader(pParent) {}

    // Reads "<strDataDir>/<m_strFileName>.txt": the selection, then every line
    // (CStatReader::ReadHitFile says what is reported and what fails the read).
    bool Run(CStatAccu& accu, const std::string& strDataDir, CString& strError) {
        F file;
        return ReadHitFile(accu, file, strDataDir, strError);
    }
};
