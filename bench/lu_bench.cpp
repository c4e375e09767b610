// Timing of the lab-turnover statistics on a demo database with many lab invoices:
// the pass (database walk and hit file, as "vxstat lu pass" runs it) and the
// reading back (CFile2LU, as the evaluation dialog gets the rows). Prints the
// median wall time of three runs of each, and the peak memory (ru_maxrss) of a
// pass and of a read, each in a process of its own. The period covers every demo
// year, so that all invoices count.
//
//   lu_bench [N [FOLDER]]  N lab invoices (100000); FOLDER for the database and the
//                          hit file (the system's temporary folder)
//
// The database is written once per N and kept for later runs. With N = 100000 the
// user's limits are checked: the pass in at most 3 s, the reading back in at most
// 1 s; the exit code is 1 when one is missed.
#include "app/DemoDatabase.h"
#include "app/LuHitFile.h"
#include "app/LuWalk.h"
#include "core/LUDefault.h"
#include "core/LUSum.h"
#include "host/Cp1252.h"
#include "host/ScriptedHostServices.h"
#include "host/db/Database.h"
#include "host/stat/StatAccu.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kRuns = 3;
constexpr const char* kAb = "20190101"; // the demo years
constexpr const char* kBis = "20251231";
const LuWalkRequest kRequest{kAb, kBis, "", LuMode::Invoices};

struct CPfade {
    std::string strDb;
    std::string strData;
};

[[noreturn]] void Abbruch(const CString& strCp1252) {
    std::fprintf(stderr, "lu_bench: %s\n", Cp1252ToUtf8(strCp1252).c_str());
    std::exit(2);
}

// Written under a temporary name and renamed, so that a broken run leaves nothing
// that a later run would take for complete.
void SchreibeDemo(const std::string& strDb, int nInvoices) {
    if (fs::exists(strDb)) return;
    const std::string strTmp = strDb + ".neu";
    fs::remove(strTmp);
    std::printf("Demo-Datenbank mit %d Laborrechnungen wird angelegt ...\n", nInvoices);
    std::fflush(stdout);
    CString strError;
    if (!WriteDemoDatabase(strTmp, {.nInvoices = nInvoices, .nSeed = 1}, strError))
        Abbruch(strError);
    fs::rename(strTmp, strDb);
}

void Oeffne(const std::string& strDb) {
    CString strError;
    if (!OpenPracticeDatabase(strDb, strError)) Abbruch(strError);
}

std::size_t Pass(const CPfade& p) {
    const CLUDefault settings;
    CStatAccu accu;
    CLUSum sum;
    CString strError;
    if (!RunLuWalk(kRequest, settings, accu, sum, strError) ||
        !WriteLuHitFile(sum, accu, kRequest.eMode, settings, p.strData, strError))
        Abbruch(strError);
    return sum.m_vecLabRech.size();
}

std::size_t Read(const CPfade& p) {
    CLUSum sum;
    CStatAccu accu;
    LuMode eMode = LuMode::Invoices;
    CString strError;
    if (!ReadLuHitFile(sum, accu, p.strData, eMode, strError)) Abbruch(strError);
    return sum.m_vecLabRech.size();
}

struct CZeit {
    double dWand = 0; // wall time
    double dCpu = 0;  // processor time, user and system
};

double CpuSekunden() {
    rusage ru{};
    ::getrusage(RUSAGE_SELF, &ru);
    const auto sek = [](const timeval& tv) {
        return static_cast<double>(tv.tv_sec) + static_cast<double>(tv.tv_usec) / 1e6;
    };
    return sek(ru.ru_utime) + sek(ru.ru_stime);
}

CZeit Miss(const std::function<void()>& fn) {
    const double dCpu = CpuSekunden();
    const auto start = std::chrono::steady_clock::now();
    fn();
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
            CpuSekunden() - dCpu};
}

// The run with the median wall time.
CZeit Median(std::vector<CZeit> v) {
    std::sort(v.begin(), v.end(), [](const CZeit& a, const CZeit& b) { return a.dWand < b.dWand; });
    return v[v.size() / 2];
}

// Peak resident memory of fn in a child process of its own, in MiB.
double PeakMiB(const std::function<void()>& fn) {
    int fds[2];
    if (::pipe(fds) != 0) Abbruch("pipe");
    const pid_t pid = ::fork();
    if (pid == 0) {
        fn();
        rusage ru{};
        ::getrusage(RUSAGE_SELF, &ru);
        const long nKiB = ru.ru_maxrss;
        [[maybe_unused]] const ssize_t n = ::write(fds[1], &nKiB, sizeof nKiB);
        ::_exit(0);
    }
    long nKiB = 0;
    [[maybe_unused]] const ssize_t n = ::read(fds[0], &nKiB, sizeof nKiB);
    ::waitpid(pid, nullptr, 0);
    ::close(fds[0]);
    ::close(fds[1]);
    return static_cast<double>(nKiB) / 1024.0;
}

bool Pruefe(const char* pszWas, const CZeit& z, double dGrenze, bool bPruefen) {
    const bool bOk = z.dWand <= dGrenze;
    std::printf("%-34s Median %7.3f s (Prozessor %.3f s)%s\n", pszWas, z.dWand, z.dCpu,
                !bPruefen ? ""
                : bOk     ? "   (Grenze eingehalten)"
                          : "   (GRENZE UEBERSCHRITTEN)");
    return bOk || !bPruefen;
}

} // namespace

int main(int argc, char** argv) {
    const int nInvoices = argc > 1 ? std::atoi(argv[1]) : 100000;
    if (nInvoices < 1) Abbruch("N muss eine positive Zahl sein.");
    const fs::path dir =
        argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path() / "vxstat-lu-bench";
    fs::create_directories(dir / "data");
    const CPfade p{(dir / ("praxis-" + std::to_string(nInvoices) + ".db")).string(),
                   (dir / "data").string()};
    InstallHostServices(std::make_shared<CScriptedHostServices>()); // no progress output
    SchreibeDemo(p.strDb, nInvoices);

    // Memory first, while this process is small: a child starts with its parent's pages.
    const double dPassMiB = PeakMiB([&] {
        Oeffne(p.strDb);
        Pass(p);
    });
    const double dReadMiB = PeakMiB([&] { Read(p); });

    Oeffne(p.strDb);
    std::vector<CZeit> vecPass, vecRead;
    std::size_t nRows = 0, nRead = 0;
    for (int i = 0; i < kRuns; ++i)
        vecPass.push_back(Miss([&] { nRows = Pass(p); }));
    for (int i = 0; i < kRuns; ++i)
        vecRead.push_back(Miss([&] { nRead = Read(p); }));
    ClosePracticeDatabase();

    std::printf("lu_bench: %d Laborrechnungen, %zu Zeilen geschrieben, %zu gelesen, "
                "Modus Laborrechnungen, 01.01.2019 bis 31.12.2025\n",
                nInvoices, nRows, nRead);
    const bool bPruefen = nInvoices == 100000;
    bool bOk = Pruefe("Lauf Datenbank -> Trefferdatei", Median(vecPass), 3.0, bPruefen);
    bOk &= Pruefe("Trefferdatei einlesen (CFile2LU)", Median(vecRead), 1.0, bPruefen);
    std::printf("%-34s %8.1f MiB\n", "Spitzenspeicher Lauf", dPassMiB);
    std::printf("%-34s %8.1f MiB\n", "Spitzenspeicher Einlesen", dReadMiB);
    return bOk ? 0 : 1;
}
