#include "app/CommandLine.h"

#include "app/Args.h"
#include "app/DemoDatabase.h"
#include "app/GlabCommands.h"
#include "app/LuCommands.h"
#include "app/LuShowCommand.h"
#include "app/LuSample.h"
#include "core/LUDefault.h"
#include "host/Cp1252.h"
#include "host/HostServices.h"
#include "host/TextUtil.h"
#include "host/db/Database.h"

#include <cstdio>
#include <string>

namespace {

constexpr const char* kUsage =
    "Aufruf:\n"
    "  vxstat demo-db PFAD [--invoices N] [--seed S]   Demo-Praxisdatenbank anlegen\n"
    "  vxstat settings --db PFAD                       Einstellungen der Laborumsatzliste\n"
    "  vxstat lu sample --db PFAD [--count N]          erste Laborrechnungen zusammengefasst\n"
    "  vxstat lu pass --db PFAD --from JJJJ-MM-TT --to JJJJ-MM-TT [--mandant ID]\n"
    "                 [--mode services|invoices|paid|manual|cancelled] [--data ORDNER]\n"
    "                                                  Laborumsatzliste in die Trefferdatei\n"
    "  vxstat lu read [--data ORDNER] [--format text|tsv]  Zeilen und Fehler der Trefferdatei\n"
    "  vxstat lu summary [--data ORDNER]               Summen der Trefferdatei\n"
    "  vxstat lu show [--data ORDNER] [--db PFAD]      Laborumsatzliste im Dialog zeigen\n"
    "  vxstat glab pass --db PFAD --from JJJJ-MM-TT --to JJJJ-MM-TT [--kunde NR|alle]\n"
    "                   [--data ORDNER]                Gewerbelaborstatistik: Durchlauf\n"
    "  vxstat glab read [--data ORDNER] [--format text|tsv]\n"
    "                                                  Gewerbelaborstatistik: Trefferdatei lesen\n";

int Fail(const std::string& utf8) {
    std::fprintf(stderr, "vxstat: %s\n", utf8.c_str());
    return 1;
}

int Usage(const std::string& utf8) {
    if (!utf8.empty()) std::fprintf(stderr, "vxstat: %s\n", utf8.c_str());
    std::fputs(kUsage, stderr);
    return 2;
}

// Opens the practice database named by --db; prints the reason when it cannot.
bool OpenDb(const Args& args) {
    const auto path = args.Get("db");
    if (!path) {
        Usage("Die Praxisdatenbank fehlt (--db PFAD).");
        return false;
    }
    CString strError;
    if (OpenPracticeDatabase(*path, strError)) return true;
    Fail(Cp1252ToUtf8(strError));
    return false;
}

int CmdDemoDb(int argc, char** argv) {
    Args args(argc, argv, 2, {"invoices", "seed"});
    DemoOptions opt;
    opt.nInvoices = static_cast<int>(args.GetInt("invoices", opt.nInvoices, 1, 10'000'000));
    opt.nSeed = static_cast<unsigned>(args.GetInt("seed", opt.nSeed, 0, 4'294'967'295LL));
    if (!args.Error().empty()) return Usage(args.Error());
    if (args.Positional().size() != 1) return Usage("Bitte genau einen Dateinamen angeben.");
    const std::string& path = args.Positional()[0];

    CString strError;
    VxOpenProgressBox("Demo-Praxisdatenbank wird angelegt ...");
    const bool ok = WriteDemoDatabase(path, opt, strError, [](long done, long total) {
        VxUpdateProgressBox2(done, total);
    });
    VxCloseProgressBox();
    if (!ok) return Fail(Cp1252ToUtf8(strError));
    std::printf("Demo-Praxisdatenbank %s mit %d Laborrechnungen angelegt.\n", path.c_str(),
                opt.nInvoices);
    return 0;
}

// One settings line; the label is UTF-8 and padded by characters, not bytes.
void PrintSetting(const char* szLabelUtf8, const std::string& value) {
    const CString label = Utf8ToCp1252(szLabelUtf8);
    std::printf("  %s %s\n", Cp1252ToUtf8(LeftFix(label, 48)).c_str(), value.c_str());
}
void PrintFlag(const char* szLabelUtf8, bool b) { PrintSetting(szLabelUtf8, b ? "ja" : "nein"); }

int CmdSettings(int argc, char** argv) {
    Args args(argc, argv, 2, {"db"});
    if (!args.Error().empty()) return Usage(args.Error());
    if (!OpenDb(args)) return 1;
    const CLUDefault d;
    std::printf("Einstellungen der Laborumsatzliste (gespeichert als \"%s\"):\n",
                d.Def2Par().c_str());
    PrintFlag("Name des Patienten anzeigen", d.GetMitPatName());
    PrintFlag("Material und Metall ausgeben", d.GetMitMaterial());
    PrintSetting("Laborrechnungen selektieren nach (Index)", std::to_string(d.GetLstRechIdx()));
    PrintSetting("Datum der Laborrechnungen (Index)", std::to_string(d.GetLabRechDatumIdx()));
    PrintFlag("Material nicht in Gesamtsumme berücksichtigen", d.GetOhneMaterial());
    PrintFlag("Stets Laborrechnungsnummer ausgeben", d.GetStetsLabRgNr());
    PrintFlag("Stornierte Laborrechnungen ausgeben", d.GetStornoLabRech());
    PrintSetting("Angezeigte Stornotypen (Bitmaske)", std::to_string(d.GetCheckedStornoTypen()));
    PrintFlag("Technisches Material in eigenen Spalten", d.GetMitTechnMat());
    PrintFlag("100-%-Fälle ohne Eigenanteil berücksichtigen", d.GetMit100PoEA());
    PrintFlag("Stets Leistungsdatum verwenden", d.GetStetsLstDatum());
    PrintFlag("Festzuschuss >= Eigenanteil berücksichtigen", d.GetMitFestzGeEA());
    PrintFlag("Fortlaufende Rechnungsnummer ausgeben", d.GetMitFortlRgNr());
    ClosePracticeDatabase();
    return 0;
}

int CmdLuSample(int argc, char** argv) {
    Args args(argc, argv, 3, {"db", "count"});
    const int nCount = static_cast<int>(args.GetInt("count", 10, 1, 1'000'000));
    if (!args.Error().empty()) return Usage(args.Error());
    if (!OpenDb(args)) return 1;
    PrintLuSample(nCount, stdout);
    ClosePracticeDatabase();
    return 0;
}

} // namespace

int RunCommandLine(int argc, char** argv) {
    const std::string cmd = argc > 1 ? argv[1] : "";
    const std::string sub = argc > 2 ? argv[2] : "";
    if (cmd == "demo-db") return CmdDemoDb(argc, argv);
    if (cmd == "settings") return CmdSettings(argc, argv);
    if (cmd == "lu" && sub == "sample") return CmdLuSample(argc, argv);
    if (cmd == "lu" && sub == "pass") return CmdLuPass(argc, argv);
    if (cmd == "lu" && sub == "read") return CmdLuRead(argc, argv);
    if (cmd == "lu" && sub == "summary") return CmdLuSummary(argc, argv);
    if (cmd == "lu" && sub == "show") return CmdLuShow(argc, argv);
    if (cmd == "glab" && sub == "pass") return CmdGlabPass(argc, argv);
    if (cmd == "glab" && sub == "read") return CmdGlabRead(argc, argv);
    if (cmd == "help" || cmd == "--help" || cmd == "-h") return Usage(""), 0;
    return Usage(cmd.empty() ? "" : "Unbekannter Befehl: " + cmd);
}
