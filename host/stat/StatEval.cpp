#include "host/stat/StatEval.h"

#include "host/AtomicFile.h"
#include "host/Cp1252.h"
#include "host/DBIniFile.h"
#include "host/HostServices.h"
#include "host/TextUtil.h"
#include "host/VxStrings.h"
#include "host/stat/StatAccu.h"
#include "host/stat/StatLineTables.h"

#include <cerrno>
#include <chrono>
#include <exception>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* kUnchanged = " Die bisherigen Dateien bleiben unverändert.";

// Unique enough: the time in nanoseconds, the process, and a count within it.
CString NewRunId() {
    static unsigned nCount = 0;
    const auto nNow = std::chrono::system_clock::now().time_since_epoch();
    return ::Format("%llx-%x-%x",
                    static_cast<unsigned long long>(
                        std::chrono::duration_cast<std::chrono::nanoseconds>(nNow).count()),
                    static_cast<unsigned>(::getpid()), nCount++);
}

// The whole content of a regular file. False when it exists but is no regular
// file, is larger than nMaxBytes or cannot be read; nullopt when there is none.
// Opened without waiting, so that a named pipe cannot block.
bool ReadWholeFile(const std::string& strPath, long long nMaxBytes,
                   std::optional<std::string>& content) {
    content.reset();
    const int fd = ::open(strPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT;
    struct stat st {};
    std::string text;
    bool bOk = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= nMaxBytes;
    char buffer[8192];
    while (bOk) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            bOk = n == 0;
            break;
        }
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (bOk) content = std::move(text);
    return bOk;
}

bool IsOtherThanRegular(const std::string& strPath) {
    struct stat st {};
    return ::stat(strPath.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
}

} // namespace

// The selection file as it was before the run, to put back when the run fails
// after the selection was touched.
struct CStatEval::CSelectionBackup {
    std::optional<std::string> old; // nullopt: there was none
    bool bTouched = false;

    void Restore(const std::string& strPath) const {
        if (!bTouched) return;
        std::error_code ec;
        if (old)
            WriteFileAtomic(strPath, *old);
        else
            fs::remove(strPath, ec);
    }
};

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

// The hit file is written and flushed first: a full disk shows while the old
// selection is still in place. Then the selection file is replaced, carrying the
// new run id from its first replacement on, and last the hit file. A crash
// between any two steps leaves files of different runs, which the reader refuses
// instead of taking the old list in the new mode.
bool CStatEval::WriteHitFile(CStatAccu& accu, CDBStdioFile& file, const std::string& strDataDir,
                             const DataFn& writeData, const SelectionFn& writeSelection,
                             CString& strError) {
    BeginRun(accu);
    m_strLineFault.clear();
    CProgressScope progress(m_strTitel);
    const std::string strHits = DataPath(strDataDir, m_strFileName + ".txt");
    const std::string strSel = DataPath(strDataDir, m_strFileName + ".sel");
    CSelectionBackup backup;
    try {
        if (WriteBoth(file, strHits, strSel, writeData, writeSelection, backup, strError))
            return true;
    } catch (const std::exception& e) {
        Fail(strError, "Die Trefferdatei ", strHits, " wurde nicht geschrieben",
             Utf8ToCp1252(std::string("interner Fehler: ") + e.what()), kUnchanged);
    }
    file.Close();
    backup.Restore(strSel);
    return false;
}

bool CStatEval::WriteBoth(CDBStdioFile& file, const std::string& strHits, const std::string& strSel,
                          const DataFn& writeData, const SelectionFn& writeSelection,
                          CSelectionBackup& backup, CString& strError) {
    if (IsOtherThanRegular(strSel))
        return Fail(strError, "Die Auswahldatei ", strSel, " kann nicht ersetzt werden",
                    Utf8ToCp1252("keine gewöhnliche Datei"), kUnchanged);
    const CString strRunId = NewRunId();
    if (!file.OpenWrite(strHits) || !file.WriteLine(CString(kHeader) + "\t" + strRunId))
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
    if (!file.Flush())
        return Fail(strError, "Die Trefferdatei ", strHits, " kann nicht geschrieben werden",
                    file.GetError(), kUnchanged);
    if (!ReadWholeFile(strSel, kMaxSelectionBytes, backup.old))
        return Fail(strError, "Die bisherige Auswahldatei ", strSel, " kann nicht gelesen werden",
                    {}, kUnchanged);
    if (!WriteSelection(strSel, strRunId, writeSelection, backup))
        return Fail(strError, "Die Auswahldatei ", strSel, " kann nicht geschrieben werden", {},
                    kUnchanged);
    if (!file.Commit())
        return Fail(strError, "Die Trefferdatei ", strHits, " kann nicht gespeichert werden",
                    file.GetError(), kUnchanged);
    return true;
}

// The run id goes in before the evaluation's own keys, so that no state of the
// file pairs the new selection with the old hit file's id; the evaluation keeps
// the keys it finds. Should it have written a file of its own, the id is put in
// once more.
bool CStatEval::WriteSelection(const std::string& strSel, const CString& strRunId,
                               const SelectionFn& writeSelection, CSelectionBackup& backup) {
    backup.bTouched = true;
    if (!CDBIniFile::WriteOneString(strSel, kRunSection, kRunKey, strRunId)) return false;
    if (!writeSelection(strSel)) return false;
    if (m_pAccu && !m_pAccu->GetAbDatum().empty() &&
        !(CDBIniFile::WriteOneString(strSel, kRunSection, kAbKey, m_pAccu->GetAbDatum()) &&
          CDBIniFile::WriteOneString(strSel, kRunSection, kBisKey, m_pAccu->GetBisDatum())))
        return false;
    if (CDBIniFile(strSel).ReadString(kRunSection, kRunKey, "") == strRunId) return true;
    return CDBIniFile::WriteOneString(strSel, kRunSection, kRunKey, strRunId);
}
