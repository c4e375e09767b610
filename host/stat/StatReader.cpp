#include "host/stat/StatReader.h"

#include "host/Cp1252.h"
#include "host/DBIniFile.h"
#include "host/TextUtil.h"
#include "host/stat/StatAccu.h"

#include <cerrno>
#include <exception>
#include <sys/stat.h>

namespace {

constexpr std::string_view kHeaderName = "#vxstat-hits\t";
constexpr std::size_t kMaxHeader = 4096;
constexpr long kLinesPerStep = 1024; // lines between two progress updates

// "<path>:<line>: <text>" of a CDBIniFile error, split; nLine 0 for the file as a
// whole.
void SplitIniError(const CString& strError, const CString& strPath, long& nLine, CString& strText) {
    std::string_view rest = strError;
    if (rest.starts_with(strPath) && rest.size() > strPath.size())
        rest.remove_prefix(strPath.size() + 1);
    nLine = LeadingInt(CString(rest.substr(0, 12)));
    const std::size_t nColon = rest.find(": ");
    strText = CString(nColon == std::string_view::npos ? rest : rest.substr(nColon + 2));
}

} // namespace

bool CStatReader::ReadHitFile(CStatAccu& accu, CDBStdioFile& file, const std::string& strDataDir,
                              CString& strError) {
    BeginRun(accu);
    CProgressScope progress(m_strTitel);
    const std::string strHits = DataPath(strDataDir, m_strFileName + ".txt");
    const std::string strSel = DataPath(strDataDir, m_strFileName + ".sel");
    try {
        return ReadAll(file, strHits, strSel, strError);
    } catch (const std::exception& e) {
        return Fail(strError, "Die Trefferdatei ", strHits, " kann nicht eingelesen werden",
                    Utf8ToCp1252(std::string("interner Fehler: ") + e.what()));
    }
}

bool CStatReader::ReadAll(CDBStdioFile& file, const std::string& strHits, const std::string& strSel,
                          CString& strError) {
    if (!file.OpenRead(strHits))
        return Fail(strError, "Die Trefferdatei ", strHits, " kann nicht gelesen werden",
                    file.GetError());
    CString strRunId;
    if (!ReadHeader(file, strRunId, strError)) return false;
    m_nTotal = static_cast<long>(file.GetSize());
    if (!CheckSelection(strSel, strRunId, strHits, strError)) return false;
    if (!ReadMoreSelektions(strSel))
        return Fail(strError, "Die Auswahldatei ", strSel, " kann nicht gelesen werden");
    ReadPeriod(strSel);
    if (!OnlyForProgBeforeMoveDataFromFile())
        return Fail(strError, "Die Trefferdatei ", strHits, " kann nicht eingelesen werden");
    return ReadLines(file, strError);
}

// The period of the run, when the selection file names one that is made of two
// calendar days; files of older runs name none, and the period stays as it was.
void CStatReader::ReadPeriod(const std::string& strSel) {
    const CDBIniFile ini(strSel);
    const CString strAb = ini.ReadString(kRunSection, kAbKey, "");
    const CString strBis = ini.ReadString(kRunSection, kBisKey, "");
    if (m_pAccu && IsDbDate(strAb) && IsDbDate(strBis) && strAb <= strBis)
        m_pAccu->SetPeriod(strAb, strBis);
}

// The header: kHeader, and after a TAB the run id (none in files of older runs).
bool CStatReader::ReadHeader(CDBStdioFile& file, CString& strRunId, CString& strError) {
    std::string strText;
    const CDBStdioFile::Read eRead = file.ReadFirstLine(strText, kMaxHeader);
    if (eRead == CDBStdioFile::Read::Fault)
        return Fail(strError, "Die Trefferdatei ", file.GetPath(), " kann nicht gelesen werden",
                    file.GetError());
    if (eRead != CDBStdioFile::Read::Line || !strText.starts_with(kHeaderName))
        return Fail(strError, "Die Datei ", file.GetPath(), " ist keine Trefferdatei");
    const std::string_view header = kHeader;
    const bool bKnown = strText.starts_with(header) &&
                        (strText.size() == header.size() || strText[header.size()] == '\t');
    if (!bKnown) {
        const std::string strVersion = "Version " + strText.substr(kHeaderName.size(), 20);
        return Fail(strError, "Die Trefferdatei ", file.GetPath(), " hat ein unbekanntes Format",
                    Utf8ToCp1252(strVersion));
    }
    strRunId = strText.size() > header.size() ? strText.substr(header.size() + 1) : "";
    return true;
}

