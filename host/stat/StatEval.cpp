#include "host/stat/StatEval.h"

#include "host/AtomicFile.h"
#include "host/Cp1252.h"
#include "host/HostServices.h"
#include "host/TextUtil.h"
#include "host/VxStrings.h"
#include "host/stat/HitLineReader.h"
#include "host/stat/StatAccu.h"
#include "host/stat/StatLineTables.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

namespace fs = std::filesystem;

namespace {

constexpr const char* kUnchanged = " Die bisherigen Dateien bleiben unverändert.";
constexpr std::string_view kHeaderName = "#vxstat-hits\t";
constexpr long kLinesPerProgress = 1024;

// The progress box stays open for exactly one run, whichever way the run ends.
class CProgressScope {
public:
    explicit CProgressScope(const CString& strTitel) {
        if (strTitel.empty())
            VxOpenProgressBox(kVxStrBitteWarten);
        else
            VxOpenProgressBox(strTitel);
    }
    ~CProgressScope() { VxCloseProgressBox(); }
    CProgressScope(const CProgressScope&) = delete;
    CProgressScope& operator=(const CProgressScope&) = delete;
};

// "<before><path><after> (<why>).<tail>", built from UTF-8 pieces; always false.
bool Fail(CString& strError, const char* pszBefore, const std::string& strPath,
          const char* pszAfter, const CString& strWhy = {}, const char* pszTail = "") {
    strError = Utf8ToCp1252(std::string(pszBefore) + strPath + pszAfter);
    if (!strWhy.empty()) strError += " (" + strWhy + ")";
    strError += "." + Utf8ToCp1252(pszTail);
    return false;
}

// The selection file as it was before the run (nullopt: there was none), to put
// back when the run fails after the selection was written.
bool ReadOldSelection(const std::string& strPath, std::optional<std::string>& old,
                      CString& strError) {
    old.reset();
    std::error_code ec;
    if (!fs::exists(strPath, ec) && !ec) return true;
    std::ifstream in(strPath, std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (ec || !in.is_open() || in.bad())
        return Fail(strError, "Die bisherige Auswahldatei ", strPath, " kann nicht gelesen werden",
                    {}, kUnchanged);
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

std::string DataPath(const std::string& strDataDir, const CString& strName) {
    return (fs::path(strDataDir) / Cp1252ToUtf8(strName)).string();
}

} // namespace

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
    m_pAccu = &accu;
    m_nPos = m_nTotal = 0;
    m_bCancelled = false;
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
    if (!ReadOldSelection(strSel, oldSelection, strError)) return false;
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

bool CStatEval::ReadHitFile(CStatAccu& accu, CDBStdioFile& file, const std::string& strDataDir,
                            const SelectionFn& readSelection, const DataFn& prepare,
                            const LineFn& takeLine, CString& strError) {
    m_pAccu = &accu;
    m_nPos = m_nTotal = 0;
    m_bCancelled = false;
    CProgressScope progress(m_strTitel);
    const std::string strHits = DataPath(strDataDir, m_strFileName + ".txt");
    const std::string strSel = DataPath(strDataDir, m_strFileName + ".sel");
    if (!file.OpenRead(strHits))
        return Fail(strError, "Die Trefferdatei ", strHits, " kann nicht gelesen werden",
                    file.GetError());
    if (!ReadHeader(file, strError)) return false;
    m_nTotal = static_cast<long>(file.GetSize());
    if (!readSelection(strSel))
        return Fail(strError, "Die Auswahldatei ", strSel, " kann nicht gelesen werden");
    if (!prepare())
        return Fail(strError, "Die Trefferdatei ", strHits, " kann nicht eingelesen werden");
    // Lines are split into their fields on a second thread while the evaluation
    // takes the ones before.
    CHitLineReader reader(file, m_nLine);
    CStatLines line;
    for (;;) {
        switch (NextLine(reader, line, strError)) {
        case Next::Line:
            takeLine(line);
            break;
        case Next::End:
            return true;
        case Next::Fault:
            return false;
        }
    }
}

bool CStatEval::ReadHeader(CDBStdioFile& file, CString& strError) {
    m_nLine = 1;
    const CDBStdioFile::Read eRead = file.ReadLine(m_strText);
    if (eRead == CDBStdioFile::Read::Fault)
        return Fail(strError, "Die Trefferdatei ", file.GetPath(), " kann nicht gelesen werden",
                    file.GetError());
    if (eRead != CDBStdioFile::Read::Line || !m_strText.starts_with(kHeaderName))
        return Fail(strError, "Die Datei ", file.GetPath(), " ist keine Trefferdatei");
    if (m_strText != kHeader) {
        const std::string strVersion = "Version " + m_strText.substr(kHeaderName.size(), 20);
        return Fail(strError, "Die Trefferdatei ", file.GetPath(), " hat ein unbekanntes Format",
                    Utf8ToCp1252(strVersion));
    }
    return true;
}

CStatEval::Next CStatEval::NextLine(CHitLineReader& reader, CStatLines& line,
                                    CString& strError) {
    CHitLineReader::CItem item;
    while (reader.Next(item)) {
        m_nLine = item.nLine;
        if (m_nLine % kLinesPerProgress == 0) {
            m_nPos = static_cast<long>(item.nReadPos);
            if (!DoProgress(m_nPos, m_nTotal)) {
                Fail(strError, "Das Einlesen der Trefferdatei ", reader.GetPath(),
                     " wurde abgebrochen");
                return Next::Fault;
            }
        }
        CString strWhy;
        if (item.bTooLong)
            strWhy = Utf8ToCp1252("länger als 1 MiB");
        else if (line.FromMap(item.text, item.map, SetLineStruct(), strWhy))
            return Next::Line;
        AddBadLine(strWhy);
    }
    if (!reader.Failed()) return Next::End;
    Fail(strError, "Die Trefferdatei ", reader.GetPath(), " kann nicht gelesen werden",
         reader.GetError());
    return Next::Fault;
}

void CStatEval::AddBadLine(const CString& strWhy) {
    CBehErrors err;
    err.m_strText = m_strFileName + ".txt, Zeile " + itoc(m_nLine) + ": " + strWhy;
    m_pAccu->m_vecErrors.push_back(std::move(err));
}
