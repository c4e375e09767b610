#include "host/DBIniFile.h"

#include "host/AtomicFile.h"
#include "host/TextUtil.h"

#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

char FoldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(const CString& a, const CString& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

bool IsControl(char c) {
    return static_cast<unsigned char>(c) < 0x20;
}
bool IsSpace(char c) {
    return c == ' ' || c == '\t';
}

CString TrimSpace(const CString& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == CString::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A name that reads back as itself: no blanks at either end, no control bytes,
// none of the given characters.
bool ValidName(const CString& strName, const char* pszForbidden) {
    if (strName.empty() || IsSpace(strName.front()) || IsSpace(strName.back())) return false;
    for (char c : strName)
        if (IsControl(c) || std::strchr(pszForbidden, c)) return false;
    return true;
}

bool ValidSection(const CString& strName) {
    return ValidName(strName, "[]");
}

bool ValidKey(const CString& strKey) {
    return ValidName(strKey, "=") && strKey.front() != '[' && strKey.front() != ';' &&
           strKey.front() != '#';
}

bool NeedsQuotes(const CString& strValue) {
    if (strValue.empty()) return false;
    if (IsSpace(strValue.front()) || IsSpace(strValue.back()) || strValue.front() == '"')
        return true;
    for (char c : strValue)
        if (IsControl(c)) return true;
    return false;
}

CString QuoteValue(const CString& strValue) {
    CString out = "\"";
    for (char c : strValue) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += IsControl(c) ? Format("\\x%02X", static_cast<unsigned>(c)) : CString(1, c);
        }
    }
    return out + "\"";
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Decodes one escape after the backslash at text[i]; advances i past it.
bool Unescape(const CString& text, std::size_t& i, CString& out) {
    if (i + 1 >= text.size()) return false;
    const char e = text[++i];
    switch (e) {
    case '\\':
    case '"':
        out += e;
        return true;
    case 'n':
        out += '\n';
        return true;
    case 'r':
        out += '\r';
        return true;
    case 't':
        out += '\t';
        return true;
    case 'x': {
        if (i + 2 >= text.size()) return false;
        const int hi = HexDigit(text[i + 1]), lo = HexDigit(text[i + 2]);
        if (hi < 0 || lo < 0) return false;
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
        return true;
    }
    default:
        return false;
    }
}

// The quoted form "..." as a whole (surrounding blanks already removed).
bool UnquoteValue(const CString& text, CString& out) {
    out.clear();
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] == '"') return i + 1 == text.size();
        if (text[i] != '\\')
            out += text[i];
        else if (!Unescape(text, i, out))
            return false;
    }
    return false; // no closing quote
}

} // namespace

CDBIniFile::CDBIniFile(const CString& strPath) : m_strPath(strPath) {
    Load();
}

void CDBIniFile::Load() {
    std::error_code ec;
    if (!std::filesystem::exists(m_strPath, ec) && !ec) return; // a new file
    // A file we cannot read must not be overwritten by Save.
    std::ifstream in(m_strPath, std::ios::binary);
    if (!in || std::filesystem::is_directory(m_strPath, ec)) {
        m_bReadFailed = true;
        return AddError(0, "Datei kann nicht gelesen werden");
    }
    Section* pCurrent = nullptr;
    CString strLine;
    for (int nLine = 1; std::getline(in, strLine); ++nLine) {
        if (!strLine.empty() && strLine.back() == '\r') strLine.pop_back();
        ParseLine(strLine, nLine, pCurrent);
    }
    if (in.bad()) {
        m_bReadFailed = true;
        AddError(0, "Lesefehler");
    }
}

void CDBIniFile::ParseLine(const CString& strLine, int nLine, Section*& pCurrent) {
    const CString strTrimmed = TrimSpace(strLine);
    if (strTrimmed.empty() || strTrimmed[0] == ';' || strTrimmed[0] == '#') return;
    if (strTrimmed[0] == '[') {
        const CString strName = strTrimmed.size() > 1 && strTrimmed.back() == ']'
                                    ? TrimSpace(strTrimmed.substr(1, strTrimmed.size() - 2))
                                    : CString();
        // Keys under a broken header belong to no known section: report them too
        // rather than file them under the previous one.
        pCurrent = ValidSection(strName) ? &GetSection(strName) : nullptr;
        if (!pCurrent) AddError(nLine, strLine);
        return;
    }
    const auto eq = strTrimmed.find('=');
    const CString strKey = TrimSpace(strTrimmed.substr(0, eq));
    const CString strRaw = eq == CString::npos ? CString() : TrimSpace(strTrimmed.substr(eq + 1));
    if (!pCurrent || eq == CString::npos || !ValidKey(strKey)) return AddError(nLine, strLine);
    CString strValue = strRaw;
    if (!strRaw.empty() && strRaw[0] == '"' && !UnquoteValue(strRaw, strValue))
        return AddError(nLine, strLine);
    WriteString(pCurrent->strName, strKey, strValue);
}

void CDBIniFile::AddError(int nLine, const CString& strText) {
    m_vecErrors.push_back(m_strPath + ":" + itoc(nLine) + ": " + strText);
}

const CDBIniFile::Section* CDBIniFile::FindSection(const CString& strName) const {
    for (const Section& section : m_vecSections)
        if (SameName(section.strName, strName)) return &section;
    return nullptr;
}

CDBIniFile::Section& CDBIniFile::GetSection(const CString& strName) {
    for (Section& section : m_vecSections)
        if (SameName(section.strName, strName)) return section;
    return m_vecSections.emplace_back(Section{strName, {}});
}

CString CDBIniFile::ReadString(const CString& strSection, const CString& strKey,
                               const CString& strDefault) const {
    if (const Section* pSection = FindSection(strSection))
        for (const Entry& entry : pSection->vecEntries)
            if (SameName(entry.strKey, strKey)) return entry.strValue;
    return strDefault;
}

bool CDBIniFile::WriteString(const CString& strSection, const CString& strKey,
                             const CString& strValue) {
    if (!ValidSection(strSection) || !ValidKey(strKey)) return false;
    Section& section = GetSection(strSection);
    for (Entry& entry : section.vecEntries) {
        if (SameName(entry.strKey, strKey)) {
            entry.strValue = strValue;
            return true;
        }
    }
    section.vecEntries.push_back(Entry{strKey, strValue});
    return true;
}

CString CDBIniFile::ToText() const {
    CString text;
    for (const Section& section : m_vecSections) {
        if (!text.empty()) text += '\n';
        text += "[" + section.strName + "]\n";
        for (const Entry& entry : section.vecEntries) {
            const bool bQuote = NeedsQuotes(entry.strValue);
            text +=
                entry.strKey + "=" + (bQuote ? QuoteValue(entry.strValue) : entry.strValue) + "\n";
        }
    }
    return text;
}

bool CDBIniFile::Save() const {
    return !m_bReadFailed && WriteFileAtomic(m_strPath, ToText());
}

bool CDBIniFile::WriteOneString(const CString& strPath, const CString& strSection,
                                const CString& strKey, const CString& strValue) {
    CDBIniFile ini(strPath);
    return ini.WriteString(strSection, strKey, strValue) && ini.Save();
}
