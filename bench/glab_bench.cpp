// Timing of the commercial-lab statistics with many customer invoices: the walk
// with the writing of the hit file, and the reading back. Prints the median of
// three runs of each and the peak memory of the process. With 100000 invoices the
// user's limits are checked (pass at most 3 s, reading back at most 1 s); the exit
// code is 1 when one is missed.
//
//   glab_bench [N]   N customer invoices, 100000 by default
#include "app/GlabWalk.h"
#include "glab/File2Glab.h"
#include "glab/Glab2File.h"
#include "glab/GlabSum.h"
#include "host/ScriptedHostServices.h"
#include "host/TextUtil.h"
#include "host/db/Database.h"
#include "host/stat/StatAccu.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
constexpr int kKunden = 40;
constexpr int kLaeufe = 3;

// Customers and nAnzahl invoices spread over 2019 .. 2025, amount lists in the
// stored 9-place fields, written in one transaction.
void Fuelle(long nAnzahl) {
    IDbConnection& db = dbDatabase.Conn();
    std::mt19937 rnd(1);
    auto zahl = [&](int nLo, int nHi) { return std::uniform_int_distribution<int>(nLo, nHi)(rnd); };
    InTransaction(db, [&] {
        auto ku = db.Prepare("INSERT INTO glku (ku_nr, name) VALUES (?, ?)");
        for (int i = 0; i < kKunden; ++i) {
            ku->BindText(1, std::to_string(101 + i));
            ku->BindText(2, "Praxis " + std::to_string(i));
            ku->Step();
            ku->Reset();
        }
        auto fakt = db.Prepare("INSERT INTO glkufakt (ku_nr, rech_nr, info1, datum, info2, info3, "
                               "anz_rech, info4, info5, storno, betraege, mwst) "
                               "VALUES (?, ?, 'S', ?, '01.2020', '1', ?, 'AB', ?, ?, ?, ?)");
        for (long i = 0; i < nAnzahl; ++i) {
            const int nTag = static_cast<int>(i * 2555 / nAnzahl);
            const CString strDatum =
                Format("%04d%02d%02d", 2019 + nTag / 365, 1 + nTag % 365 / 31 % 12, 1 + nTag % 28);
            const CString strRechNr = Format("%08ld", i + 1);
            const int nTechn = zahl(5000, 900000), nMat = zahl(100, 90000);
            const int nMet = zahl(0, 200000), nSonst = zahl(0, 20000);
            const CString strListe = RightFix(itoc(nTechn), 9) + RightFix(itoc(nMat), 9) +
                                     RightFix(itoc(nMet), 9) + RightFix(itoc(nSonst), 9);
            fakt->BindText(1, std::to_string(101 + zahl(0, kKunden - 1)));
            fakt->BindText(2, strRechNr);
            fakt->BindText(3, strDatum);
            fakt->BindText(4, std::to_string(zahl(1, 6)));
            fakt->BindText(5, "J" + strRechNr);
            fakt->BindText(6, zahl(0, 39) == 0 ? "1" : "0");
            fakt->BindText(7, strListe);
            fakt->BindText(8, "e" + RightFix(itoc((nTechn + nMat + nMet + nSonst) * 7 / 100), 10));
            fakt->Step();
            fakt->Reset();
        }
    });
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double Sekunden(const std::function<void()>& fn) {
    const auto start = std::chrono::steady_clock::now();
    fn();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

[[noreturn]] void Abbruch(const CString& strError) {
    std::fprintf(stderr, "glab_bench: %s\n", strError.c_str());
    std::exit(1);
}

} // namespace

int main(int argc, char** argv) {
    const long nAnzahl = argc > 1 ? std::atol(argv[1]) : 100'000;
    InstallHostServices(std::make_shared<CScriptedHostServices>());
    const fs::path dir =
        fs::temp_directory_path() / ("vxstat-glab-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir / "data");
    CString strError;
    if (!CreatePracticeDatabase((dir / "praxis.db").string(), strError)) Abbruch(strError);
    Fuelle(nAnzahl);

    std::vector<double> vecPass, vecRead;
    std::size_t nHits = 0, nRows = 0, nErrors = 0;
    for (int i = 0; i < kLaeufe; ++i) {
        vecPass.push_back(Sekunden([&] {
            CStatAccu accu;
            accu.SetPeriod("20190101", "20251231");
            if (!CGlabWalk().Run(accu, strError)) Abbruch(strError);
            CGlab2File writer(nullptr);
            if (!writer.Run(accu, (dir / "data").string(), strError)) Abbruch(strError);
            nHits = accu.m_vecGlabHits.size();
            nErrors = accu.m_vecErrors.size();
        }));
    }
    for (int i = 0; i < kLaeufe; ++i) {
        vecRead.push_back(Sekunden([&] {
            CStatAccu accu;
            CGlabSum sum;
            CFile2Glab reader(&sum, nullptr);
            if (!reader.Run(accu, (dir / "data").string(), strError)) Abbruch(strError);
            nRows = sum.m_vecFakt.size();
        }));
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("Kundenrechnungen: %zu (Fehler %zu), gelesene Zeilen: %zu\n", nHits, nErrors,
                nRows);
    const double dPass = Median(vecPass), dRead = Median(vecRead);
    std::printf("Pass (Walk + Trefferdatei): Median %.3f s\n", dPass);
    std::printf("Einlesen der Trefferdatei:  Median %.3f s\n", dRead);
    std::printf("Spitzenspeicher (ru_maxrss): %ld KiB\n", usage.ru_maxrss);
    ClosePracticeDatabase();
    std::error_code ec;
    fs::remove_all(dir, ec);
    const bool bOk = nAnzahl != 100'000 || (dPass <= 3.0 && dRead <= 1.0);
    if (!bOk) std::printf("Grenze ueberschritten: Pass hoechstens 3 s, Einlesen hoechstens 1 s\n");
    return bOk ? 0 : 1;
}
