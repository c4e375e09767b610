// The lab-turnover dialog with many invoices: opening (rows, initial sort, marks,
// sums), a check-box click with the new sums, a change of tab, a sort by a
// column header and the technician ranking (20 technicians, every invoice's plan
// in a practice database), each against its limit. Medians of several runs; peak
// memory.
//   dialog_bench [INVOICES]
#include "core/LUSum.h"
#include "dialog/diaAwLU.h"
#include "host/ScriptedHostServices.h"
#include "host/TextUtil.h"
#include "host/db/Database.h"
#include "host/db/ZLeb.h"
#include "host/db/ZPlan.h"
#include "host/stat/StatAccu.h"

#include <QApplication>
#include <QHeaderView>
#include <QTableView>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kTechniker = 20;
constexpr int kZahnaerzte = 6;

CString TechnikerId(int n) {
    return Format("T%02d", n + 1);
}

CDBetrag Cent(std::int64_t n) {
    return CDBetrag::FromCent(n);
}

void FillBlock(CLULabRechLst& b, std::int64_t nLst, std::int64_t nMat, std::int64_t nMet,
               int nSatz) {
    b.m_bBelegt = true;
    b.m_TechnLst = Cent(nLst);
    b.m_Material = Cent(nMat);
    b.m_TechnMat = Cent(nMat / 2);
    b.m_Metall = Cent(nMet);
    b.m_Netto = Cent(nLst + nMat + nMet);
    b.m_MwSt = Cent((nLst + nMat + nMet) * nSatz / 100);
    b.m_Brutto = b.m_Netto + b.m_MwSt;
}

// Invoices of one year at 19 % or 7 %, some of them cancelled.
CLUSum MakeInvoices(int nCount) {
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> day(1, 28), month(1, 12), cent(100, 500000), pick(0, 99);
    CLUSum sum;
    sum.m_vecLabRech.reserve(nCount);
    for (int n = 0; n < nCount; ++n) {
        CLULabRech r;
        r.m_strPatNr = itoc(1000 + n % 20000);
        r.m_strPlanNr = itoc(1 + n % 9);
        r.m_strRechDatum = Format("2023%02d%02d", month(rng), day(rng));
        r.m_strRechNr = "1/" + r.m_strPatNr + "/" + itoc(n % 7 + 1);
        r.m_strMandant = n % 3 ? "1" : "2";
        r.m_strPatName = "Patient " + itoc(n);
        r.m_cPlanArt = "czkbpie2"[n % 8];
        r.m_strTechniker = TechnikerId(n % kTechniker);
        const int nSatz = pick(rng) < 80 ? 19 : 7;
        const std::int64_t nLst = cent(rng), nMat = cent(rng) / 10, nMet = cent(rng) / 20;
        FillBlock(r.m_LstAlle, nLst, nMat, nMet, nSatz);
        FillBlock(r.m_LstMitMwSt, nLst, nMat, nMet, nSatz);
        FillBlock(nSatz == 19 ? r.m_Lst19 : r.m_Lst7, nLst, nMat, nMet, nSatz);
        if (pick(rng) < 3) {
            r.m_nStornoTyp = pick(rng) % 2 ? kStornoDavor : kStornoImZeitraum;
            r.m_strStornoDatum = "20231215";
        }
        sum.m_vecLabRech.push_back(std::move(r));
    }
    return sum;
}

double Ms(const std::function<void()>& fn) {
    const auto t0 = std::chrono::steady_clock::now();
    fn();
    QCoreApplication::processEvents(); // the view catches up, as it would before the next input
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

bool Report(const char* szWhat, const std::vector<double>& vecMs, double dLimit) {
    const double dMedian = Median(vecMs);
    const bool bOk = dMedian <= dLimit;
    std::printf("  %-34s Median %8.1f ms  (Grenze %6.0f ms, %zu Läufe) %s\n", szWhat, dMedian,
                dLimit, vecMs.size(), bOk ? "ok" : "ZU LANGSAM");
    return bOk;
}

// A new practice database with the technicians and, for every invoice's patient
// and plan, a plan with its treating dentist. Returns its folder ("" on failure).
std::filesystem::path CreateRankingDb(const CLUSum& sum) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("vxstat-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    CString strError;
    if (!CreatePracticeDatabase((dir / "praxis.db").string(), strError)) {
        std::fprintf(stderr, "%s\n", strError.c_str());
        return {};
    }
    InTransaction(dbDatabase.Conn(), [&] {
        CZLeb leb(&dbDatabase);
        for (int n = 0; n < kTechniker; ++n) {
            leb.m_strLebId = TechnikerId(n);
            leb.m_strArt = "T";
            leb.m_strName = "Techniker " + itoc(n + 1);
            leb.Write();
        }
        CZPlan plan(&dbDatabase);
        int n = 0;
        for (const CLULabRech& r : sum.m_vecLabRech) {
            plan.m_strPatNr = r.m_strPatNr;
            plan.m_strPlanNr = r.m_strPlanNr;
            plan.m_strZaLebId = Format("Z%d", ++n % kZahnaerzte + 1);
            plan.Write();
        }
    });
    return dir;
}

struct Opened {
    std::unique_ptr<CdiaAwLU> pDialog;
    double dMs;
};

// bHandOver: the caller hands its accumulator over instead of letting the dialog copy it.
Opened Open(const CLUSum& sum, CStatAccu& accu, bool bHandOver) {
    CLUSum given = bHandOver ? sum : CLUSum();
    Opened o;
    o.dMs = Ms([&] {
        if (bHandOver)
            o.pDialog = std::make_unique<CdiaAwLU>(std::move(given), &accu, nullptr, true, false,
                                                   false, false, "", "");
        else
            o.pDialog =
                std::make_unique<CdiaAwLU>(sum, &accu, nullptr, true, false, false, false, "", "");
        o.pDialog->Create();
        o.pDialog->GetDialog()->show();
    });
    return o;
}

} // namespace

