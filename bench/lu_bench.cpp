// Timing of the lab-turnover statistics on a demo database with many lab invoices,
// each against a plain baseline measured in the same run:
//   (a) the pass, database walk and hit file,  against (b) one plain SQLite query
//       reading and summing the same treatment hits;
//   (c) reading the hit file back (CFile2LU),  against (d) reading the same file
//       line by line with std::getline;
//   (e) merging the same hits grouped by invoice, against shuffled: handed over
//       together (checked), and one MoveLabRech per hit (shown);
// and the peak memory of a pass and of a read, each in a process of its own.
// Times are the median of three runs (seven for the read and the merging, which
// take less than a second), each run of a measure taken in turn with one of its
// baseline. The period covers every demo year, so that all invoices count.
//
//   lu_bench [N [FOLDER [PART]]]  N lab invoices (100000); FOLDER for the database
//                           and the hit file (the system's temporary folder);
//                           PART "pass", "read", "grouped" or "shuffled" repeats
//                           only that part (MoveLabRech in either order ten
//                           times), for a profiler, and checks nothing; "pass"
//                           and "read" print their medians against their
//                           baselines (five and ten runs), "merge" and
//                           "merge1" the two orders together and one by one
// The database is written once per N and kept for later runs. With N = 100000 the
// limits of the lab-turnover statistics are checked; the exit code is 1 when one
// is missed.
#include "app/DemoDatabase.h"
#include "app/LuHitFile.h"
#include "app/LuWalk.h"
#include "core/LUDefault.h"
#include "core/LUSum.h"
#include "host/BehHitLine.h"
#include "host/Cp1252.h"
#include "host/RowMemory.h"
#include "host/ScriptedHostServices.h"
#include "host/db/Database.h"
#include "host/db/ZLabHit.h"
#include "host/stat/StatAccu.h"

#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kRuns = 3;
constexpr int kRunsKurz = 7;            // for measures below a second
constexpr const char* kAb = "20190101"; // the demo years
constexpr const char* kBis = "20251231";

// The walk's query of the invoice mode (CZLabHit::GetRechnungen), for the plain
// baseline: the same join, conditions, columns and order.
constexpr const char* kPlainSql =
    "SELECT f.fakt_key, b.beh_id, b.md_id, b.pat_nr, b.plan_nr, b.datum, b.art, b.sub_art,"
    " b.text, b.betrag_cent, b.waehrung, b.mwst_satz, b.fakt_key, b.flag1, b.flag2, b.liq_nr1,"
    " b.liq_nr2, b.lblock_nr, b.lblock_entry_nr, b.bill_key, b.techniker_id, p.name, p.vorname,"
    " CASE WHEN b.beh_id IS NULL THEN (SELECT pl.plan_art FROM plan pl"
    " WHERE pl.pat_nr = f.pat_nr AND pl.plan_nr = f.plan_nr) END,"
    " CASE WHEN b.lblock_entry_nr <> '' THEN NOT EXISTS (SELECT 1 FROM lblock_entry e"
    " WHERE e.pat_nr = b.pat_nr AND e.plan_nr = b.plan_nr AND e.lblock_nr = b.lblock_nr"
    " AND e.entry_nr = b.lblock_entry_nr) ELSE 0 END,"
    " f.md_id, f.pat_nr, f.plan_nr, f.lblock_nr, f.art, f.datum, f.druck_datum, f.prefix,"
    " f.jahr, f.lfd_nr, f.pat_rech_nr, f.storno_datum, f.bezahlt_datum, f.techniker_id,"
    " f.mwst_satz, f.waehrung, f.a1_cent, f.a2_cent, f.a3_cent, f.a4_cent, f.a5_cent, f.b1_cent,"
    " f.b2_cent, f.b3_cent, f.b4_cent, f.b5_cent"
    " FROM fakt f LEFT JOIN beh b ON b.fakt_key = f.fakt_key"
    " LEFT JOIN pat p ON p.pat_nr = coalesce(b.pat_nr, f.pat_nr)"
    " WHERE (?3 = '' OR f.md_id = ?3) AND f.art IN ('R', 'R') AND ('0' = '0' OR f.storno_datum <> "
    "'')"
    " AND ((f.datum BETWEEN ?1 AND ?2)"
    " OR (f.storno_datum BETWEEN ?1 AND ?2 AND f.datum < ?1 AND f.datum <> ''))"
    " ORDER BY f.fakt_key";

