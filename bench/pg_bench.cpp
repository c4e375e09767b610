// The lab-turnover pass from a PostgreSQL server on loopback against the same pass
// from an SQLite file, in the same run: one demo database of N lab invoices written
// to both (same seed), then the pass (walk and hit file) three times on each,
// alternating, and the medians of both, and the number of requests (round trips)
// a pass sends to the server. The server is a throwaway one started
// here (tests/support/PgServer.h) and removed at the end.
//
//   pg_bench [N]   N lab invoices (100000)
//
// With N = 100000 the limit is checked: the server's median at most twice the
// file's; the exit code is 1 when it is missed, 2 when nothing could be measured.
#include "app/DemoDatabase.h"
#include "app/LuHitFile.h"
#include "app/LuWalk.h"
#include "core/LUDefault.h"
#include "core/LUSum.h"
#include "host/Cp1252.h"
#include "host/ScriptedHostServices.h"
#include "host/db/Database.h"
#include "host/db/PgConnection.h"
#include "host/stat/StatAccu.h"
#include "support/PgServer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kRuns = 3;
const LuWalkRequest kRequest{"20190101", "20251231", "", LuMode::Invoices};

[[noreturn]] void Abbruch(const std::string& strUtf8) {
    std::fprintf(stderr, "pg_bench: %s\n", strUtf8.c_str());
    std::exit(2);
}

void SchreibeDemo(const std::string& strDb, int nInvoices) {
    CString strError;
    if (!WriteDemoDatabase(strDb, {.nInvoices = nInvoices, .nSeed = 1}, strError))
        Abbruch(Cp1252ToUtf8(strError));
}

// One pass as "vxstat lu pass" runs it, on a database opened for it; seconds.
// nAnfragen: the requests it sent to a server (0 for a file), each a round trip.
double Pass(const std::string& strDb, const std::string& strData, std::size_t& nRows,
            long& nAnfragen) {
    const long nVorher = PgRoundTrips();
    CString strError;
    if (!OpenPracticeDatabase(strDb, DbOpenMode::ReadOnly, strError))
        Abbruch(Cp1252ToUtf8(strError));
    const auto start = std::chrono::steady_clock::now();
    const CLUDefault settings;
    CStatAccu accu;
    CLUSum sum;
    if (!RunLuWalk(kRequest, settings, accu, sum, strError) ||
        !WriteLuHitFile(sum, accu, kRequest.eMode, settings, strData, strError))
        Abbruch(Cp1252ToUtf8(strError));
    const double dSek =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ClosePracticeDatabase();
    nRows = sum.m_vecLabRech.size();
    nAnfragen = PgRoundTrips() - nVorher;
    return dSek;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const int nInvoices = argc > 1 ? std::atoi(argv[1]) : 100000;
    if (nInvoices < 1) Abbruch("N muss eine positive Zahl sein.");
    InstallHostServices(std::make_shared<CScriptedHostServices>()); // no progress output
    PgServer server;
    if (!server.IsRunning()) Abbruch(PgServer::Problem());
    const fs::path dir =
        fs::temp_directory_path() / ("vxstat-pg-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir / "data");
    const std::string strFile = (dir / "praxis.db").string();
    const std::string strServer = server.NewDatabase();
    std::printf("Demo-Datenbank mit %d Laborrechnungen wird zweimal angelegt ...\n", nInvoices);
    std::fflush(stdout);
    SchreibeDemo(strFile, nInvoices);
    SchreibeDemo(strServer, nInvoices);

    std::vector<double> vecFile, vecServer;
    std::size_t nFile = 0, nServer = 0;
    long nAnfragenFile = 0, nAnfragen = 0;
    for (int i = 0; i < kRuns; ++i) {
        vecFile.push_back(Pass(strFile, (dir / "data").string(), nFile, nAnfragenFile));
        vecServer.push_back(Pass(strServer, (dir / "data").string(), nServer, nAnfragen));
    }
    std::error_code ec;
    fs::remove_all(dir, ec);
    if (nFile != nServer) Abbruch("Die Läufe ergeben verschieden viele Zeilen.");

    const double dFile = Median(vecFile), dServer = Median(vecServer);
    const bool bPruefen = nInvoices == 100000;
    const bool bOk = dServer <= 2.0 * dFile;
    std::printf("pg_bench: %d Laborrechnungen, %zu Zeilen, Modus Laborrechnungen, "
                "01.01.2019 bis 31.12.2025\n",
                nInvoices, nFile);
    std::printf("%-34s Median %7.3f s\n", "Lauf aus SQLite-Datei", dFile);
    std::printf("%-34s Median %7.3f s   (%.2f-fach%s)\n", "Lauf aus PostgreSQL (Loopback)", dServer,
                dServer / dFile,
                !bPruefen ? ""
                : bOk     ? ", Grenze 2-fach eingehalten"
                          : ", GRENZE 2-FACH UEBERSCHRITTEN");
    std::printf("%-34s %ld je Lauf\n", "Anfragen an den Server", nAnfragen);
    return bOk || !bPruefen ? 0 : 1;
}
