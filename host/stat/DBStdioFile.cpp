#include "host/stat/DBStdioFile.h"

#include "host/AtomicFile.h"

#include "host/Cp1252.h"
#include "host/TextUtil.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
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

bool CDBStdioFile::OpenWrite(const std::string& strPath) {
    Close();
    m_strError.clear();
    m_strPath = strPath;
    m_fd = CreateTempBeside(strPath, m_strTemp);
    if (m_fd < 0) return SetFault(errno);
    m_bWriting = true;
    m_strOut.reserve(kOutBuffer);
    if (!KeepModeOf(m_fd, strPath)) return SetFault(errno);
    return true;
}

bool CDBStdioFile::WriteLine(std::string_view text) {
    if (!m_bWriting || !m_strError.empty()) return false;
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
    // close() reports late write errors of some file systems (NFS), so it counts.
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 || ::rename(m_strTemp.c_str(), m_strPath.c_str()) != 0) {
        SetFault(errno);
        ::unlink(m_strTemp.c_str());
        m_bWriting = false;
        return false;
    }
    m_bWriting = false;
    SyncFolderOf(m_strPath);
    return true;
}

bool CDBStdioFile::OpenRead(const std::string& strPath) {
    Close();
    m_strError.clear();
    m_strPath = strPath;
    m_fd = ::open(strPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0) return SetFault(errno);
    struct stat st {};
    m_nSize = ::fstat(m_fd, &st) == 0 ? st.st_size : 0;
    m_vecIn.resize(kInBuffer);
    m_nPos = m_nEnd = 0;
    m_nFileOffset = 0;
    return true;
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
    line.clear();
    return AppendLine(line);
}

CDBStdioFile::Read CDBStdioFile::AppendLine(std::string& text) {
    if (m_fd < 0 || m_bWriting) return Read::Fault;
    const std::size_t nStart = text.size();
    bool bAny = false, bTooLong = false;
    bool bCR = false; // read from the input, which is in the cache, not from text
    for (;;) {
        if (m_nPos == m_nEnd) {
            const int nFill = FillBuffer();
            if (nFill < 0) return text.resize(nStart), Read::Fault;
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
        if (!bTooLong && text.size() - nStart + nTake > kMaxLine)
            bTooLong = true, text.resize(nStart);
        if (!bTooLong) text.append(p, nTake);
        if (nTake) bCR = p[nTake - 1] == '\r';
        if (pEnd) break;
    }
    if (bTooLong) return Read::TooLong;
    if (bCR) text.pop_back();
    return Read::Line;
}

CDBStdioFile::Read CDBStdioFile::ViewLine(std::string_view& line, std::string& spill) {
    line = {};
    if (m_fd < 0 || m_bWriting) return Read::Fault;
    const char* p = m_vecIn.data() + m_nPos;
    const auto* pEnd =
        m_nPos < m_nEnd ? static_cast<const char*>(std::memchr(p, '\n', m_nEnd - m_nPos)) : nullptr;
    if (!pEnd) { // the line goes on past the buffer, or the buffer is used up
        spill.clear();
        const Read eRead = AppendLine(spill);
        if (eRead == Read::Line) line = spill;
        return eRead;
    }
    // A line that lies whole in the read buffer is never too long.
    static_assert(kInBuffer <= kMaxLine);
    std::size_t nSize = static_cast<std::size_t>(pEnd - p);
    m_nPos += nSize + 1;
    if (nSize && p[nSize - 1] == '\r') --nSize;
    line = std::string_view(p, nSize);
    return Read::Line;
}

bool CDBStdioFile::OpenReadSame(const CDBStdioFile& other) {
    Close();
    m_strError.clear();
    m_strPath = other.m_strPath;
    if (other.m_fd < 0 || other.m_bWriting) return SetFault(EBADF);
    m_fd = ::fcntl(other.m_fd, F_DUPFD_CLOEXEC, 0);
    if (m_fd < 0) return SetFault(errno);
    m_nSize = other.m_nSize;
    m_vecIn.resize(kInBuffer);
    m_nPos = m_nEnd = 0;
    m_nFileOffset = 0;
    return true;
}

bool CDBStdioFile::SeekRead(std::int64_t nOffset) {
    if (m_fd < 0 || m_bWriting || nOffset < 0) return false;
    m_nPos = m_nEnd = 0;
    m_nFileOffset = nOffset;
    return true;
}

void CDBStdioFile::Close() {
    if (m_fd >= 0) ::close(m_fd);
    if (m_bWriting) ::unlink(m_strTemp.c_str());
    m_fd = -1;
    m_bWriting = false;
    m_strOut.clear();
    m_nPos = m_nEnd = 0;
}
