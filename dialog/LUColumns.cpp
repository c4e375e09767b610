#include "dialog/LUColumns.h"

const char* const kLUSortTypes = "1132121522222222222222221";

namespace {

void AddFixed(std::vector<LUColumn>& cols, bool bMitPatName) {
    cols.push_back({"Datum", 2, TKLeft, ""});
    cols.push_back({"Pat.-Nr.", 3, TKRight, ""});
    if (bMitPatName) cols.push_back({"Patient", 4, TKLeft, ""});
    cols.push_back({"Plan-Nr.", 5, TKRight, ""});
    cols.push_back({"Art", 6, TKLeft, ""});
    cols.push_back({"Rech.-Nr.", 7, TKRight, ""});
}

void AddNormal(std::vector<LUColumn>& cols) {
    const std::pair<const char*, int> amounts[] = {
        {"Techn.-Lst.", 8}, {"Material", 11}, {"Metall", 13},    {"Ust. 5%", 17}, {"Ust. 7%", 18},
        {"Ust. 16%", 19},   {"Ust. 19%", 20}, {"Ust. Ges.", 21}, {"Netto", 22},   {"Gesamt", 23}};
    for (const auto& [szTitle, nCol] : amounts)
        cols.push_back({szTitle, nCol, TKRight, ""});
}

void AddTechnMat(std::vector<LUColumn>& cols) {
    const LUColumn amounts[] = {
        {"T.Lst.m.USt", 8, TKRight, "Technische Leistungen (USt. behaftet)"},
        {"T.Lst.frei", 9, TKRight, "Technische Leistungen (USt. frei)"},
        {"Metall", 13, TKRight, "Metall (USt. behaftet + frei)"},
        {"T.Mat.", 11, TKRight, "Technisches Material (USt. behaftet + frei)"},
        {"Prax.Mat.", 12, TKRight, "Praxismaterial (USt. behaftet + frei)"},
        {"7/5% t.Lst.", 14, TKRight, "Auf technische Leistungen anfallende USt. mit 7/5%"},
        {"7/5% Metall", 15, TKRight, "Auf Metall anfallende USt. mit 7/5%"},
        {"7/5% t.Mat.", 16, TKRight, "Auf technisches Material anfallende USt. mit 7/5%"},
        {"Ust. 5%", 17, TKRight, "Anfallende USt. mit 5%"},
        {"Ust. 7%", 18, TKRight, "Anfallende USt. mit 7%"},
        {"Ust. 16%", 19, TKRight, "Anfallende USt. mit 16%"},
        {"Ust. 19%", 20, TKRight, "Anfallende USt. mit 19%"},
        {"Ust. Ges.", 21, TKRight, "Zeilensumme der anfallenden USt."},
        {"Netto", 22, TKRight, "Zeilensumme-Netto"},
        {"Gesamt", 23, TKRight, "Zeilensumme-Brutto"}};
    for (const LUColumn& col : amounts)
        cols.push_back(col);
}

} // namespace

std::vector<LUColumn> LUViewColumns(int nView, bool bMitPatName, bool bStorno) {
    std::vector<LUColumn> cols;
    AddFixed(cols, bMitPatName);
    if (nView == kViewNormal) {
        AddNormal(cols);
        if (bStorno) cols.push_back({"Storno", 24, TKRight, ""});
    } else if (nView == kViewTechnMat) {
        AddTechnMat(cols);
        if (bStorno) cols.push_back({"Storno", 24, TKRight, "Stornodatum"});
    }
    return cols;
}
