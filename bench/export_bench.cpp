// The workbook export of the lab-turnover list with many rows: time against its
// limit and the memory the export needs beyond its input, for a tenth of the rows
// and for all of them (it must not grow with the rows). Baseline of the same run:
// the same cells written as a plain text file. Medians of several runs.
//   export_bench [ROWS]
#include "dialog/LUExport.h"
#include "host/Betrag.h"
#include "host/TextUtil.h"
#include "host/gui/WPFMatrix.h"
#include "host/xlsx/Workbook.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr double kGrenzeMs = 5000.0;
constexpr long kSpeicherToleranzKiB = 16 * 1024; // the writer's buffers, not per row
constexpr int kLaeufe = 5;

CString Betrag(std::int64_t nCent) {
    return CWBetragBasis::FromCent(nCent).ToExt(0, true);
}

// The list as the dialog shows it: date, patient, plan columns and amounts as texts.
void FillMatrix(CWPFMatrix<26>& mat, int nRows) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> day(1, 28), month(1, 12), cent(100, 500000);
    for (int n = 0; n < nRows; ++n) {
        const int nRow = mat.DoAdd();
        mat.SetValue(nRow, 0, "True");
        mat.SetValue(nRow, 2, Format("%02d.%02d.2023", day(rng), month(rng)));
        mat.SetValue(nRow, 3, itoc(1000 + n % 20000));
        mat.SetValue(nRow, 4, "Patient " + itoc(n));
        mat.SetValue(nRow, 5, " " + itoc(1 + n % 9));
        mat.SetValue(nRow, 6, "ZE");
        mat.SetValue(nRow, 7, " 1/" + itoc(n));
        const std::int64_t nLst = cent(rng), nMat = cent(rng) / 10, nMet = cent(rng) / 20;
        const std::int64_t nNetto = nLst + nMat + nMet, nMwSt = nNetto * 19 / 100;
        mat.SetValue(nRow, 8, Betrag(nLst));
        mat.SetValue(nRow, 11, Betrag(nMat));
        mat.SetValue(nRow, 13, Betrag(nMet));
        mat.SetValue(nRow, 20, Betrag(nMwSt));
        mat.SetValue(nRow, 21, Betrag(nMwSt));
        mat.SetValue(nRow, 22, Betrag(nNetto));
        mat.SetValue(nRow, 23, n % 50 ? Betrag(nNetto + nMwSt) : "(" + Betrag(nNetto) + ")");
    }
}

LUExportListe Liste(const CWPFMatrix<26>& mat) {
    LUExportListe liste;
    liste.pMatrix = &mat;
    liste.bMitPatName = true;
    liste.vecSummen.assign(kLUExportSummenNormal, "1.234.567,89");
    return liste;
}

long StatusKiB(const char* szFeld) {
    std::ifstream in("/proc/self/status");
    std::string strZeile;
    while (std::getline(in, strZeile))
        if (strZeile.rfind(szFeld, 0) == 0)
            return std::atol(strZeile.c_str() + std::strlen(szFeld));
    return -1;
}

// The peak resident memory starts anew from the current one.
void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Wall time in ms; the processor time goes to *pdCpuMs (other builds on the
// machine stretch the one, not the other).
double TimeMs(const std::function<bool()>& fn, bool& bOk, double* pdCpuMs = nullptr) {
    const std::clock_t c0 = std::clock();
    const auto t0 = std::chrono::steady_clock::now();
    bOk = fn() && bOk;
    const double dMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    if (pdCpuMs) *pdCpuMs = 1000.0 * static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC;
    return dMs;
}

// The same cells as tab-separated text: the cost of touching and writing them.
bool WriteText(const CWPFMatrix<26>& mat, const std::string& strPfad) {
    std::FILE* p = std::fopen(strPfad.c_str(), "wb");
    if (!p) return false;
    for (int nRow = 0; nRow < mat.Count(); ++nRow) {
        for (int nCol : {2, 3, 4, 5, 6, 7, 8, 11, 13, 17, 18, 19, 20, 21, 22, 23})
            std::fprintf(p, "%s\t", mat.GetValue(nRow, nCol).c_str());
        std::fputc('\n', p);
    }
    return std::fclose(p) == 0;
}

struct Messung {
    double dExportMs = 0, dExportCpuMs = 0, dTextMs = 0;
    long nZusatzKiB = 0; // peak during the export beyond the memory before it
    bool bOk = true;
};

Messung Miss(int nRows, const std::string& strDir) {
    CWPFMatrix<26> mat;
    FillMatrix(mat, nRows);
    const LUExportListe liste = Liste(mat);
    const std::string strXlsx = strDir + "/export.xlsx", strText = strDir + "/export.txt";
    Messung m;
    auto exportiere = [&] {
        return SaveLUWorkbook(strXlsx, [&](CWorksheet& sheet, const LUExportStyles& styles) {
            WriteLUListe(sheet, styles, liste);
        });
    };
    ResetPeak();
    const long nVorher = StatusKiB("VmRSS:");
    std::vector<double> vecExport, vecCpu(kLaeufe), vecText;
    vecExport.push_back(TimeMs(exportiere, m.bOk, &vecCpu[0]));
    m.nZusatzKiB = StatusKiB("VmHWM:") - nVorher;
    for (int n = 1; n < kLaeufe; ++n)
        vecExport.push_back(TimeMs(exportiere, m.bOk, &vecCpu[n]));
    for (int n = 0; n < kLaeufe; ++n)
        vecText.push_back(TimeMs([&] { return WriteText(mat, strText); }, m.bOk));
    m.dExportMs = Median(vecExport);
    m.dExportCpuMs = Median(vecCpu);
    m.dTextMs = Median(vecText);
    return m;
}

} // namespace

int main(int argc, char** argv) {
    const int nRows = argc > 1 ? std::max(10, std::atoi(argv[1])) : 100000;
    const std::string strDir =
        (std::filesystem::temp_directory_path() / ("vx_export_bench_" + std::to_string(::getpid())))
            .string();
    std::filesystem::create_directories(strDir);
    const Messung klein = Miss(nRows / 10, strDir);
    const Messung gross = Miss(nRows, strDir);
    std::filesystem::remove_all(strDir);

    std::printf("Laborumsatzliste, Excel-Export (Median aus %d Läufen):\n", kLaeufe);
    for (const auto& [n, m] : {std::pair{nRows / 10, klein}, std::pair{nRows, gross}})
        std::printf("  %7d Zeilen: Export %8.1f ms (Prozessor %8.1f ms), Textdatei (Vergleich) "
                    "%7.1f ms, Speicher beim Export +%ld KiB\n",
                    n, m.dExportMs, m.dExportCpuMs, m.dTextMs, m.nZusatzKiB);
    const bool bZeit = gross.dExportMs <= kGrenzeMs;
    const bool bSpeicher = gross.nZusatzKiB <= klein.nZusatzKiB + kSpeicherToleranzKiB;
    std::printf("  Zeit: %s (Grenze %.0f ms); Speicher: %s (höchstens %ld KiB mehr als bei "
                "einem Zehntel der Zeilen)\n",
                bZeit ? "ok" : "ZU LANGSAM", kGrenzeMs, bSpeicher ? "ok" : "WÄCHST MIT DEN ZEILEN",
                kSpeicherToleranzKiB);
    if (!klein.bOk || !gross.bOk) std::printf("  Speichern fehlgeschlagen\n");
    return bZeit && bSpeicher && klein.bOk && gross.bOk ? 0 : 1;
}
