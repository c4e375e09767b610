// The commercial-lab dialog with many customer invoices: opening (rows, initial
// sort, marks, totals), a change of the cancellation filter, checking one row with
// the new totals, and the journal of every row to PDF, each against its limit.
// Each is shown beside a baseline of the same run: the plain work on the records
// without the dialog (the row texts, the filter, the totals, the journal lines).
// Medians of several runs.
//   glab_dialog_bench [INVOICES] [RUNS]
#include "glab/GlabGesWerte.h"
#include "glab/GlabJournal.h"
#include "glab/diaAwGlab.h"
#include "host/ScriptedHostServices.h"
#include "host/TextUtil.h"
#include "host/db/Database.h"
#include "host/db/ZAdr.h"
#include "host/db/ZGLKu.h"
#include "host/print/PrintFile.h"
#include "host/stat/DataPath.h"
#include "host/stat/StatAccu.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int kKunden = 40;
constexpr double kLimitOeffnen = 1500, kLimitFilter = 500, kLimitHaken = 30, kLimitDruck = 15000;

CGlabSum MakeInvoices(int nCount) {
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> day(1, 28), month(1, 12), cent(100, 500000), pick(0, 99);
    CGlabSum sum;
    sum.m_vecFakt.reserve(nCount);
    for (int n = 0; n < nCount; ++n) {
        CGlabFakt f;
        f.m_strLabKu = itoc(101 + n % kKunden);
        f.m_strRechNr = itoc(230000 + n);
        f.m_strDatum = Format("2023%02d%02d", month(rng), day(rng));
        f.m_strAnzRech = itoc(1 + n % 9);
        f.m_bStorno = pick(rng) < 5;
        f.m_TechnLst = CVzW7Betrag::FromCent(cent(rng));
        f.m_Material = CVzW7Betrag::FromCent(cent(rng) / 10);
        f.m_Metall = CVzW7Betrag::FromCent(cent(rng) / 20);
        f.m_Betrag4 = CVzW7Betrag::FromCent(0);
        f.m_Netto = f.m_TechnLst + f.m_Material + f.m_Metall;
        f.m_MwSt = f.m_Netto * 0.07;
        f.m_Brutto = f.m_Netto + f.m_MwSt;
        sum.m_vecFakt.push_back(std::move(f));
    }
    return sum;
}

void WriteCustomers() {
    for (int n = 0; n < kKunden; ++n) {
        CZGLKu ku(&dbDatabase);
        ku.m_strKuNr = itoc(101 + n);
        ku.m_strAdrId = Format("GL%03d", n);
        ku.Write();
        CZAdr adr(&dbDatabase);
        adr.m_strAdrId = ku.m_strAdrId;
        adr.m_strName1 = "Zahnarztpraxis";
        adr.m_strName2 = "Dr. Kunde " + itoc(n);
        adr.Write();
    }
}

double Ms(const std::function<void()>& fn) {
    const auto t0 = std::chrono::steady_clock::now();
    fn();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

bool Report(const char* szWhat, const std::vector<double>& vecBasis,
            const std::vector<double>& vecMs, double dLimit) {
    const double dMedian = Median(vecMs);
    const bool bOk = dMedian <= dLimit;
    std::printf(
        "  %-30s Basis %8.1f ms   Median %8.1f ms  (Grenze %6.0f ms, %zu L\xC3\xA4ufe) %s\n",
        szWhat, Median(vecBasis), dMedian, dLimit, vecMs.size(), bOk ? "ok" : "ZU LANGSAM");
    return bOk;
}

// The baselines: the records' work without table, view or file.
void ZeilenTexte(const std::vector<CGlabFakt>& vec, std::vector<CString>& out) {
    out.clear();
    for (const CGlabFakt& f : vec)
        for (const CVzW7Betrag* p :
             {&f.m_TechnLst, &f.m_Material, &f.m_Metall, &f.m_MwSt, &f.m_Netto, &f.m_Brutto})
            out.push_back(p->ToExt(5, true));
}

std::size_t Filtern(const std::vector<CGlabFakt>& vec) {
    std::vector<CGlabFakt> kept;
    for (const CGlabFakt& f : vec)
        if (!f.m_bStorno) kept.push_back(f);
    return kept.size();
}

std::size_t JournalZeilen(CdiaAwGlab& dialog) {
    std::size_t nBytes = 0;
    for (int nRow = 0; nRow < dialog.m_matListe.Count(); ++nRow) {
        CString strLine;
        dialog.GetLine2Print(strLine, nRow);
        nBytes += strLine.size();
    }
    return nBytes;
}

} // namespace

