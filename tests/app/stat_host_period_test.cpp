// The period presets of the statistics window: month and quarter lengths, leap
// years and the steps back across a year boundary.
#include "app/StatHostPeriod.h"

#include <gtest/gtest.h>

namespace {

struct PresetCase {
    StatDatum heute;
    StatPreset ePreset;
    const char* szAb;
    const char* szBis;
};

TEST(StatHostPeriod, PresetsAroundAGivenDay) {
    const PresetCase cases[] = {
        {{2024, 2, 15}, StatPreset::Monat, "20240201", "20240229"}, // leap year
        {{2023, 2, 28}, StatPreset::Monat, "20230201", "20230228"},
        {{1900, 2, 1}, StatPreset::Monat, "19000201", "19000228"}, // century, no leap year
        {{2000, 2, 1}, StatPreset::Monat, "20000201", "20000229"}, // every 400 years
        {{2023, 4, 30}, StatPreset::Monat, "20230401", "20230430"},
        {{2024, 1, 31}, StatPreset::Vormonat, "20231201", "20231231"}, // across the year
        {{2024, 3, 31}, StatPreset::Vormonat, "20240201", "20240229"},
        {{2024, 1, 1}, StatPreset::Quartal, "20240101", "20240331"},
        {{2024, 5, 20}, StatPreset::Quartal, "20240401", "20240630"},
        {{2024, 9, 30}, StatPreset::Quartal, "20240701", "20240930"},
        {{2024, 12, 31}, StatPreset::Quartal, "20241001", "20241231"},
        {{2024, 2, 15}, StatPreset::Vorquartal, "20231001", "20231231"},
        {{2024, 11, 1}, StatPreset::Vorquartal, "20240701", "20240930"},
        {{2024, 7, 4}, StatPreset::Jahr, "20240101", "20241231"},
        {{2024, 7, 4}, StatPreset::Vorjahr, "20230101", "20231231"},
        {{2025, 1, 1}, StatPreset::Vorjahr, "20240101", "20241231"},
    };
    for (const PresetCase& c : cases) {
        SCOPED_TRACE(std::string(PresetName(c.ePreset)) + " um " + DbDatum(c.heute));
        const StatZeitraum z = ZeitraumOf(c.ePreset, c.heute);
        EXPECT_EQ(DbDatum(z.ab), c.szAb);
        EXPECT_EQ(DbDatum(z.bis), c.szBis);
        EXPECT_EQ(PresetOf(z, c.heute), c.ePreset);
    }
}

TEST(StatHostPeriod, OwnSpansAndNames) {
    const StatDatum heute{2024, 5, 20};
    EXPECT_EQ(PresetOf({{2024, 5, 1}, {2024, 5, 30}}, heute), std::nullopt);
    EXPECT_EQ(PresetOf({{2024, 4, 1}, {2024, 4, 30}}, heute), StatPreset::Vormonat);
    for (StatPreset e : kStatPresets)
        EXPECT_EQ(PresetByName(PresetName(e)), e);
    EXPECT_EQ(PresetByName("monat"), std::nullopt); // remembered names are exact
    EXPECT_EQ(PresetByName(""), std::nullopt);
}

TEST(StatHostPeriod, DatabaseDatesOfRememberedChoices) {
    EXPECT_EQ(DatumOfDb("20240229"), (StatDatum{2024, 2, 29}));
    for (const char* szBad : {"20230229", "20231301", "2023-01-01", "", "2023010"})
        EXPECT_EQ(DatumOfDb(szBad), std::nullopt) << szBad;
}

} // namespace