// A missing selection file and its bad lines are reported like bad lines of the
// hit file: the evaluation then shows with the defaults of the missing keys.
bool CStatReader::CheckSelection(const std::string& strSel, const CString& strRunId,
                                 const std::string& strHits, CString& strError) {
    const CString strName = m_strFileName + ".sel";
    struct stat st {};
    if (::stat(strSel.c_str(), &st) != 0) {
        AddBadLine(strName,
                   Utf8ToCp1252(errno == ENOENT ? "die Auswahldatei fehlt, es gelten die Vorgaben"
                                                : "die Auswahldatei kann nicht gelesen werden"));
        return true;
    }
    if (!S_ISREG(st.st_mode))
        return Fail(strError, "Die Auswahldatei ", strSel, " kann nicht gelesen werden",
                    Utf8ToCp1252("keine gewöhnliche Datei"));
    if (st.st_size > kMaxSelectionBytes)
        return Fail(strError, "Die Auswahldatei ", strSel, " kann nicht gelesen werden",
                    Utf8ToCp1252("größer als 1 MiB"));
    const CDBIniFile ini(strSel);
    const bool bWhole = ReportSelectionErrors(ini, strSel);
    if (bWhole && ini.ReadString(kRunSection, kRunKey, "") != strRunId) {
        strError = Utf8ToCp1252("Die Trefferdatei " + strHits + " und die Auswahldatei " + strSel +
                                " stammen nicht aus demselben Lauf und gehören nicht zusammen. "
                                "Bitte die Auswertung neu erstellen.");
        return false;
    }
    return true;
}

// Each line the ini file skipped becomes an error record; false when the file
// could not be read as a whole.
bool CStatReader::ReportSelectionErrors(const CDBIniFile& ini, const std::string& strSel) {
    const CString strName = m_strFileName + ".sel";
    bool bWhole = true;
    for (const CString& strIniError : ini.GetErrors()) {
        long nLine = 0;
        CString strText;
        SplitIniError(strIniError, strSel, nLine, strText);
        if (nLine <= 0) {
            bWhole = false;
            AddBadLine(strName, strText);
        } else {
            AddBadLine(strName + ", Zeile " + itoc(nLine),
                       "unlesbare Zeile \"" + GetMidStr(strText, 0, 40) + "\"");
        }
    }
    return bWhole;
}

bool CStatReader::ReadLines(CDBStdioFile& file, CString& strError) {
    const int* pTable = SetLineStruct();
    CStatLines line;
    std::string strText;
    CString strWhy;
    for (long nLine = 2;; ++nLine) {
        const CDBStdioFile::Read eRead = file.ReadLine(strText);
        if (eRead == CDBStdioFile::Read::End) return true;
        if (eRead == CDBStdioFile::Read::Fault)
            return Fail(strError, "Die Trefferdatei ", file.GetPath(), " kann nicht gelesen werden",
                        file.GetError());
        if (nLine % kLinesPerStep == 0) {
            m_nPos = static_cast<long>(file.GetReadPos());
            if (!DoProgress(m_nPos, m_nTotal))
                return Fail(strError, "Das Einlesen der Trefferdatei ", file.GetPath(),
                            " wurde abgebrochen");
        }
        if (eRead == CDBStdioFile::Read::Line && line.FromText(strText, pTable, strWhy)) {
            MoveDataFromFile(line);
            continue;
        }
        if (eRead == CDBStdioFile::Read::TooLong) strWhy = Utf8ToCp1252("länger als 64 MiB");
        AddBadLine(m_strFileName + ".txt, Zeile " + itoc(nLine), strWhy);
    }
}

void CStatReader::AddBadLine(const CString& strWhere, const CString& strWhy) {
    CBehErrors& error = m_pAccu->m_vecErrors.emplace_back();
    error.m_strText = strWhere + ": " + strWhy;
}