struct CPfade {
    std::string strDb;
    std::string strData;
    std::string HitFile() const { return (fs::path(strData) / "vx_slu.txt").string(); }
};

[[noreturn]] void Abbruch(const CString& strCp1252) {
    std::fprintf(stderr, "lu_bench: %s\n", Cp1252ToUtf8(strCp1252).c_str());
    std::exit(2);
}

// Wall and processor time of one run. Other work on the machine stretches the wall
// time; the processor time shows what the run itself costs.
struct CZeit {
    double dWand = 0;
    double dCpu = 0;
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

// Both measured nRuns times in turn, so that a drift of the machine's speed hits
// both alike; of each the run with the median wall time.
std::pair<CZeit, CZeit> MedianImWechsel(const std::function<void()>& fnA,
                                        const std::function<void()>& fnB, int nRuns = kRuns) {
    std::vector<CZeit> a, b;
    for (int i = 0; i < nRuns; ++i) {
        a.push_back(Miss(fnA));
        b.push_back(Miss(fnB));
    }
    const auto median = [](std::vector<CZeit>& v) {
        std::sort(v.begin(), v.end(),
                  [](const CZeit& x, const CZeit& y) { return x.dWand < y.dWand; });
        return v[v.size() / 2];
    };
    return {median(a), median(b)};
}

void Zeige(const char* pszWas, const CZeit& z) {
    std::printf("%-40s %8.3f s   (Prozessor %.3f s)\n", pszWas, z.dWand, z.dCpu);
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

const LuWalkRequest kRequest{kAb, kBis, "", LuMode::Invoices};

// (a): the walk and the hit file, as "vxstat lu pass" runs them.
void Pass(const CPfade& p) {
    const CLUDefault settings;
    CStatAccu accu;
    CLUSum sum;
    CString strError;
    if (!RunLuWalk(kRequest, settings, accu, sum, strError) ||
        !WriteLuHitFile(sum, accu, kRequest.eMode, settings, p.strData, strError))
        Abbruch(strError);
}

// (b): the same treatment hits with one plain query, every column read.
std::int64_t PlainQuery(const std::string& strDb) {
    sqlite3* db = nullptr;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_open_v2(strDb.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK ||
        sqlite3_prepare_v2(db, kPlainSql, -1, &stmt, nullptr) != SQLITE_OK)
        Abbruch(sqlite3_errmsg(db));
    sqlite3_bind_text(stmt, 1, kAb, -1, SQLITE_STATIC);
    sqlite3_bind_text(stmt, 2, kBis, -1, SQLITE_STATIC);
    sqlite3_bind_text(stmt, 3, "", -1, SQLITE_STATIC);
    std::int64_t nSumme = 0;
    std::size_t nBytes = 0;
    const int nCols = sqlite3_column_count(stmt);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < nCols; ++c)
            if (sqlite3_column_type(stmt, c) == SQLITE_TEXT) {
                sqlite3_column_text(stmt, c);
                nBytes += static_cast<std::size_t>(sqlite3_column_bytes(stmt, c));
            }
        nSumme += sqlite3_column_int64(stmt, 9); // b.betrag_cent
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return nSumme + static_cast<std::int64_t>(nBytes % 2);
}

// (c): the hit file back into rows, as the evaluation dialog gets them.
std::size_t Read(const CPfade& p) {
    CLUSum sum;
    CStatAccu accu;
    LuMode eMode = LuMode::Invoices;
    CString strError;
    if (!ReadLuHitFile(sum, accu, p.strData, eMode, strError)) Abbruch(strError);
    return sum.m_vecLabRech.size();
}

// (d): the same file split into lines.
std::size_t PlainRead(const CPfade& p) {
    std::ifstream in(p.HitFile(), std::ios::binary);
    std::string line;
    std::size_t nBytes = 0;
    while (std::getline(in, line))
        nBytes += line.size();
    return nBytes;
}

// The hits the walk merges, in its order.
std::vector<CBehHitLine> Hits() {
    std::vector<CBehHitLine> hits;
    CZLabHit rec(CZLabHit::Quelle::Rechnungen);
    for (int rc = rec.GetRechnungen(CZLabHit::Datum::Rechnung, "R", "R", false, kAb, kBis, "");
         rc == 0; rc = rec.Next())
        if (rec.m_beh.m_nBehId) hits.push_back(BehHitFromRecord(rec.m_beh, rec.m_strPatName));
    return hits;
}

// (e): the hits into one accumulator, with room for the rows and inside one read
// transaction, as the walk gives them; all together or one by one.
void Merge(const std::vector<CBehHitLine>& hits, std::size_t nRows, bool bEinzeln) {
    const CLUDefault settings;
    CLUSum sum;
    ReserveRows(sum.m_vecLabRech, nRows);
    InTransaction(dbDatabaseRO.Conn(), [&] {
        if (!bEinzeln) {
            sum.MoveLabRech(hits, settings);
            return;
        }
        for (const CBehHitLine& hit : hits)
            sum.MoveLabRech(hit, settings);
    });
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

// Shuffled copies, so that their texts lie in memory in the new order too, as they
// would when a query delivered them so.
std::vector<CBehHitLine> Gemischt(const std::vector<CBehHitLine>& hits) {
    std::vector<std::size_t> order(hits.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::shuffle(order.begin(), order.end(), std::mt19937(7));
    std::vector<CBehHitLine> shuffled;
    shuffled.reserve(hits.size());
    for (std::size_t i : order)
        shuffled.push_back(hits[i]);
    return shuffled;
}

int Profiliere(const std::string& strTeil, const CPfade& p, std::size_t nRows) {
    Oeffne(p.strDb);
    const bool bMitTreffern = strTeil != "read" && strTeil != "pass";
    const std::vector<CBehHitLine> hits = bMitTreffern ? Hits() : std::vector<CBehHitLine>();
    constexpr int kMal = 10;
    if (strTeil == "pass") {
        const auto [a, b] = MedianImWechsel([&] { Pass(p); }, [&] { PlainQuery(p.strDb); }, 5);
        std::printf("Lauf %.3f s, Abfrage %.3f s, Verhaeltnis %.2f\n", a.dWand, b.dWand,
                    a.dWand / b.dWand);
    } else if (strTeil == "read") {
        const auto [c, d] = MedianImWechsel([&] { Read(p); }, [&] { PlainRead(p); }, kMal);
        std::printf("einlesen %.3f s, getline %.3f s, Verhaeltnis %.2f\n", c.dWand, d.dWand,
                    c.dWand / d.dWand);
    } else if (strTeil == "merge" || strTeil == "merge1") {
        const std::vector<CBehHitLine> shuffled = Gemischt(hits);
        const bool b1 = strTeil == "merge1";
        const auto [e, f] = MedianImWechsel([&] { Merge(hits, nRows, b1); },
                                            [&] { Merge(shuffled, nRows, b1); }, kMal);
        std::printf("geordnet %.3f s, gemischt %.3f s, Verhaeltnis %.2f\n", e.dWand, f.dWand,
                    f.dWand / e.dWand);
    } else if (strTeil == "grouped") {
        for (int i = 0; i < kMal; ++i)
            Merge(hits, nRows, false);
    } else if (strTeil == "shuffled") {
        const std::vector<CBehHitLine> shuffled = Gemischt(hits);
        for (int i = 0; i < kMal; ++i)
            Merge(shuffled, nRows, false);
    } else {
        Abbruch("Teil muss pass, read, merge, merge1, grouped oder shuffled sein.");
    }
    return 0;
}

bool Pruefe(const char* pszWas, double dWert, double dGrenze, bool bPruefen) {
    const bool bOk = dWert <= dGrenze;
    std::printf("    %-38s %8.2f   Grenze %.2f%s\n", pszWas, dWert, dGrenze,
                !bPruefen ? ""
                : bOk     ? "  eingehalten"
                          : "  ÜBERSCHRITTEN");
    return bOk || !bPruefen;
}

} // namespace

int main(int argc, char** argv) {
    const int nInvoices = argc > 1 ? std::atoi(argv[1]) : 100000;
    const fs::path dir =
        argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path() / "vxstat-lu-bench";
    if (nInvoices < 1) Abbruch("N muss eine positive Zahl sein.");
    fs::create_directories(dir / "data");
    const CPfade p{(dir / ("praxis-" + std::to_string(nInvoices) + ".db")).string(),
                   (dir / "data").string()};
    InstallHostServices(std::make_shared<CScriptedHostServices>()); // no progress output
    SchreibeDemo(p.strDb, nInvoices);
    if (argc > 3) return Profiliere(argv[3], p, static_cast<std::size_t>(nInvoices));

    // Memory first, while this process is small: a child starts with its parent's pages.
    const double dPassMiB = PeakMiB([&] {
        Oeffne(p.strDb);
        Pass(p);
    });
    const double dReadMiB = PeakMiB([&] { Read(p); });

    Oeffne(p.strDb);
    const std::vector<CBehHitLine> hits = Hits();
    std::printf("lu_bench: %d Laborrechnungen, %zu Behandlungstreffer, Modus Laborrechnungen, "
                "01.01.2019 bis 31.12.2025\n",
                nInvoices, hits.size());
    const auto [a, b] = MedianImWechsel([&] { Pass(p); }, [&] { PlainQuery(p.strDb); });
    // The short measures are the noisiest: more runs for them.
    const auto [c, d] = MedianImWechsel([&] { Read(p); }, [&] { PlainRead(p); }, kRunsKurz);
    const std::size_t nRows = static_cast<std::size_t>(nInvoices);
    const std::vector<CBehHitLine> shuffled = Gemischt(hits);
    const auto [eGruppiert, eGemischt] = MedianImWechsel(
        [&] { Merge(hits, nRows, false); }, [&] { Merge(shuffled, nRows, false); }, kRunsKurz);
    const auto [eEinzelnGruppiert, eEinzelnGemischt] = MedianImWechsel(
        [&] { Merge(hits, nRows, true); }, [&] { Merge(shuffled, nRows, true); }, kRunsKurz);
    ClosePracticeDatabase();

    const bool bPruefen = nInvoices == 100000;
    Zeige("(a) Lauf Datenbank -> Trefferdatei", a);
    Zeige("(b) einfache SQLite-Abfrage mit Summe", b);
    bool bOk = Pruefe("(a) in Sekunden", a.dWand, 3.0, bPruefen);
    bOk &= Pruefe("Verhaeltnis a/b", a.dWand / b.dWand, 3.0, bPruefen);
    Zeige("(c) Trefferdatei einlesen (CFile2LU)", c);
    Zeige("(d) Datei zeilenweise lesen (getline)", d);
    bOk &= Pruefe("(c) in Sekunden", c.dWand, 1.0, bPruefen);
    bOk &= Pruefe("Verhaeltnis c/d", c.dWand / d.dWand, 4.0, bPruefen);
    Zeige("(e) MoveLabRech nach Rechnung geordnet", eGruppiert);
    Zeige("    MoveLabRech zufaellig gemischt", eGemischt);
    bOk &=
        Pruefe("Verhaeltnis gemischt/geordnet", eGemischt.dWand / eGruppiert.dWand, 1.5, bPruefen);
    Zeige("    je Treffer einzeln, geordnet", eEinzelnGruppiert);
    Zeige("    je Treffer einzeln, gemischt", eEinzelnGemischt);
    std::printf("    %-38s %8.2f\n", "Verhaeltnis einzeln gemischt/geordnet",
                eEinzelnGemischt.dWand / eEinzelnGruppiert.dWand);
    std::printf("%-40s %8.1f MiB\n", "Spitzenspeicher Lauf", dPassMiB);
    std::printf("%-40s %8.1f MiB\n", "Spitzenspeicher Einlesen", dReadMiB);
    return bOk ? 0 : 1;
}
