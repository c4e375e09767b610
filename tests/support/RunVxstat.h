#pragma once
// Runs the built vxstat program as a user's shell or a batch job does: without a
// display, with no standard input, its output and exit code caught.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

struct VxstatResult {
    int nExit = -1;
    std::string strOut, strErr;
};

inline std::string ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline std::string ShellQuoted(const std::string& word) {
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// The shell command that runs VXSTAT_BIN with args, its output going to files in
// dir. bOtherUser runs it as a user who may not write root's files (root may write
// them all). The program replaces the shell, so the shell's process is vxstat's.
inline std::string VxstatCommand(const std::vector<std::string>& args,
                                 const std::filesystem::path& dir, bool bOtherUser = false) {
    std::string cmd = "exec env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ";
    if (bOtherUser && ::geteuid() == 0)
        cmd += "setpriv --reuid 65534 --regid 65534 --clear-groups ";
    cmd += ShellQuoted(VXSTAT_BIN);
    for (const std::string& arg : args)
        cmd += " " + ShellQuoted(arg);
    const std::filesystem::path out = dir / "stdout.txt", err = dir / "stderr.txt";
    return cmd + " </dev/null >" + ShellQuoted(out.string()) + " 2>" + ShellQuoted(err.string());
}

// The exit code and output of a finished run of VxstatCommand in dir.
inline VxstatResult CollectVxstat(int status, const std::filesystem::path& dir) {
    const std::filesystem::path out = dir / "stdout.txt", err = dir / "stderr.txt";
    VxstatResult r;
    r.nExit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.strOut = ReadWholeFile(out);
    r.strErr = ReadWholeFile(err);
    std::error_code ec;
    std::filesystem::remove(out, ec);
    std::filesystem::remove(err, ec);
    return r;
}

inline VxstatResult RunVxstat(const std::vector<std::string>& args,
                              const std::filesystem::path& dir, bool bOtherUser = false) {
    return CollectVxstat(std::system(VxstatCommand(args, dir, bOtherUser).c_str()), dir);
}

// A run of vxstat beside the test, for tests of two programs at once. Each run
// needs a folder of its own for its output.
class VxstatInBackground {
public:
    VxstatInBackground(const std::vector<std::string>& args, const std::filesystem::path& dir)
        : m_dir(dir) {
        const std::string cmd = VxstatCommand(args, dir);
        m_pid = ::fork();
        if (m_pid == 0) {
            ::execl("/bin/sh", "sh", "-c", cmd.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
    }
    ~VxstatInBackground() {
        if (m_pid > 0 && !m_bDone) Wait();
    }
    VxstatInBackground(const VxstatInBackground&) = delete;
    VxstatInBackground& operator=(const VxstatInBackground&) = delete;

    bool Started() const { return m_pid > 0; }
    bool Running() {
        if (m_pid <= 0 || m_bDone) return false;
        if (::waitpid(m_pid, &m_nStatus, WNOHANG) == 0) return true;
        m_bDone = true;
        return false;
    }
    VxstatResult Wait() {
        if (m_pid > 0 && !m_bDone) {
            ::waitpid(m_pid, &m_nStatus, 0);
            m_bDone = true;
        }
        return CollectVxstat(m_nStatus, m_dir);
    }

private:
    std::filesystem::path m_dir;
    pid_t m_pid = -1;
    int m_nStatus = -1;
    bool m_bDone = false;
};