int main(int argc, char** argv) {
    const int nInvoices = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int nRuns = argc > 2 ? std::atoi(argv[2]) : 3;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    auto services = std::make_shared<CScriptedHostServices>();
    InstallHostServices(services);
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / "vxstat_glab_dialog_bench";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    CString strError;
    if (!CreatePracticeDatabase((dir / "praxis.db").string(), strError)) {
        std::fprintf(stderr, "%s\n", strError.c_str());
        return 1;
    }
    WriteCustomers();
    SetDataDir(dir.string());
    CStatAccu accu;
    accu.SetPeriod("20230101", "20231231");
    CGlabSum sum = MakeInvoices(nInvoices);
    std::printf("Gewerbelaborstatistik, Dialog mit %d Kundenrechnungen:\n", nInvoices);

    bool bOk = true;
    std::vector<double> vecBasis, vecMs;
    std::vector<CString> texte;
    std::unique_ptr<CdiaAwGlab> pDialog;
    for (int n = 0; n < nRuns; ++n) {
        vecBasis.push_back(Ms([&] { ZeilenTexte(sum.m_vecFakt, texte); }));
        pDialog.reset();
        vecMs.push_back(Ms([&] {
            pDialog = std::make_unique<CdiaAwGlab>(sum, &accu, "", nullptr);
            pDialog->Create();
        }));
    }
    bOk = Report("\xC3\x96"
                 "ffnen",
                 vecBasis, vecMs, kLimitOeffnen) &&
          bOk;
    CdiaAwGlab& dialog = *pDialog;

    vecBasis.clear();
    vecMs.clear();
    for (int n = 0; n < nRuns; ++n) {
        vecBasis.push_back(Ms([&] { Filtern(dialog.m_Sum.m_vecFaktSave); }));
        vecMs.push_back(Ms([&] { dialog.m_cbStorno.SetSelectedIndex(kOhneStornierte); }));
        vecMs.push_back(Ms([&] { dialog.m_cbStorno.SetSelectedIndex(kAlleRechnungen); }));
    }
    bOk = Report("Stornofilter wechseln", vecBasis, vecMs, kLimitFilter) && bOk;

    vecBasis.clear();
    vecMs.clear();
    for (int n = 0; n < 5 * nRuns; ++n) {
        vecBasis.push_back(Ms([&] { BerechneGlabGesWerte(dialog.m_Sum.m_vecFakt); }));
        const int nRow = (n * 7919) % dialog.m_matListe.Count();
        vecMs.push_back(Ms([&] { dialog.m_lvListe.ClickCheckBox(nRow, kGlabColCheck); }));
    }
    bOk = Report("Haken setzen mit Summen", vecBasis, vecMs, kLimitHaken) && bOk;

    vecBasis.clear();
    vecMs.clear();
    SetPrintPdfTarget((dir / "journal.pdf").string());
    dialog.OnUnSelect(); // every row checked again: the journal prints without a question
    if (dialog.m_tbAnzSelektiert.GetText() != dialog.m_tbAnzTreffer.GetText()) dialog.OnUnSelect();
    for (int n = 0; n < nRuns; ++n) {
        vecBasis.push_back(Ms([&] { JournalZeilen(dialog); }));
        vecMs.push_back(Ms([&] { dialog.OnPrint(); }));
    }
    const bool bGedruckt = !dialog.m_strLetzterDruck.empty();
    bOk = Report("Journal als PDF", vecBasis, vecMs, kLimitDruck) && bGedruckt && bOk;
    if (bGedruckt)
        std::printf("  PDF: %.1f MB\n", std::filesystem::file_size(dir / "journal.pdf") / 1e6);
    pDialog.reset();
    ClosePracticeDatabase();
    std::filesystem::remove_all(dir);
    return bOk ? 0 : 1;
}
