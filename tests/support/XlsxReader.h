#pragma once
// Reads a saved workbook back with a reader of its own (openpyxl, through the
// script xlsx_dump.py), so that tests check the file, not our writer's intent.
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#ifndef VX_PYTHON3
#define VX_PYTHON3 "python3"
#endif
#ifndef VX_XLSX_DUMP
#define VX_XLSX_DUMP "xlsx_dump.py"
#endif

struct XlsxCell {
    std::string strTyp;  // "s" text, "n" number, "d" date
    std::string strWert; // numbers as Python prints them ("1234.56"), dates "2024-01-31"
    std::string strFormat;
    bool bFett = false;
    std::string strAusrichtung;
};

struct XlsxInhalt {
    bool bGelesen = false;
    std::string strAutor;
    std::vector<std::string> vecBlaetter;
    std::map<int, double> mapBreiten;
    std::vector<std::string> vecVerbunden; // "A5:F5"
    std::map<std::pair<int, int>, XlsxCell> mapZellen;

    const XlsxCell* Zelle(int nRow, int nCol) const {
        auto it = mapZellen.find({nRow, nCol});
        return it == mapZellen.end() ? nullptr : &it->second;
    }
    std::string Wert(int nRow, int nCol) const {
        const XlsxCell* p = Zelle(nRow, nCol);
        return p ? p->strWert : std::string();
    }
    std::string Typ(int nRow, int nCol) const {
        const XlsxCell* p = Zelle(nRow, nCol);
        return p ? p->strTyp : std::string();
    }
    // The highest row that holds a cell, -1 for an empty sheet.
    int LetzteZeile() const { return mapZellen.empty() ? -1 : mapZellen.rbegin()->first.first; }
};

namespace xlsx_detail {
inline std::string Unescape(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            const char c = s[++i];
            out += c == 't' ? '\t' : c == 'n' ? '\n' : c;
        } else {
            out += s[i];
        }
    }
    return out;
}
inline std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(line);
    while (std::getline(in, part, '\t'))
        parts.push_back(Unescape(part));
    if (!line.empty() && line.back() == '\t') parts.emplace_back();
    return parts;
}
} // namespace xlsx_detail

inline XlsxInhalt ReadXlsx(const std::string& strPfad) {
    XlsxInhalt inhalt;
    const std::string strCmd = "'" VX_PYTHON3 "' '" VX_XLSX_DUMP "' '" + strPfad + "' 2>&1";
    std::FILE* pipe = ::popen(strCmd.c_str(), "r");
    if (!pipe) return inhalt;
    std::string strAlles;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        strAlles.append(buffer, n);
    inhalt.bGelesen = ::pclose(pipe) == 0;
    std::istringstream in(strAlles);
    std::string line;
    while (std::getline(in, line)) {
        const std::vector<std::string> p = xlsx_detail::Split(line);
        if (p.empty()) continue;
        if (p[0] == "A" && p.size() >= 2)
            inhalt.strAutor = p[1];
        else if (p[0] == "S" && p.size() >= 2)
            inhalt.vecBlaetter.push_back(p[1]);
        else if (p[0] == "W" && p.size() >= 3)
            inhalt.mapBreiten[std::stoi(p[1])] = std::stod(p[2]);
        else if (p[0] == "M" && p.size() >= 2)
            inhalt.vecVerbunden.push_back(p[1]);
        else if (p[0] == "C" && p.size() >= 8)
            inhalt.mapZellen[{std::stoi(p[1]), std::stoi(p[2])}] =
                XlsxCell{p[3], p[4], p[5], p[6] == "1", p[7]};
        else if (!inhalt.bGelesen)
            std::fprintf(stderr, "%s\n", line.c_str());
    }
    return inhalt;
}
