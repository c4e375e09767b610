// The lab-turnover print with many invoices: the print command of the dialog from
// the list rows to the finished PDF, against its limit, in both layouts (the one
// with technical material prints two lines per row). Baseline of the same run:
// the same print without rendering, i.e. the lines and the print-variable file only.
// Medians of several runs.
//   print_bench [INVOICES] [RUNS]
#include "core/LUSum.h"
#include "dialog/diaAwLU.h"
#include "host/ScriptedHostServices.h"
#include "host/TextUtil.h"
#include "host/print/PrintFile.h"
#include "host/stat/DataPath.h"
#include "host/stat/StatAccu.h"
#include "print/PrintLU.h"

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

constexpr double kLimitMs = 15000; // list print of 100,000 rows to PDF

CDBetrag Cent(std::int64_t n) {
    return CDBetrag::FromCent(n);
}

void FillBlock(CLULabRechLst& b, std::int64_t nLst, std::int64_t nMat, std::int64_t nMet,
               int nSatz) {
    b.m_bBelegt = true;
    b.m_TechnLst = Cent(nLst);
    b.m_MwStTechnLst7 = nSatz == 7 ? Cent(nLst * 7 / 100) : CDBetrag();
    b.m_Material = Cent(nMat);
    b.m_TechnMat = Cent(nMat / 2);
    b.m_Metall = Cent(nMet);
    b.m_Netto = Cent(nLst + nMat + nMet);
    b.m_MwSt = Cent((nLst + nMat + nMet) * nSatz / 100);
    b.m_Brutto = b.m_Netto + b.m_MwSt;
}

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
        r.m_strMandant = "1";
        r.m_strPatName = "M\xFCller " + itoc(n);
        r.m_cPlanArt = "czkbpie2"[n % 8];
        const int nSatz = pick(rng) < 80 ? 19 : 7;
        const std::int64_t nLst = cent(rng), nMat = cent(rng) / 10, nMet = cent(rng) / 20;
        FillBlock(r.m_LstAlle, nLst, nMat, nMet, nSatz);
        FillBlock(r.m_LstMitMwSt, nLst, nMat, nMet, nSatz);
        FillBlock(nSatz == 19 ? r.m_Lst19 : r.m_Lst7, nLst, nMat, nMet, nSatz);
        sum.m_vecLabRech.push_back(std::move(r));
    }
    return sum;
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

// The print of the dialog's current list; with bPdf to the PDF, else only the file.
void Drucke(CdiaAwLU& dialog, bool bPdf, const std::string& strPdf) {
    SetPrintPdfTarget(bPdf ? strPdf : "");
    if (bPdf) {
        dialog.OnPrint();
        return;
    }
    CWPFMatrix<2> matZeilen;
    for (int nRow = 0; nRow < static_cast<int>(dialog.m_vecRows.size()); ++nRow)
        matZeilen.SetValue(matZeilen.DoAdd(), 0,
                           dialog.BuildFormattedListboxStringForPrinting(nRow));
    CPrintLU print(dialog.m_Sum, &matZeilen, dialog.m_vecRows, dialog.m_pAccu, &dialog,
                   &dialog.m_Settings, true, false, false, false);
    print.m_nView = dialog.m_nSelectedTab;
    print.DruckeLU(false);
}

bool Miss(const char* szLayout, CdiaAwLU& dialog, int nRuns, const std::string& strPdf) {
    std::vector<double> vecBasis, vecPdf;
    for (int n = 0; n < nRuns; ++n) {
        vecBasis.push_back(Ms([&] { Drucke(dialog, false, strPdf); }));
        vecPdf.push_back(Ms([&] { Drucke(dialog, true, strPdf); }));
    }
    const double dPdf = Median(vecPdf);
    const bool bOk = dPdf <= kLimitMs && !dialog.m_strLetzterDruck.empty();
    std::printf("  %-22s Druckdatei %8.1f ms   PDF %8.1f ms  (Grenze %5.0f ms, %d L\xC3\xA4ufe, "
                "%.1f MB) %s\n",
                szLayout, Median(vecBasis), dPdf, kLimitMs, nRuns,
                std::filesystem::file_size(strPdf) / 1e6, bOk ? "ok" : "ZU LANGSAM");
    return bOk;
}

} // namespace

int main(int argc, char** argv) {
    const int nInvoices = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int nRuns = argc > 2 ? std::atoi(argv[2]) : 3;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    InstallHostServices(std::make_shared<CScriptedHostServices>());
    const std::string strDir = std::filesystem::temp_directory_path() / "vxstat_print_bench";
    std::filesystem::create_directories(strDir);
    SetDataDir(strDir);
    const std::string strPdf = strDir + "/liste.pdf";
    CStatAccu accu;
    accu.SetPeriod("20230101", "20231231");
    accu.m_vecMandanten = {"1"};
    const CLUSum sum = MakeInvoices(nInvoices);
    std::printf("Druck der Laborumsatzliste, %d Rechnungen:\n", nInvoices);
    bool bOk = true;
    for (const bool bTechnMat : {false, true}) {
        CdiaAwLU dialog(sum, &accu, nullptr, true, false, false, false, "", "");
        dialog.m_Settings.SetMitTechnMat(bTechnMat);
        dialog.m_Settings.SetMitPatName(true);
        if (!dialog.Create()) return 1;
        bOk = Miss(bTechnMat ? "mit techn. Material" : "ohne techn. Material", dialog, nRuns,
                   strPdf) &&
              bOk;
    }
    std::filesystem::remove_all(strDir);
    return bOk ? 0 : 1;
}
