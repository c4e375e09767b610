#include "app/CommandHelp.h"

#include "host/Cp1252.h"

#include <cstdio>
#include <iterator>

namespace {

struct Command {
    const char* szName;  // "lu pass"
    const char* szUsage; // its synopsis and what it does, each line indented
};

// One entry per command, in the order "help" lists them.
constexpr Command kCommands[] = {
    {"demo-db", "  vxstat demo-db PFAD [--invoices N] [--seed S]\n"
                "      legt eine neue Demo-Praxisdatenbank an: N Laborrechnungen (2000),\n"
                "      S Startwert der Zufallszahlen (1). Eine vorhandene Datei bleibt.\n"},
    {"settings", "  vxstat settings --db PFAD [--set NAME=WERT[,NAME=WERT...]]\n"
                 "      zeigt die gespeicherten Einstellungen der Laborumsatzliste. --set\n"
                 "      ändert und speichert sie vorher, wie der Einstellungsdialog: Schalter\n"
                 "      mit ja oder nein, die übrigen mit einer Ziffer. Namen: MitPatName,\n"
                 "      MitMaterial, LstRechIdx, LabRechDatumIdx, OhneMaterial, StetsLabRgNr,\n"
                 "      StornoLabRech, CheckedStornoTypen, MitTechnMat, Mit100PoEA,\n"
                 "      StetsLstDatum, MitFortlRgNr.\n"},
    {"lu sample", "  vxstat lu sample --db PFAD [--count N]\n"
                  "      fasst die ersten N Laborrechnungen (10) zusammen und zeigt sie.\n"},
    {"lu pass",
     "  vxstat lu pass --db PFAD --from JJJJ-MM-TT --to JJJJ-MM-TT [--mandant ID]\n"
     "                 [--mode services|invoices|paid|manual|cancelled] [--data ORDNER]\n"
     "      Laborumsatzliste: durchläuft die Praxisdatenbank und schreibt die\n"
     "      Trefferdatei vx_slu.txt und die Auswahldatei vx_slu.sel in den Datenordner.\n"},
    {"lu read", "  vxstat lu read [--data ORDNER] [--format text|tsv]\n"
                "      zeigt die Zeilen und Fehler der Trefferdatei der Laborumsatzliste.\n"},
    {"lu summary", "  vxstat lu summary [--data ORDNER]\n"
                   "      zeigt die Summen der Trefferdatei je Mehrwertsteuerblock.\n"},
    {"lu show",
     "  vxstat lu show [--data ORDNER] [--db PFAD] [--from JJJJ-MM-TT] [--to JJJJ-MM-TT]\n"
     "      zeigt die Trefferdatei der Laborumsatzliste im Auswertungsdialog. --db\n"
     "      bringt die gespeicherten Einstellungen und die Namen der Mandanten und\n"
     "      Techniker. --from und --to setzen den Zeitraum im Titel des Dialogs;\n"
     "      ohne sie gilt der Zeitraum des Durchlaufs aus der Auswahldatei, bei\n"
     "      Dateien älterer Durchläufe die Spanne vom ersten bis zum letzten Datum\n"
     "      der Zeilen. Die Zeilen filtern sie nicht.\n"},
    {"lu export",
     "  vxstat lu export --xlsx DATEI [--data ORDNER] [--db PFAD] [--view 0..7]\n"
     "                   [--marked-only]\n"
     "      speichert eine Ansicht der Laborumsatzliste als Excel-Datei: die Zeilen der\n"
     "      Trefferdatei und die Gesamtsummen. --view wählt die Ansicht wie die Reiter\n"
     "      des Dialogs (0 alle, 1 mit USt., 2 ohne USt., 3 5 %, 4 7 %, 5 16 %,\n"
     "      6 19 %, 7 Ranking der Techniker mit ihren Behandlern; 0, wenn nicht\n"
     "      angegeben). --marked-only nimmt nur markierte Zeilen (nicht mit 7).\n"
     "      --db bringt die gespeicherten Einstellungen; das Ranking braucht es für\n"
     "      Techniker und Behandler.\n"},
    {"lu print",
     "  vxstat lu print --data ORDNER [--db PFAD] [--view 0..7] [--marked-only] --pdf DATEI\n"
     "      druckt die Laborumsatzliste der Trefferdatei als PDF: die Zeilen der\n"
     "      Ansicht (0 alle, 1 mit USt., 2 ohne USt., 3 5 %, 4 7 %, 5 16 %, 6 19 %)\n"
     "      mit den Summen, oder mit 7 das Ranking der Techniker (braucht --db,\n"
     "      ohne --marked-only). --marked-only druckt nur markierte Zeilen (ohne\n"
     "      Dialog sind alle markiert). Die Druckdatei vx_liste.dat (das Ranking\n"
     "      vx_stati.dat) bleibt im Datenordner.\n"},
    {"glab pass",
     "  vxstat glab pass --db PFAD --from JJJJ-MM-TT --to JJJJ-MM-TT [--kunde NR|alle]\n"
     "                   [--data ORDNER]\n"
     "      Gewerbelaborstatistik: durchläuft die Praxisdatenbank und schreibt die\n"
     "      Trefferdatei vx_gla.txt und die Auswahldatei vx_gla.sel in den Datenordner.\n"},
    {"glab read", "  vxstat glab read [--data ORDNER] [--format text|tsv]\n"
                  "      zeigt die Kundenrechnungen und Fehler der Trefferdatei der\n"
                  "      Gewerbelaborstatistik.\n"},
    {"glab show", "  vxstat glab show [--data ORDNER] [--db PFAD]\n"
                  "      zeigt die Trefferdatei der Gewerbelaborstatistik im Auswertungsdialog.\n"
                  "      --db bringt die Namen der Laborkunden und die Kundenauswahl.\n"},
    {"glab print",
     "  vxstat glab print --data ORDNER [--db PFAD] [--kunde NR|alle] [--storno 0|1|2]\n"
     "                    [--marked-only] --pdf DATEI\n"
     "      druckt das Journal der Gewerbelaborstatistik als PDF. --kunde wählt einen\n"
     "      Laborkunden des Dialogs (braucht --db), --storno die Stornos: 0 nur\n"
     "      stornierte, 1 ohne stornierte, 2 alle (2, wenn nicht angegeben).\n"
     "      --marked-only druckt nur markierte Zeilen (ohne Dialog sind alle\n"
     "      markiert). Die Druckdatei vx_glabjournal.dat bleibt im Datenordner.\n"},
    {"glab chart",
     "  vxstat glab chart --data ORDNER [--db PFAD] [--kunde NR|alle] [--storno 0|1|2]\n"
     "                    --png DATEI\n"
     "      speichert die Grafik der Gewerbelaborstatistik (Gesamtumsatz pro\n"
     "      Laborkunde, stornierte Rechnungen nicht gezählt) als PNG-Bild: ein Balken\n"
     "      je Laborkunde der Auswahl und \"Alle\"; mit --kunde nur dieser Kunde.\n"
     "      --kunde und --storno wie bei glab print.\n"},
};

// Where --db (or demo-db) names the practice database.
constexpr const char* kDbOrt =
    "PFAD ist die Datei der Praxisdatenbank oder ein PostgreSQL-Server:\n"
    "\"postgresql://benutzer@host:5432/praxis\" oder \"host=... dbname=... user=...\".\n"
    "Ein Passwort gehört nicht hinein (Aufruffehler), sondern in ~/.pgpass,\n"
    "PGPASSFILE oder PGPASSWORD.\n";

constexpr const char* kFooter =
    "\n"
    "Ohne Befehl öffnet vxstat das Statistikfenster (braucht einen Bildschirm):\n"
    "  vxstat [--db PFAD] [--data ORDNER]\n"
    "--db und --data wählen Praxisdatenbank und Datenordner für diesen Start;\n"
    "sonst gelten die zuletzt im Fenster gewählten.\n"
    "Jeder Befehl zeigt mit --help seinen Aufruf.\n"
    "\n"
    "Die Praxisdatenbank wird nur gelesen (auch eine schreibgeschützte); nur die\n"
    "Dialoge schreiben in sie, wenn dort Einstellungen gespeichert werden.\n"
    "Datenordner: --data ORDNER, sonst $VXSTAT_DATA, sonst $XDG_DATA_HOME/vxstat,\n"
    "sonst ~/.local/share/vxstat. Nur pass legt ihn an; die Befehle, die lesen,\n"
    "erwarten ihn.\n"
    "\n"
    "Rückgabewerte:\n"
    "  0  erledigt\n"
    "  1  Fehler in den Daten, der Datenbank oder einer Datei (Meldung auf stderr)\n"
    "  2  falscher Aufruf: unbekannter Befehl, unbekannte Option, falscher Wert\n"
    "  3  unerwarteter interner Fehler, z. B. kein Speicher mehr\n";

bool InGroup(const std::string& strName, const std::string& strGroup) {
    return strName.starts_with(strGroup + " ");
}

} // namespace

std::string UsageText(const std::string& strCommand) {
    std::string strText;
    for (const Command& c : kCommands)
        if (strCommand.empty() || strCommand == c.szName || InGroup(c.szName, strCommand))
            strText += c.szUsage;
    if (strText.empty()) return {};
    if (strCommand.empty()) return "Aufruf:\n" + strText + kFooter + "\n" + kDbOrt;
    return "Aufruf:\n" + strText + (strText.find(" PFAD") != std::string::npos ? kDbOrt : "");
}

int UsageError(const std::string& strCommand, const std::string& strProblemUtf8) {
    std::fprintf(stderr, "vxstat: %s\n%s", strProblemUtf8.c_str(), UsageText(strCommand).c_str());
    if (!strCommand.empty()) std::fputs("Alle Befehle: vxstat help\n", stderr);
    return kExitAufruf;
}

int DataError(const CString& strCp1252) {
    std::fprintf(stderr, "vxstat: %s\n", Cp1252ToUtf8(strCp1252).c_str());
    return kExitFehler;
}
