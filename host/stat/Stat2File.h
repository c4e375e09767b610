#pragma once
// Writer half of an evaluation: turns the results of the database walk into the
// hit file. A subclass sets m_strFileName and m_strTitel in its constructor and
// overrides DoData (and the selection and table operations); Run does the rest.
#include "host/stat/StatAccu.h"
#include "host/stat/StatEval.h"

template <class F> class CStat2File : public CStatEval {
public:
    explicit CStat2File(CWnd* pParent) : CStatEval(pParent) {}

    // Writes every line with WriteLines/WriteErrorLines; counts them in nCount.
    // Not 0: the evaluation failed and the file is not replaced.
    virtual int DoData(F& /*file*/, int& /*nCount*/) { return 0; }
    // What the progress counts as 100 %; by default the accumulator's total.
    virtual long GetGesamtPos() { return m_pAccu ? m_pAccu->GetGesamtAnzahl() : 0; }
    // Writes the selection file (with CDBIniFile, which replaces it safely). Keys
    // the file holds already stay, the run id among them.
    virtual bool CreateMoreSelektions(const CString& /*strPath*/) { return true; }

    // Writes "<strDataDir>/<m_strFileName>.txt" and the selection file beside it.
    // The data are written first and the selection only afterwards, so that any
    // failure - the data dir, a full disk, the evaluation, the user cancelling -
    // leaves both previous files as they were; strError then says why (German).
    bool Run(CStatAccu& accu, const std::string& strDataDir, CString& strError) {
        F file;
        return WriteHitFile(
            accu, file, strDataDir,
            [&] {
                m_nTotal = GetGesamtPos();
                int nCount = 0;
                return DoData(file, nCount) == 0;
            },
            [&](const CString& strSelPath) { return CreateMoreSelektions(strSelPath); }, strError);
    }
};
