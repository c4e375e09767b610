#include "host/print/PrintVarFile.h"

#include "host/AtomicFile.h"
#include "host/Cp1252.h"
#include "host/TextUtil.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

void AppendEscaped(std::string& out, const CString& text) {
    for (const char c : text) {
        switch (c) {
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\\':
            out += "\\\\";
            break;
        default:
            out += c;
        }
    }
}

// Undoes AppendEscaped; false for a backslash that starts no known sequence.
bool Unescape(const std::string& field, CString& out) {
    out.clear();
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            out += field[i];
            continue;
        }
        if (++i == field.size()) return false;
        switch (field[i]) {
        case 't':
            out += '\t';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case '\\':
            out += '\\';
            break;
        default:
            return false;
        }
    }
    return true;
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t nStart = 0;
    for (;;) {
        const std::size_t nTab = line.find('\t', nStart);
        fields.push_back(line.substr(nStart, nTab - nStart));
        if (nTab == std::string::npos) return fields;
        nStart = nTab + 1;
    }
}

// One line of the file into doc; "" when it is fine, else what is wrong with it.
CString TakeLine(const std::string& line, PrintDoc& doc) {
    const std::vector<std::string> fields = SplitTabs(line);
    const CString& strKind = fields[0];
    const std::size_t nPairs = (fields.size() - 1) / 2;
    if (strKind != "V" && strKind != "S") return "unbekannte Satzart \"" + strKind + "\"";
    if (fields.size() % 2 == 0 || nPairs == 0 || (strKind == "V" && nPairs != 1) || nPairs > 4)
        return "falsche Anzahl Felder";
    std::vector<std::pair<CString, CString>> pairs(nPairs);
    for (std::size_t n = 0; n < nPairs; ++n)
        if (!Unescape(fields[1 + 2 * n], pairs[n].first) ||
            !Unescape(fields[2 + 2 * n], pairs[n].second))
            return "unzul\xE4ssiges Zeichen nach \"\\\"";
    if (strKind == "V") {
        doc.vecVariablen.push_back(pairs[0]);
        return {};
    }
    PrintRecord rec;
    for (const auto& [strName, strValue] : pairs) {
        if (strName == "Spalteninhalt")
            rec.strZeile = strValue;
        else if (strName == "Gruppenkopf")
            rec.strGruppenkopf = strValue;
        else if (strName == "Modus")
            rec.bFett = strValue == "Fett";
        else if (strName == "Farbe") {
            rec.bFarbe = true;
            rec.nFarbe = static_cast<unsigned>(LeadingInt(strValue)) & 0xFFFFFFu;
        }
    }
    doc.vecZeilen.push_back(std::move(rec));
    return {};
}

} // namespace

bool CPrintVarFile::Open(const std::string& strPath) {
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::path(strPath).parent_path();
    m_bOpen = folder.empty() || std::filesystem::is_directory(folder, ec);
    m_strPath = strPath;
    m_strContent.clear();
    return m_bOpen;
}

bool CPrintVarFile::Close() {
    if (!m_bOpen) return false;
    m_bOpen = false;
    const bool bOk = WriteFileAtomic(m_strPath, m_strContent);
    m_strContent.clear();
    m_strContent.shrink_to_fit();
    return bOk;
}

void CPrintVarFile::AddRecord(char cKind,
                              const std::vector<std::pair<CString, CString>>& vecPairs) {
    if (!m_bOpen) return;
    m_strContent += cKind;
    for (const auto& [strName, strValue] : vecPairs) {
        m_strContent += '\t';
        AppendEscaped(m_strContent, strName);
        m_strContent += '\t';
        AppendEscaped(m_strContent, strValue);
    }
    m_strContent += '\n';
}

void Write_Variable(CPrintVarFile& file, const CString& strName, const CString& strValue) {
    file.AddRecord('V', {{strName, strValue}});
}

void Write_Column(CPrintVarFile& file, const CString& strName, const CString& strValue) {
    file.AddRecord('S', {{strName, strValue}});
}

void Write_2Columns(CPrintVarFile& file, const CString& strName1, const CString& strValue1,
                    const CString& strName2, const CString& strValue2) {
    file.AddRecord('S', {{strName1, strValue1}, {strName2, strValue2}});
}

void Write_3Columns(CPrintVarFile& file, const CString& strName1, const CString& strValue1,
                    const CString& strName2, const CString& strValue2, const CString& strName3,
                    const CString& strValue3) {
    file.AddRecord('S', {{strName1, strValue1}, {strName2, strValue2}, {strName3, strValue3}});
}

void Write_4Columns(CPrintVarFile& file, const CString& strName1, const CString& strValue1,
                    const CString& strName2, const CString& strValue2, const CString& strName3,
                    const CString& strValue3, const CString& strName4, const CString& strValue4) {
    file.AddRecord('S', {{strName1, strValue1},
                         {strName2, strValue2},
                         {strName3, strValue3},
                         {strName4, strValue4}});
}

CString PrintDoc::Variable(const CString& strName) const {
    for (auto it = vecVariablen.rbegin(); it != vecVariablen.rend(); ++it)
        if (it->first == strName) return it->second;
    return {};
}

bool ReadPrintVarFile(const std::string& strPath, PrintDoc& doc, std::vector<CString>& vecFehler) {
    std::ifstream in(strPath, std::ios::binary);
    if (!in) return false;
    const CString strName = Utf8ToCp1252(strPath);
    std::string line;
    for (long nLine = 1; std::getline(in, line); ++nLine) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        const CString strProblem = TakeLine(line, doc);
        if (!strProblem.empty())
            vecFehler.push_back(Format("Druckdatei %s, Zeile %ld: %s; die Zeile wird "
                                       "\xFC"
                                       "bergangen.",
                                       strName.c_str(), nLine, strProblem.c_str()));
    }
    return !in.bad();
}
