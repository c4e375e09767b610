#include "support/PgServer.h"

#include "host/db/PgConnection.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char* kDirPrefix = "vxstat-pg-";

std::string& ProblemText() {
    static std::string strProblem;
    return strProblem;
}

// The folder of initdb and pg_ctl: VX_PG_BIN, else the newest Debian server.
std::string BinDir() {
    if (const char* szDir = std::getenv("VX_PG_BIN")) return szDir;
    std::vector<fs::path> dirs;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator("/usr/lib/postgresql", ec))
        if (fs::exists(entry.path() / "bin" / "pg_ctl", ec)) dirs.push_back(entry.path() / "bin");
    if (dirs.empty()) return {};
    std::sort(dirs.begin(), dirs.end(), [](const fs::path& a, const fs::path& b) {
        return std::atoi(a.parent_path().filename().c_str()) <
               std::atoi(b.parent_path().filename().c_str());
    });
    return dirs.back().string();
}

// A port nobody listens on now; the server takes it a moment later.
int FreePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return 0;
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    int nPort = 0;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) == 0)
        nPort = ntohs(addr.sin_port);
    ::close(fd);
    return nPort;
}

// "setpriv ... " for root, which the server refuses; "" for everybody else.
std::string AsServerUser(uid_t& uid, gid_t& gid) {
    uid = ::getuid();
    gid = ::getgid();
    if (uid != 0) return {};
    for (const char* szUser : {"postgres", "nobody"}) {
        if (const passwd* pw = ::getpwnam(szUser)) {
            uid = pw->pw_uid;
            gid = pw->pw_gid;
            return "setpriv --reuid=" + std::to_string(uid) + " --regid=" + std::to_string(gid) +
                   " --clear-groups ";
        }
    }
    return "false ";
}

// Servers of test programs that are gone: stopped at once and removed.
void RemoveStale(const std::string& strBin) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(fs::temp_directory_path(), ec)) {
        if (!entry.path().filename().string().starts_with(kDirPrefix)) continue;
        std::ifstream in(entry.path() / "owner.pid");
        long nPid = 0;
        if (!(in >> nPid) || nPid <= 0) continue;
        if (::kill(static_cast<pid_t>(nPid), 0) == 0 || errno != ESRCH) continue;
        uid_t uid;
        gid_t gid;
        const std::string strCmd = AsServerUser(uid, gid) + strBin + "/pg_ctl -D " +
                                   (entry.path() / "data").string() +
                                   " -m immediate stop >/dev/null 2>&1";
        [[maybe_unused]] const int rc = std::system(strCmd.c_str());
        fs::remove_all(entry.path(), ec);
    }
}

// The end of a log, for a message: the folder is removed afterwards.
std::string Tail(const std::string& strFile) {
    std::ifstream in(strFile);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return text.size() > 600 ? text.substr(text.size() - 600) : text;
}

} // namespace

PgServer::PgServer() {
    if (!Start()) {
        if (!m_strDir.empty()) {
            std::error_code ec;
            fs::remove_all(m_strDir, ec);
        }
        m_nPort = 0;
    }
}

PgServer::~PgServer() {
    if (m_nPort != 0) Stop(false);
    std::error_code ec;
    if (!m_strDir.empty()) fs::remove_all(m_strDir, ec);
}

bool PgServer::Start() {
    const std::string strBin = BinDir();
    if (strBin.empty()) {
        ProblemText() = "Kein PostgreSQL-Server installiert (/usr/lib/postgresql/*/bin fehlt); "
                        "die Tests mit PostgreSQL werden übersprungen.";
        return false;
    }
    RemoveStale(strBin);
    std::string strTemplate = (fs::temp_directory_path() / kDirPrefix).string() + "XXXXXX";
    if (!::mkdtemp(strTemplate.data())) {
        ProblemText() = "Kein temporärer Ordner für den PostgreSQL-Server";
        return false;
    }
    m_strDir = strTemplate;
    std::ofstream(m_strDir + "/owner.pid") << ::getpid() << '\n';
    uid_t uid;
    gid_t gid;
    AsServerUser(uid, gid);
    if (::chown(m_strDir.c_str(), uid, gid) != 0) {
        ProblemText() = "Der Ordner " + m_strDir + " kann dem Serverbenutzer nicht gegeben werden";
        return false;
    }
    // The server writes its own log; the shell's redirection would belong to root.
    const std::string strLog = m_strDir + "/server.log";
    if (RunAsServerUser(strBin + "/initdb -D " + m_strDir + "/data --auth=trust -U postgres " +
                        "--no-sync -E UTF8 --locale=C >" + m_strDir + "/initdb.log 2>&1") != 0) {
        ProblemText() = "initdb ist fehlgeschlagen: " + Tail(m_strDir + "/initdb.log");
        return false;
    }
    // The port may be taken between the look and the start: then another one.
    for (int nTry = 0; nTry < 3; ++nTry) {
        const int nPort = FreePort();
        const std::string strOptions = "-c listen_addresses=127.0.0.1 -p " + std::to_string(nPort) +
                                       " -k " + m_strDir + " -c fsync=off -c full_page_writes=off";
        if (RunAsServerUser(strBin + "/pg_ctl -D " + m_strDir + "/data -l " + strLog + " -w -o '" +
                            strOptions + "' start >/dev/null 2>&1") == 0) {
            m_nPort = nPort;
            return true;
        }
    }
    ProblemText() = "Der PostgreSQL-Server startet nicht: " + Tail(strLog);
    return false;
}

int PgServer::RunAsServerUser(const std::string& strCommand) const {
    uid_t uid;
    gid_t gid;
    const int rc = std::system((AsServerUser(uid, gid) + strCommand).c_str());
    return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

void PgServer::Stop(bool bImmediate) {
    if (m_nPort == 0) return;
    RunAsServerUser(BinDir() + "/pg_ctl -D " + m_strDir + "/data -m " +
                    (bImmediate ? "immediate" : "fast") + " stop >/dev/null 2>&1");
    m_nPort = 0;
}

std::string PgServer::Location(const std::string& strDb) const {
    return "host=127.0.0.1 port=" + std::to_string(m_nPort) + " dbname=" + strDb + " user=postgres";
}

std::string PgServer::NewDatabase() {
    const std::string strDb = "t_" + std::to_string(++m_nDatabases);
    auto admin = OpenPgConnection(Location("postgres"), false);
    admin->Execute("CREATE DATABASE " + strDb +
                   " TEMPLATE template0 ENCODING 'UTF8' LC_COLLATE 'C' LC_CTYPE 'C'");
    return Location(strDb);
}

PgServer* PgServer::Shared() {
    static std::unique_ptr<PgServer> pServer = [] {
        auto p = std::make_unique<PgServer>();
        return p->IsRunning() ? std::move(p) : nullptr;
    }();
    return pServer.get();
}

bool PgServer::Required() {
    const char* szCi = std::getenv("CI");
    return szCi && std::string(szCi) == "true";
}

const std::string& PgServer::Problem() {
    return ProblemText();
}
