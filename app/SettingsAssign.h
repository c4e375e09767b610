#pragma once
// Changes to the lab-turnover settings given on the command line, for batch jobs
// and scripts that set up a practice: "MitPatName=ja,LstRechIdx=2".
#include <string>
#include <vector>

class CLUDefault;

struct SettingAssignment {
    std::string strName; // as listed by SettingNames
    int nValue = 0;      // 0/1 for a flag, 0..9 for an index or the cancellation mask
};

// The names that may be set, comma-separated, for the usage text and messages.
std::string SettingNames();

// Parses "Name=Wert" pairs separated by commas. Flags take ja/nein or 1/0, the
// others one digit. False with a German message (UTF-8) naming the faulty pair.
bool ParseSettingAssignments(const std::string& strText, std::vector<SettingAssignment>& vecOut,
                             std::string& strError);

void ApplySettingAssignments(const std::vector<SettingAssignment>& vec, CLUDefault& settings);
