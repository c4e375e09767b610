#include "host/stat/StatEval.h"

#include "host/AtomicFile.h"
#include "host/Cp1252.h"
#include "host/HostServices.h"
#include "host/TextUtil.h"
#include "host/VxStrings.h"
#include "host/stat/StatAccu.h"
#include "host/stat/StatLineTables.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

namespace fs = std::filesystem;

namespace {

constexpr const char* kUnchanged = " Die bisherigen Dateien bleiben unverändert.";

// The selection file as it was before the run (nullopt: there was none), to put
// back when the run fails after the selection was written. False when it exists
// but cannot be read.
bool ReadOldSelection(const std::string& strPath, std::optional<std::string>& old) {
    old.reset();
    std::error_code ec;
    if (!fs::exists(strPath, ec) && !ec) return true;
    std::ifstream in(strPath, std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (ec || !in.is_open() || in.bad()) return false;
    old = std::move(content);
    return true;
}

void RestoreSelection(const std::string& strPath, const std::optional<std::string>& old) {
    std::error_code ec;
    if (old)
        WriteFileAtomic(strPath, *old);
    else
        fs::remove(strPath, ec);
}

} // namespace

CStatEval::CProgressScope::CProgressScope(const CString& strTitel) {
    if (strTitel.empty())
        VxOpenProgressBox(kVxStrBitteWarten);
    else
        VxOpenProgressBox(strTitel);
}

CStatEval::CProgressScope::~CProgressScope() {
    VxCloseProgressBox();
}

bool CStatEval::Fail(CString& strError, const char* pszBefore, const std::string& strPath,
                     const char* pszAfter, const CString& strWhy, const char* pszTail) {
    strError = Utf8ToCp1252(std::string(pszBefore) + strPath + pszAfter);
    if (!strWhy.empty()) strError += " (" + strWhy + ")";
    strError += "." + Utf8ToCp1252(pszTail);
    return false;
}

std::string CStatEval::DataPath(const std::string& strDataDir, const CString& strName) {
    return (fs::path(strDataDir) / Cp1252ToUtf8(strName)).string();
}

void CStatEval::BeginRun(CStatAccu& accu) {
    m_pAccu = &accu;
    m_nPos = m_nTotal = 0;
    m_bCancelled = false;
}

bool CStatEval::WriteLines(CDBStdioFile& file, CStatLines& line) {
    if (line.ToText(SetLineStruct(), m_strText)) return file.WriteLine(m_strText);
    if (m_strLineFault.empty())
        m_strLineFault = "eine Zeile der Satzart \"" +
                         GetMidStr(line.Get(CStatLines::SatzArt), 0, 20) +
                         "\" passt nicht zu dieser Datei";
    return false;
}

bool CStatEval::WriteErrorLines(CDBStdioFile& file, CStatLines& line) {
    if (line.ToText(iERR_SICHERUNG, m_strText)) return file.WriteLine(m_strText);
    if (m_strLineFault.empty()) m_strLineFault = "eine Fehlerzeile hat nicht die Satzart \"E\"";
    return false;
}

bool CStatEval::DoProgress(long& nPos, long nTotal) {
    if (!m_bCancelled && !VxUpdateProgressBox2(nPos, nTotal)) m_bCancelled = true;
    return !m_bCancelled;
}

bool CStatEval::WriteHitFile(CStatAccu& accu, CDBStdioFile& file, const std::string& strDataDir,
                             const DataFn& writeData, const SelectionFn& writeSelection,
                             CString& strError) {
    BeginRun(accu);
    m_strLineFault.clear();
    CProgressScope progress(m_strTitel);
    const std::string strHits = DataPath(strDataDir, m_strFileName + ".txt");
    const std::string strSel = DataPath(strDataDir, m_strFileName + ".sel");
    if (!file.OpenWrite(strHits) || !file.WriteLine(kHeader))
        return Fail(strError, "Die Trefferdatei ", strHits, " kann nicht angelegt werden",
                    file.GetError(), kUnchanged);
    if (!writeData())
        return Fail(strError, "Die Trefferdatei ", strHits,
                    " wurde nicht geschrieben, die Auswertung meldet einen Fehler", {}, kUnchanged);
    if (m_bCancelled)
        return Fail(strError, "Die Auswertung wurde abgebrochen, die Trefferdatei ", strHits,
                    " wurde nicht geschrieben", {}, kUnchanged);
    if (!m_strLineFault.empty())
        return Fail(strError, "Die Trefferdatei ", strHits, " wurde nicht geschrieben",
                    m_strLineFault, kUnchanged);
    // Flushed before the selection is written: a full disk shows here, while the
    // old selection is still in place.
    if (!file.Flush())
        return Fail(strError, "Die Trefferdatei ", strHits, " kann nicht geschrieben werden",
                    file.GetError(), kUnchanged);
    std::optional<std::string> oldSelection;
    if (!ReadOldSelection(strSel, oldSelection))
        return Fail(strError, "Die bisherige Auswahldatei ", strSel, " kann nicht gelesen werden",
                    {}, kUnchanged);
    if (!writeSelection(strSel)) {
        RestoreSelection(strSel, oldSelection);
        return Fail(strError, "Die Auswahldatei ", strSel, " kann nicht geschrieben werden", {},
                    kUnchanged);
    }
    if (!file.Commit()) {
        RestoreSelection(strSel, oldSelection);
        return Fail(strError, "Die Trefferdatei ", strHits, " kann nicht gespeichert werden",
                    file.GetError(), kUnchanged);
    }
    return true;
}
