#pragma once
// Pools of names, places, insurance funds and service texts the demo database draws
// from. All texts are Windows-1252: umlauts and "ß" are single bytes.
#include <span>

namespace demo {

std::span<const char* const> Nachnamen();
std::span<const char* const> VornamenWeiblich();
std::span<const char* const> VornamenMaennlich();
std::span<const char* const> Strassen();
std::span<const char* const> Praxisnamen();         // one per practice owner
std::span<const char* const> Zahnfarben();          // shades written on commercial-lab blocs
std::span<const char* const> ZahnaerztlicheTexte(); // treatment records without lab amounts

struct COrt {
    const char* pszPlz;
    const char* pszOrt;
};
std::span<const COrt> Orte();

// An insurance fund from a date on; a fund that changed its name appears twice.
struct CKasse {
    const char* pszNr;
    const char* pszName;
    const char* pszAb; // database date
    bool bPrivat;
};
std::span<const CKasse> Kassen();

// One lab service a treatment hit can carry.
struct CLeistung {
    char cArt;               // amount kind
    const char* pszSubArten; // sub-kinds to choose from; "" = none
    const char* pszText;
    int nMinCent;
    int nMaxCent;
    int nGewicht; // relative frequency
};
std::span<const CLeistung> Leistungen();

} // namespace demo
