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

// Runs VXSTAT_BIN with args; its output goes through files in dir. bOtherUser runs
// it as a user who may not write root's files (root may write them all).
inline VxstatResult RunVxstat(const std::vector<std::string>& args,
                              const std::filesystem::path& dir, bool bOtherUser = false) {
    std::string cmd = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ";
    if (bOtherUser && ::geteuid() == 0)
        cmd += "setpriv --reuid 65534 --regid 65534 --clear-groups ";
    cmd += ShellQuoted(VXSTAT_BIN);
    for (const std::string& arg : args)
        cmd += " " + ShellQuoted(arg);
    const std::filesystem::path out = dir / "stdout.txt", err = dir / "stderr.txt";
    cmd += " </dev/null >" + ShellQuoted(out.string()) + " 2>" + ShellQuoted(err.string());
    const int status = std::system(cmd.c_str());
    VxstatResult r;
    r.nExit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.strOut = ReadWholeFile(out);
    r.strErr = ReadWholeFile(err);
    std::error_code ec;
    std::filesystem::remove(out, ec);
    std::filesystem::remove(err, ec);
    return r;
}
