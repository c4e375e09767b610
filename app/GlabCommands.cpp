#include "app/GlabCommands.h"

#include "app/Args.h"
#include "app/CommandHelp.h"
#include "app/DataFolderOption.h"
#include "app/GlabWalk.h"
#include "glab/File2Glab.h"
#include "glab/Glab2File.h"
#include "glab/GlabFakt.h"
#include "glab/GlabSum.h"
#include "host/Cp1252.h"
#include "host/TextUtil.h"
#include "host/db/Database.h"
#include "host/stat/StatAccu.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

// The period of --from and --to as database dates; "" in strWhy when it is valid.
std::string ReadPeriod(const Args& args, CString& strAb, CString& strBis) {
    const std::string from = args.GetOr("from", ""), to = args.GetOr("to", "");
    if (from.empty() || to.empty()) return "Der Zeitraum fehlt (--from und --to).";
    strAb = IsoDate2Db(from);
    strBis = IsoDate2Db(to);
    if (strAb.empty()) return "Kein gültiges Datum: --from " + from + " (JJJJ-MM-TT).";
    if (strBis.empty()) return "Kein gültiges Datum: --to " + to + " (JJJJ-MM-TT).";
    if (strAb > strBis) return "Der Zeitraum beginnt nach seinem Ende (" + from + " > " + to + ").";
    return {};
}

// Tabs and line breaks of a text would break a TSV line apart.
CString TsvFeld(CString text) {
    for (char& c : text)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return text;
}

void PrintLine(const CString& strCp1252) {
    std::fputs(Cp1252ToUtf8(strCp1252).c_str(), stdout);
    std::fputc('\n', stdout);
}

constexpr const char* kTextFormat = "%-6s %-10s %-10s %4s %-6s %12s %12s %12s %12s %12s %12s";

void PrintText(const CGlabSum& sum, const CStatAccu& accu) {
    for (const CString& line : GlabTextLines(sum, accu))
        PrintLine(line);
}

// The errors go to stderr, so that stdout stays one table.
void PrintTsv(const CGlabSum& sum, const CStatAccu& accu) {
    PrintLine("Kunde\tRng.-Nr.\tDatum\tAnz. Rng.\tStorno\t"
              "Techn.Lst\tMaterial\tMetall\tNetto\tUst\tGesamt");
    for (const CGlabFakt& f : sum.m_vecFakt) {
        CString line = TsvFeld(f.m_strLabKu) + "\t" + TsvFeld(f.m_strRechNr) + "\t" +
                       TsvFeld(Db2Date(f.m_strDatum)) + "\t" + TsvFeld(f.m_strAnzRech) + "\t" +
                       (f.m_bStorno ? "1" : "0");
        for (const CVzW7Betrag* p :
             {&f.m_TechnLst, &f.m_Material, &f.m_Metall, &f.m_Netto, &f.m_MwSt, &f.m_Brutto})
            line += "\t" + p->ToExt(0, true);
        PrintLine(line);
    }
    for (const CBehErrors& err : accu.m_vecErrors)
        std::fprintf(stderr, "Fehler: %s\n", Cp1252ToUtf8(err.m_strText).c_str());
}

} // namespace

std::vector<CString> GlabTextLines(const CGlabSum& sum, const CStatAccu& accu) {
    std::vector<CString> lines;
    lines.push_back("Gewerbelaborstatistik, Laborkunde: " + Trim(accu.GetLaborkunde()));
    lines.push_back(Format(kTextFormat, "Kunde", "Rng.-Nr.", "Datum", "Anz.", "Storno", "Techn.Lst",
                           "Material", "Metall", "Netto", "Ust", "Gesamt"));
    for (const CGlabFakt& f : sum.m_vecFakt)
        lines.push_back(Format(kTextFormat, f.m_strLabKu.c_str(), f.m_strRechNr.c_str(),
                               Db2Date(f.m_strDatum).c_str(), f.m_strAnzRech.c_str(),
                               f.m_bStorno ? "ja" : "", f.m_TechnLst.ToExt(0, true).c_str(),
                               f.m_Material.ToExt(0, true).c_str(),
                               f.m_Metall.ToExt(0, true).c_str(), f.m_Netto.ToExt(0, true).c_str(),
                               f.m_MwSt.ToExt(0, true).c_str(), f.m_Brutto.ToExt(0, true).c_str()));
    lines.push_back(
        Format("%zu Kundenrechnungen, %zu Fehler", sum.m_vecFakt.size(), accu.m_vecErrors.size()));
    for (const CBehErrors& err : accu.m_vecErrors)
        lines.push_back("Fehler: " + err.m_strText);
    return lines;
}

int CmdGlabPass(int argc, char** argv) {
    Args args(argc, argv, 3, {"db", "from", "to", "kunde", "data"});
    if (!args.Error().empty()) return UsageError("glab pass", args.Error());
    if (!args.Positional().empty())
        return UsageError("glab pass", "Unerwartetes Argument: " + args.Positional()[0]);
    CStatAccu accu;
    CString strAb, strBis;
    if (const std::string why = ReadPeriod(args, strAb, strBis); !why.empty())
        return UsageError("glab pass", why);
    accu.SetPeriod(strAb, strBis);
    const std::string kunde = args.GetOr("kunde", "alle");
    if (kunde != "alle" && !IsPlainNumber(kunde))
        return UsageError("glab pass",
                          "--kunde erwartet eine Kundennummer oder \"alle\", nicht \"" + kunde +
                              "\".");
    accu.SetLaborkunde(kunde);
    const auto db = args.Get("db");
    if (!db) return UsageError("glab pass", "Die Praxisdatenbank fehlt (--db PFAD).");

    CString strError;
    if (!OpenPracticeDatabase(*db, DbOpenMode::ReadOnly, strError)) return DataError(strError);
    CGlabWalk walk;
    const bool bWalk = walk.Run(accu, strError);
    ClosePracticeDatabase();
    if (!bWalk) return DataError(strError);
    const std::string dir = DataDirForWriting(args);
    CGlab2File writer(nullptr);
    if (!writer.Run(accu, dir, strError)) return DataError(strError);
    std::printf("Gewerbelaborstatistik: %zu Kundenrechnungen, %zu Fehler, %zu Texte mit \"?\" "
                "statt nicht darstellbarer Zeichen.\n"
                "Geschrieben: %s und vx_gla.sel\n",
                accu.m_vecGlabHits.size(), accu.m_vecErrors.size(), walk.GeaenderteTexte(),
                (std::filesystem::path(dir) / "vx_gla.txt").string().c_str());
    return kExitOk;
}

int CmdGlabRead(int argc, char** argv) {
    Args args(argc, argv, 3, {"data", "format"});
    if (!args.Error().empty()) return UsageError("glab read", args.Error());
    if (!args.Positional().empty())
        return UsageError("glab read", "Unerwartetes Argument: " + args.Positional()[0]);
    const std::string format = args.GetOr("format", "text");
    if (format != "text" && format != "tsv")
        return UsageError("glab read",
                          "--format erwartet text oder tsv, nicht \"" + format + "\".");
    std::string dir;
    if (!DataDirForReading(args, dir)) return kExitFehler;
    CStatAccu accu;
    CGlabSum sum;
    CFile2Glab reader(&sum, nullptr);
    CString strError;
    if (!reader.Run(accu, dir, strError)) return DataError(strError);
    if (format == "tsv")
        PrintTsv(sum, accu);
    else
        PrintText(sum, accu);
    return kExitOk;
}
