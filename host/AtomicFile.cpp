#include "host/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::atomic<unsigned> g_nTempCounter{0};

bool WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t n = ::write(fd, content.data(), content.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        content.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool WriteAndSync(int fd, const std::string& strPath, std::string_view content) {
    return KeepModeOf(fd, strPath) && WriteAll(fd, content) && ::fsync(fd) == 0;
}

} // namespace

// A new file beside the target. O_EXCL with mode 0666 lets the umask decide the
// permissions of a new target, as for any other file the program creates.
int CreateTempBeside(const std::string& strPath, std::string& strTemp) {
    for (int nTry = 0; nTry < 100; ++nTry) {
        strTemp =
            strPath + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(g_nTempCounter++);
        const int fd = ::open(strTemp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Makes the rename itself durable; a failure here leaves a complete file either
// way, so it is not reported.
void SyncFolderOf(const std::string& strPath) {
    std::filesystem::path folder = std::filesystem::path(strPath).parent_path();
    if (folder.empty()) folder = ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// A replaced file keeps the permissions it had.
bool KeepModeOf(int fd, const std::string& strPath) {
    struct stat old {};
    return ::stat(strPath.c_str(), &old) != 0 || !S_ISREG(old.st_mode) ||
           ::fchmod(fd, old.st_mode & 07777) == 0;
}


bool WriteFileAtomic(const std::string& strPath, std::string_view content) {
    std::string strTemp;
    const int fd = CreateTempBeside(strPath, strTemp);
    if (fd < 0) return false;
    const bool bWritten = WriteAndSync(fd, strPath, content);
    // close() reports late write errors of some file systems (NFS), so it counts.
    const bool bClosed = ::close(fd) == 0;
    if (!bWritten || !bClosed || ::rename(strTemp.c_str(), strPath.c_str()) != 0) {
        ::unlink(strTemp.c_str());
        return false;
    }
    SyncFolderOf(strPath);
    return true;
}
