#pragma once
// The period presets of the statistics window: calendar spans around a given day
// (usually today). Free of Qt so that the calendar rules can be tested alone.
#include "host/CString.h"

#include <compare>
#include <optional>
#include <string>

struct StatDatum {
    int nJahr = 0;
    int nMonat = 0; // 1 .. 12
    int nTag = 0;   // 1 .. 31
    auto operator<=>(const StatDatum&) const = default;
};

struct StatZeitraum {
    StatDatum ab;
    StatDatum bis; // included
    bool operator==(const StatZeitraum&) const = default;
};

enum class StatPreset { Monat, Vormonat, Quartal, Vorquartal, Jahr, Vorjahr };
inline constexpr StatPreset kStatPresets[] = {StatPreset::Monat,   StatPreset::Vormonat,
                                              StatPreset::Quartal, StatPreset::Vorquartal,
                                              StatPreset::Jahr,    StatPreset::Vorjahr};

// The span of the preset that contains (Monat, Quartal, Jahr) or precedes
// (Vormonat, Vorquartal, Vorjahr) the month of heute.
StatZeitraum ZeitraumOf(StatPreset ePreset, const StatDatum& heute);

// The preset whose span around heute is exactly z, if any.
std::optional<StatPreset> PresetOf(const StatZeitraum& z, const StatDatum& heute);

// German caption, also the name under which a choice is remembered: "Monat" ...
const char* PresetName(StatPreset ePreset);
std::optional<StatPreset> PresetByName(const std::string& strName);

int TageImMonat(int nJahr, int nMonat);
// "YYYYMMDD", the form of the database and the walks.
CString DbDatum(const StatDatum& d);
// A valid "YYYYMMDD" as date; nullopt for anything else.
std::optional<StatDatum> DatumOfDb(const CString& strDb);
