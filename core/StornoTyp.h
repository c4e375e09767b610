#pragma once
// Cancellation type of a lab invoice relative to the evaluation period. The value is
// also the invoice's sign factor in every sum.
typedef int STORNOTYP;

constexpr STORNOTYP kStornoDavor = -1;     // invoiced before the period, cancelled inside it
constexpr STORNOTYP kStornoImZeitraum = 0; // invoiced and cancelled inside the period
constexpr STORNOTYP kStornoDanach = 1;     // invoiced inside, cancelled after it or not at all

// Bits of the settings' mask of cancellation types to show.
constexpr int kStornoMaskDavor = 1;
constexpr int kStornoMaskImZeitraum = 2;
constexpr int kStornoMaskDanach = 4;

inline bool IsValidStornoTyp(long long n) {
    return n >= -1 && n <= 1;
}
