#pragma once
// Numbers of the host's text resources (LoadVxString, VxString in HostServices.h).
constexpr int kVxStrHinweis = 1;               // generic caption of a message
constexpr int kVxStrFehler = 2;                // generic caption of an error message
constexpr int kVxStrFrage = 3;                 // generic caption of a question
constexpr int kVxStrBitteWarten = 5;           // generic progress text
constexpr int kVxStrLaborumsatz = 6;           // caption of the lab-turnover messages
constexpr int kVxStrAenderungenSpeichern = 41; // question when leaving a changed dialog
// The five selection modes of the lab-turnover list (entries of its settings list,
// the first two also headings of the printed list).
constexpr int kVxStrLuLeistungen = 4351;
constexpr int kVxStrLuRechnungen = 4352;
constexpr int kVxStrLuBezahlt = 4355; // entry 2, the one with the 100 % case option
constexpr int kVxStrLuStorniert = 8182;
constexpr int kVxStrLuFiktiv = 8184;
constexpr int kVxStrJournalDruck = 7089; // progress text of the commercial-lab journal
