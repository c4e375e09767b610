#pragma once
// What the statistics window asks of a database pass: the evaluation and its
// selection.
#include "app/LuMode.h"
#include "host/CString.h"

enum class StatAuswertung { Laborumsatz = 0, Gewerbelabor = 1 };

struct StatHostRequest {
    StatAuswertung eAuswertung = StatAuswertung::Laborumsatz;
    CString strAb;      // first day, database date "YYYYMMDD"
    CString strBis;     // last day, included
    CString strMandant; // lab turnover: practice owner id, "" for all
    LuMode eMode = LuMode::Invoices;
    CString strLaborkunde = "alle"; // commercial lab: customer number or "alle"
};

// "Laborumsatzliste" or "Gewerbelaborstatistik".
inline CString AuswertungTitel(StatAuswertung e) {
    return e == StatAuswertung::Laborumsatz ? "Laborumsatzliste" : "Gewerbelaborstatistik";
}
