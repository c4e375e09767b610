#include "host/stat/DBStdioFile.h"

#include "host/AtomicFile.h"
#include "host/Cp1252.h"
#include "host/TextUtil.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t kOutBuffer = 256 * 1024;
constexpr std::size_t kInBuffer = 64 * 1024;

CString Reason(int nErrno) {
    switch (nErrno) {
    case ENOENT:
        return "Datei oder Ordner nicht vorhanden";
    case EACCES:
    case EPERM:
        return "keine Berechtigung";
    case ENOSPC:
    case EDQUOT:
        return Utf8ToCp1252("der Datenträger ist voll");
    case EFBIG:
        return Utf8ToCp1252("die Datei wird zu groß");
    case EROFS:
        return Utf8ToCp1252("der Datenträger ist schreibgeschützt");
    case ENOTDIR:
        return "ein Teil des Pfades ist kein Ordner";
    case EISDIR:
        return "der Pfad ist ein Ordner";
    case EIO:
        return "Ein-/Ausgabefehler";
    default:
        return "Systemfehler " + itoc(nErrno);
    }
}

} // namespace

bool CDBStdioFile::SetFault(int nErrno) {
    if (m_strError.empty()) m_strError = Reason(nErrno);
    return false;
}

// A folder, device or named pipe in the target's place would make the final
// rename fail, or be replaced: both are refused before anything is written.
bool CDBStdioFile::OpenWrite(const std::string& strPath) {
    Close();
    m_strError.clear();
    m_strPath = strPath;
    struct stat st {};
    if (::stat(strPath.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return SetNotRegular();
    m_fd = CreateTempBeside(strPath, m_strTemp);
    if (m_fd < 0) return SetFault(errno);
    m_bWriting = true;
    m_strOut.reserve(kOutBuffer);
    if (!KeepModeOf(m_fd, strPath)) return SetFault(errno);
    return true;
}

bool CDBStdioFile::WriteLine(std::string_view text) {
    if (!m_bWriting || !m_strError.empty()) return false;
    if (text.size() > kMaxLine) {
        m_strError = Utf8ToCp1252("eine Zeile ist länger als 64 MiB");
        return false;
    }
    m_strOut.append(text);
    m_strOut += '\n';
    return m_strOut.size() < kOutBuffer || FlushBuffer();
}

bool CDBStdioFile::FlushBuffer() {
    std::string_view rest = m_strOut;
    while (!rest.empty()) {
        const ssize_t n = ::write(m_fd, rest.data(), rest.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return SetFault(n < 0 ? errno : EIO);
        rest.remove_prefix(static_cast<std::size_t>(n));
    }
    m_strOut.clear();
    return true;
}

bool CDBStdioFile::Flush() {
    if (!m_bWriting || !m_strError.empty() || !FlushBuffer()) return false;
    return ::fsync(m_fd) == 0 || SetFault(errno);
}

bool CDBStdioFile::Commit() {
    if (!Flush()) {
        Close();
        return false;
    }
    const int fd = m_fd;
    m_fd = -1;
    m_bWriting = false;
    return PutInPlace(fd, m_strTemp, m_strPath) || SetFault(errno);
}

// Opened without waiting, so that a named pipe cannot block; a regular file
// ignores the flag.
bool CDBStdioFile::OpenRead(const std::string& strPath) {
    Close();
    m_strError.clear();
    m_strPath = strPath;
    m_fd = ::open(strPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0) return SetFault(errno);
    struct stat st {};
    if (::fstat(m_fd, &st) != 0) return SetFault(errno), Close(), false;
    if (!S_ISREG(st.st_mode)) return SetNotRegular(), Close(), false;
    m_nSize = st.st_size;
    m_vecIn.resize(kInBuffer);
    m_nPos = m_nEnd = 0;
    m_nFileOffset = 0;
    return true;
}

bool CDBStdioFile::SetNotRegular() {
    if (m_strError.empty()) m_strError = Utf8ToCp1252("keine gewöhnliche Datei");
    return false;
}

int CDBStdioFile::FillBuffer() {
    for (;;) {
        const ssize_t n = ::pread(m_fd, m_vecIn.data(), m_vecIn.size(), m_nFileOffset);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return SetFault(errno), -1;
        m_nPos = 0;
        m_nEnd = static_cast<std::size_t>(n);
        m_nFileOffset += n;
        return n > 0 ? 1 : 0;
    }
}

CDBStdioFile::Read CDBStdioFile::ReadLine(std::string& line) {
    return ReadUpTo(line, kMaxLine, true);
}

CDBStdioFile::Read CDBStdioFile::ReadFirstLine(std::string& line, std::size_t nMax) {
    return ReadUpTo(line, nMax, false);
}

CDBStdioFile::Read CDBStdioFile::ReadUpTo(std::string& line, std::size_t nMax, bool bSkipRest) {
    line.clear();
    if (m_fd < 0 || m_bWriting) return Read::Fault;
    bool bAny = false, bTooLong = false;
    for (;;) {
        if (m_nPos == m_nEnd) {
            const int nFill = FillBuffer();
            if (nFill < 0) return line.clear(), Read::Fault;
            if (nFill == 0) {
                if (!bAny) return Read::End;
                break;
            }
        }
        bAny = true;
        const char* p = m_vecIn.data() + m_nPos;
        const auto* pEnd = static_cast<const char*>(std::memchr(p, '\n', m_nEnd - m_nPos));
        const std::size_t nTake = pEnd ? static_cast<std::size_t>(pEnd - p) : m_nEnd - m_nPos;
        m_nPos += nTake + (pEnd ? 1 : 0);
        // A "\r" before the "\n" is no part of the line, so it may exceed nMax by one.
        if (!bTooLong && line.size() + nTake > nMax + 1) {
            bTooLong = true;
            line.clear();
            if (!bSkipRest) return Read::TooLong;
        }
        if (!bTooLong) line.append(p, nTake);
        if (pEnd) break;
    }
    if (bTooLong) return Read::TooLong;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > nMax) return line.clear(), Read::TooLong;
    return Read::Line;
}

void CDBStdioFile::Close() {
    if (m_bWriting)
        DiscardTemp(m_fd, m_strTemp);
    else if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_bWriting = false;
    m_strOut.clear();
    m_nPos = m_nEnd = 0;
}
