#include "host/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::atomic<unsigned> g_nTempCounter{0};

// A name left by a crash is removed only when its process no longer runs here
// and it has not been written to for an hour: a folder shared over the network
// may hold the temporary file of a run on another computer.
constexpr auto kStaleAfter = std::chrono::hours(1);

std::string TempName(const std::string& strPath) {
    return strPath + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(g_nTempCounter++);
}

fs::path FolderOf(const std::string& strPath) {
    fs::path folder = fs::path(strPath).parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

bool ProcessIsGone(const std::string& strPid) {
    if (strPid.empty() || strPid.size() > 9 ||
        strPid.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const pid_t pid = static_cast<pid_t>(std::stol(strPid));
    return pid > 0 && pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH;
}

// "<name>.tmp<pid>-<n>" of a process that has ended, untouched for long.
void RemoveStaleTemps(const std::string& strPath) {
    const std::string strPrefix = fs::path(strPath).filename().string() + ".tmp";
    std::error_code ec;
    fs::directory_iterator it(FolderOf(strPath), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string strName = it->path().filename().string();
        if (!strName.starts_with(strPrefix)) continue;
        const std::size_t nDash = strName.find('-', strPrefix.size());
        if (nDash == std::string::npos ||
            !ProcessIsGone(strName.substr(strPrefix.size(), nDash - strPrefix.size())))
            continue;
        std::error_code ecEntry;
        if (!it->is_regular_file(ecEntry)) continue;
        const auto written = fs::last_write_time(it->path(), ecEntry);
        if (ecEntry || fs::file_time_type::clock::now() - written < kStaleAfter) continue;
        fs::remove(it->path(), ecEntry);
    }
}

bool WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t n = ::write(fd, content.data(), content.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        content.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Makes the rename itself durable; a failure here leaves a complete file either
// way, so it is not reported.
void SyncFolderOf(const std::string& strPath) {
    const int fd = ::open(FolderOf(strPath).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// A name for an unnamed file, found free beside the target.
bool LinkUnnamed(int fd, const std::string& strPath, std::string& strTemp) {
    const std::string strFd = "/proc/self/fd/" + std::to_string(fd);
    for (int nTry = 0; nTry < 100; ++nTry) {
        strTemp = TempName(strPath);
        if (::linkat(AT_FDCWD, strFd.c_str(), AT_FDCWD, strTemp.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno != EEXIST) break;
    }
    strTemp.clear();
    return false;
}

} // namespace

// O_EXCL with mode 0666 lets the umask decide the permissions of a new target, as
// for any other file the program creates.
int CreateTempBeside(const std::string& strPath, std::string& strTemp) {
    RemoveStaleTemps(strPath);
    strTemp.clear();
    const int fdUnnamed = ::open(FolderOf(strPath).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fdUnnamed >= 0) return fdUnnamed;
    for (int nTry = 0; nTry < 100; ++nTry) {
        strTemp = TempName(strPath);
        const int fd = ::open(strTemp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// A replaced file keeps the permissions it had.
bool KeepModeOf(int fd, const std::string& strPath) {
    struct stat old {};
    return ::stat(strPath.c_str(), &old) != 0 || !S_ISREG(old.st_mode) ||
           ::fchmod(fd, old.st_mode & 07777) == 0;
}

// close() reports late write errors of some file systems (NFS), so it counts. An
// unnamed file gets its name only now, right before the rename.
bool PutInPlace(int fd, const std::string& strTemp, const std::string& strPath) {
    std::string strName = strTemp;
    const bool bNamed = !strName.empty() || LinkUnnamed(fd, strPath, strName);
    const int nLinkErrno = errno;
    if (::close(fd) != 0 || !bNamed || ::rename(strName.c_str(), strPath.c_str()) != 0) {
        const int nErrno = bNamed ? errno : nLinkErrno;
        if (!strName.empty()) ::unlink(strName.c_str());
        errno = nErrno;
        return false;
    }
    SyncFolderOf(strPath);
    return true;
}

void DiscardTemp(int fd, const std::string& strTemp) {
    if (fd >= 0) ::close(fd);
    if (!strTemp.empty()) ::unlink(strTemp.c_str());
}

bool WriteFileAtomic(const std::string& strPath, std::string_view content) {
    std::string strTemp;
    const int fd = CreateTempBeside(strPath, strTemp);
    if (fd < 0) return false;
    if (!KeepModeOf(fd, strPath) || !WriteAll(fd, content) || ::fsync(fd) != 0) {
        DiscardTemp(fd, strTemp);
        return false;
    }
    return PutInPlace(fd, strTemp, strPath);
}