int main(int argc, char** argv) {
    const int nCount = argc > 1 ? std::atoi(argv[1]) : 100'000;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int nArgc = 1;
    QApplication app(nArgc, argv);
    InstallHostServices(std::make_shared<CScriptedHostServices>());
    CStatAccu accu;
    accu.SetPeriod("20230101", "20231231");
    accu.m_vecMandanten = {"1", "2"};
    accu.m_vecTechniker = {"Techniker"};
    accu.m_vecTechnikerIds = {"T1"};
    const CLUSum sum = MakeInvoices(nCount);
    const std::filesystem::path dbDir = CreateRankingDb(sum);
    if (dbDir.empty()) return 1;
    std::printf("Laborumsatzliste, Dialog mit %d Rechnungen:\n", nCount);

    std::vector<double> vecOpen, vecOpenMoved;
    Opened last;
    for (int n = 0; n < 5; ++n) {
        last.pDialog.reset();
        last = Open(sum, accu, true);
        vecOpenMoved.push_back(last.dMs);
        last.pDialog.reset();
        last = Open(sum, accu, false);
        vecOpen.push_back(last.dMs);
    }
    CdiaAwLU& dialog = *last.pDialog;
    std::vector<double> vecClick, vecTab, vecSort;
    for (int n = 0; n < 21; ++n)
        vecClick.push_back(Ms([&] { dialog.m_lvListe.ClickCheckBox(n * 997 % nCount, 0); }));
    for (int n = 0; n < 6; ++n)
        vecTab.push_back(Ms([&] { dialog.m_tabArt.SetSelectedIndex(n % 2 ? 6 : 0); }));
    auto* pHeader = static_cast<QTableView*>(dialog.m_lvListe.GetWidget())->horizontalHeader();
    for (int n = 0; n < 6; ++n)
        vecSort.push_back(Ms([&] { emit pHeader->sectionClicked(n % 2 ? 5 : 6); }));

    std::vector<double> vecRanking;
    for (int n = 0; n < 5; ++n) {
        dialog.m_tabArt.SetSelectedIndex(0);
        vecRanking.push_back(Ms([&] { dialog.m_tabArt.SetSelectedIndex(CdiaAwLU::kTabRanking); }));
    }
    const bool bRankingVoll = dialog.m_dtRanking1.GetRowCount() == kTechniker;

    bool bOk = Report("Öffnen mit Kopie der Rechnungen", vecOpen, 1500);
    bOk = Report("Öffnen, Rechnungen übergeben", vecOpenMoved, 1500) && bOk;
    bOk = Report("Klick auf ein Kästchen mit Summen", vecClick, 30) && bOk;
    bOk = Report("Wechsel des Reiters", vecTab, 1000) && bOk;
    bOk = Report("Sortieren nach einer Spalte", vecSort, 500) && bOk;
    bOk = Report("Techniker-Ranking (20 Techniker)", vecRanking, 1000) && bRankingVoll && bOk;
    if (!bRankingVoll)
        std::printf("  Ranking unvollständig: %d Techniker\n", dialog.m_dtRanking1.GetRowCount());
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("  Spitzenspeicher (ru_maxrss): %ld KiB\n", usage.ru_maxrss);
    last.pDialog.reset();
    ClosePracticeDatabase();
    std::error_code ec;
    std::filesystem::remove_all(dbDir, ec);
    return bOk ? 0 : 1;
}
