#pragma once
// What the statistics window remembers per user between two sessions: the
// practice database, the data folder and the last choices. Kept in QSettings of
// our own organisation and application "vxstat" (on Linux an ini file in the
// user's configuration folder). Texts are UTF-8.
#include <string>

struct StatHostChoices {
    std::string strDatenbank;          // location string of the practice database, "" none yet
    std::string strDatenordner;        // "" for the default data folder
    int nAuswertung = 0;               // 0 lab turnover, 1 commercial lab
    std::string strZeitraum = "Monat"; // preset name, "" for the dates below
    std::string strAb, strBis;         // own period, "YYYYMMDD", used when strZeitraum is ""
    std::string strMandant;            // practice owner id, "" for all
    int nListe = -1;                   // entry of the selection list, -1: from the settings
    std::string strLaborkunde = "alle";
    bool operator==(const StatHostChoices&) const = default;
};

// Reads the remembered choices; a missing or broken value keeps its default.
StatHostChoices LoadStatHostChoices();
void SaveStatHostChoices(const StatHostChoices& choices);
