#include "host/VxStrings.h"

#include "host/Cp1252.h"
#include "host/HostServices.h"

#include <map>

namespace {

// Kept as UTF-8 here for readability and converted once to the module's code page.
const std::map<int, CString>& Table() {
    static const std::map<int, CString> table = [] {
        const std::map<int, const char*> utf8 = {
            {kVxStrHinweis, "Hinweis"},
            {kVxStrFehler, "Fehler"},
            {kVxStrFrage, "Frage"},
            {kVxStrBitteWarten, "Bitte warten ..."},
            {kVxStrLaborumsatz, "Laborumsatzliste"},
            {kVxStrAenderungenSpeichern,
             "Es wurden Änderungen vorgenommen.\nSollen die Änderungen gespeichert werden?"},
            {kVxStrLuLeistungen, "Laborumsatz nach Laborleistungen"},
            {kVxStrLuRechnungen, "Laborrechnungen"},
            {kVxStrLuBezahlt, "Bezahlte Laborrechnungen"},
            {kVxStrLuStorniert, "Stornierte Laborrechnungen"},
            {kVxStrLuFiktiv, "Fiktive Laborrechnungen"},
            {kVxStrJournalDruck, "Journal wird gedruckt ..."},
        };
        std::map<int, CString> converted;
        for (const auto& [nId, pszText] : utf8)
            converted.emplace(nId, Utf8ToCp1252(pszText));
        return converted;
    }();
    return table;
}

} // namespace

bool LoadVxString(int nId, CString& text) {
    const auto it = Table().find(nId);
    if (it == Table().end()) return false;
    text = it->second;
    return true;
}

CString VxString(int nId) {
    CString text;
    LoadVxString(nId, text);
    return text;
}
