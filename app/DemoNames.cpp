#include "app/DemoNames.h"

// A byte escape swallows every hex digit that follows it, so a text whose escaped
// character is followed by 0-9, a-f or A-F is split into two literals ("Stra\xDF" "e").

namespace demo {

namespace {

// clang-format off
constexpr const char* kNachnamen[] = {
    "M\xFCller",   "Schmidt",   "Schneider", "Fischer",       "Weber",     "Meyer",
    "Wagner",      "Becker",    "Sch\xE4" "fer", "Koch",      "Bauer",     "Richter",
    "Klein",       "Wolf",      "Schr\xF6" "der", "Neumann",  "Schwarz",   "Zimmermann",
    "Braun",       "Kr\xFCger", "Hofmann",   "Hartmann",      "Lange",     "Schmitt",
    "Werner",      "Krause",    "Lehmann",   "Schulze",       "K\xF6hler", "K\xF6nig",
    "Walter",      "Huber",     "Kaiser",    "Fuchs",         "Peters",    "Scholz",
    "M\xF6ller",   "Wei\xDF",   "Jung",      "Hahn",          "Vogel",     "Friedrich",
    "G\xFCnther",  "Berger",    "Winkler",   "Lorenz",        "Baumann",   "Albrecht",
    "B\xF6hm",     "Winter",    "Kr\xE4mer", "Vogt",          "J\xE4ger",  "Sommer",
    "Gro\xDF",     "Seidel",    "Brandt",    "Haas",          "Schreiber", "Dietrich",
    "Ziegler",     "K\xFChn",   "Pohl",      "Engel",         "Horn",      "Bergmann",
    "Voigt",       "Sauer",     "Pfeiffer",  "L\xF6" "ffler", "Strau\xDF", "S\xFC\xDF",
    "D\xFCrr",     "\xD6zt\xFCrk", "Yilmaz", "Nowak",         "Kowalski",  "Bl\xFCm",
};

constexpr const char* kVornamenWeiblich[] = {
    "Anna",     "Maria",     "Ursula",   "Monika",   "Petra",      "Sabine",   "Renate",
    "Helga",    "Karin",     "Brigitte", "Ingrid",   "Erika",      "Andrea",   "Gisela",
    "Claudia",  "Susanne",   "Gabriele", "Birgit",   "Stefanie",   "Julia",    "Lena",
    "Sophie",   "Hannah",    "Emma",     "Mia",      "K\xE4the",   "D\xF6rte", "Ren\xE9" "e",
    "Zo\xE9",   "Anke",      "Silke",    "L\xFCtje", "B\xE4rbel",  "J\xF6rdis",
};

constexpr const char* kVornamenMaennlich[] = {
    "Peter",  "Michael",   "Thomas", "Andreas", "Wolfgang", "Klaus",    "J\xFCrgen",
    "G\xFCnter", "Stefan", "Christian", "Uwe",  "Werner",   "Horst",    "Frank",
    "Dieter", "Manfred",   "Gerhard", "Hans",   "Bernd",    "Torsten",  "Markus",
    "Lukas",  "Leon",      "Finn",   "Jonas",   "Paul",     "J\xF6rg",  "Bj\xF6rn",
    "S\xF6ren", "Ren\xE9", "Andr\xE9", "Ga\xEBl", "Jens",   "Till",
};

constexpr const char* kStrassen[] = {
    "Hauptstra\xDF" "e", "Bahnhofstra\xDF" "e", "Schulstra\xDF" "e", "Gartenweg",
    "Am M\xFChlbach",    "Lindenallee",         "Bergstra\xDF" "e",  "Kirchplatz",
    "Rosenweg",          "Goethestra\xDF" "e",  "Schillerplatz",     "Am Stadtgraben",
    "K\xF6nigsallee",    "Br\xFC" "ckenstra\xDF" "e", "Marktplatz",  "Wiesenstra\xDF" "e",
    "Ringstra\xDF" "e",  "Eichendorffweg",      "B\xE4" "ckergasse", "An der S\xE4ge",
};

constexpr const char* kPraxisnamen[] = {
    "Zahnarztpraxis Dr. Wei\xDF",
    "Praxis Dr. Sch\xE4" "fer & Kollegen",
    "Zahnzentrum am M\xFChlbach",
};

constexpr const char* kZahnfarben[] = {"A1", "A2", "A3", "A3,5", "B1", "B2", "C2", "D3"};

constexpr const char* kZahnaerztlicheTexte[] = {
    "Pr\xE4paration Krone", "Abformung", "Eingliederung", "Leitungsan\xE4sthesie",
    "Kontrolle und Nachsorge",
};

constexpr COrt kOrte[] = {
    {"80331", "M\xFCnchen"},   {"50667", "K\xF6ln"},           {"20095", "Hamburg"},
    {"10115", "Berlin"},       {"60311", "Frankfurt am Main"}, {"70173", "Stuttgart"},
    {"40213", "D\xFCsseldorf"}, {"90402", "N\xFCrnberg"},      {"86150", "Augsburg"},
    {"97070", "W\xFCrzburg"},  {"48143", "M\xFCnster"},        {"79098", "Freiburg im Breisgau"},
    {"01067", "Dresden"},      {"04109", "Leipzig"},           {"30159", "Hannover"},
    {"93047", "Regensburg"},   {"66111", "Saarbr\xFC" "cken"}, {"35390", "Gie\xDF" "en"},
    {"91054", "Erlangen"},     {"78462", "Konstanz"},
};

constexpr CKasse kKassen[] = {
    {"101234560", "Allgemeine Ortskrankenkasse S\xFC" "d", "19900101", false},
    {"103456780", "Betriebskrankenkasse Nordwerk", "19900101", false},
    {"103456780", "BKK Nordwerk-S\xFC" "d", "20220101", false},
    {"104567890", "Ersatzkasse Hansa", "19900101", false},
    {"105678900", "Innungskrankenkasse Mitte", "19900101", false},
    {"106789010", "Landwirtschaftliche Krankenkasse Franken", "19900101", false},
    {"107890120", "Knappschaft West", "19900101", false},
    {"108901230", "Ersatzkasse f\xFCr Kaufleute", "19900101", false},
    {"109012340", "Gesundheitskasse Oberland", "19900101", false},
    {"109012340", "Gesundheitskasse Oberland-Allg\xE4u", "20200701", false},
    {"168141347", "Private Krankenversicherung L\xF6we AG", "19900101", true},
    {"168141350", "Vereinigte Privatversicherung M\xFCnchen", "19900101", true},
};

// Kinds '1'..'4' are technical services, '7' material (sub-kinds '1'..'9' practice
// material, letters technical material), '8' metal; '5', '6' and '9' other costs.
constexpr CLeistung kLeistungen[] = {
    {'1', "", "Vollgusskrone", 9000, 22000, 6},
    {'1', "", "Verblendkrone Keramik", 14000, 32000, 6},
    {'1', "", "Br\xFC" "ckenglied", 8000, 25000, 4},
    {'1', "", "Stiftaufbau gegossen", 4000, 9000, 2},
    {'1', "", "Modell aus Superhartgips", 800, 2500, 5},
    {'1', "", "Teleskopkrone", 20000, 45000, 2},
    {'2', "", "Prothesenbasis Kunststoff", 9000, 26000, 4},
    {'2', "", "Zahnaufstellung in Wachs", 3000, 9000, 4},
    {'2', "", "Modellgu\xDF" "basis", 15000, 38000, 3},
    {'2', "", "Gebogene Halteklammer", 1200, 3500, 3},
    {'3', "", "Aktivator", 15000, 30000, 2},
    {'3', "", "Dehnschraube eingearbeitet", 2500, 6000, 2},
    {'3', "", "Retentionsplatte", 8000, 16000, 2},
    {'4', "", "Unterf\xFCtterung", 4000, 11000, 3},
    {'4', "", "Reparatur Sprung/Bruch", 2500, 7000, 4},
    {'4', "", "Aufbissschiene", 9000, 18000, 3},
    {'4', "", "Implantat-Suprakonstruktion", 25000, 60000, 2},
    {'5', "", "Versandkosten", 300, 1200, 3},
    {'6', "", "Desinfektion der Abformung", 300, 900, 3},
    {'7', "1234", "Abformmaterial", 300, 2500, 4},
    {'7', "56", "Bissregistrat", 200, 1200, 3},
    {'7', "789", "Provisorienkunststoff", 400, 2000, 3},
    {'7', "AK", "Keramikmasse", 500, 4000, 4},
    {'7', "B", "Einbettmasse", 300, 1500, 3},
    {'7', "TZ", "Konfektionsz\xE4hne", 1500, 6000, 3},
    {'8', "E", "Edelmetall-Legierung", 4000, 45000, 5},
    {'8', "N", "NEM-Legierung", 1500, 9000, 4},
    {'8', "P", "Palladium-Basislegierung", 3000, 20000, 2},
    {'9', "", "Fahrtkosten Abholung", 500, 2500, 2},
    {'9', "", "Fotodokumentation Zahnfarbe", 800, 3000, 1},
};
// clang-format on

} // namespace

std::span<const char* const> Nachnamen() {
    return kNachnamen;
}
std::span<const char* const> VornamenWeiblich() {
    return kVornamenWeiblich;
}
std::span<const char* const> VornamenMaennlich() {
    return kVornamenMaennlich;
}
std::span<const char* const> Strassen() {
    return kStrassen;
}
std::span<const char* const> Praxisnamen() {
    return kPraxisnamen;
}
std::span<const char* const> Zahnfarben() {
    return kZahnfarben;
}
std::span<const char* const> ZahnaerztlicheTexte() {
    return kZahnaerztlicheTexte;
}
std::span<const COrt> Orte() {
    return kOrte;
}
std::span<const CKasse> Kassen() {
    return kKassen;
}
std::span<const CLeistung> Leistungen() {
    return kLeistungen;
}

} // namespace demo
