#include "app/StatHostPeriod.h"

#include "host/TextUtil.h"

#include <array>

namespace {

constexpr std::array<const char*, 6> kNamen = {"Monat",      "Vormonat", "Quartal",
                                               "Vorquartal", "Jahr",     "Vorjahr"};

// Month n counted from January of year 0 and back: lets "the month before"
// cross a year boundary without special cases.
int MonatsIndex(int nJahr, int nMonat) {
    return nJahr * 12 + (nMonat - 1);
}
StatDatum ErsterTag(int nIndex) {
    return {nIndex / 12, nIndex % 12 + 1, 1};
}
StatDatum LetzterTag(int nIndex) {
    const StatDatum d = ErsterTag(nIndex);
    return {d.nJahr, d.nMonat, TageImMonat(d.nJahr, d.nMonat)};
}

StatZeitraum Monate(int nErster, int nAnzahl) {
    return {ErsterTag(nErster), LetzterTag(nErster + nAnzahl - 1)};
}

} // namespace

int TageImMonat(int nJahr, int nMonat) {
    static constexpr int kTage[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (nMonat < 1 || nMonat > 12) return 0;
    const bool bSchalt = (nJahr % 4 == 0 && nJahr % 100 != 0) || nJahr % 400 == 0;
    return kTage[nMonat - 1] + (nMonat == 2 && bSchalt ? 1 : 0);
}

StatZeitraum ZeitraumOf(StatPreset ePreset, const StatDatum& heute) {
    const int nMonat = MonatsIndex(heute.nJahr, heute.nMonat);
    const int nQuartal = MonatsIndex(heute.nJahr, (heute.nMonat - 1) / 3 * 3 + 1);
    const int nJahr = MonatsIndex(heute.nJahr, 1);
    switch (ePreset) {
    case StatPreset::Monat:
        return Monate(nMonat, 1);
    case StatPreset::Vormonat:
        return Monate(nMonat - 1, 1);
    case StatPreset::Quartal:
        return Monate(nQuartal, 3);
    case StatPreset::Vorquartal:
        return Monate(nQuartal - 3, 3);
    case StatPreset::Jahr:
        return Monate(nJahr, 12);
    case StatPreset::Vorjahr:
        return Monate(nJahr - 12, 12);
    }
    return Monate(nMonat, 1);
}

std::optional<StatPreset> PresetOf(const StatZeitraum& z, const StatDatum& heute) {
    for (StatPreset e : kStatPresets)
        if (ZeitraumOf(e, heute) == z) return e;
    return std::nullopt;
}

const char* PresetName(StatPreset ePreset) {
    return kNamen[static_cast<std::size_t>(ePreset)];
}

std::optional<StatPreset> PresetByName(const std::string& strName) {
    for (StatPreset e : kStatPresets)
        if (strName == PresetName(e)) return e;
    return std::nullopt;
}

CString DbDatum(const StatDatum& d) {
    return Format("%04d%02d%02d", d.nJahr, d.nMonat, d.nTag);
}

std::optional<StatDatum> DatumOfDb(const CString& strDb) {
    if (!IsDbDate(strDb)) return std::nullopt;
    const auto Zahl = [&](std::size_t nAb, std::size_t nLen) {
        return std::stoi(strDb.substr(nAb, nLen));
    };
    return StatDatum{Zahl(0, 4), Zahl(4, 2), Zahl(6, 2)};
}
