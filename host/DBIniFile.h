#pragma once
// Small ini-style settings file (the selection files of the evaluations).
//
// File format, one entry per line, lines end with "\n" ("\r\n" is read too):
//   [Section]
//   Key=Value
// Blank lines and lines starting with ';' or '#' are skipped when reading and not
// written back. Section and key names compare case-insensitively (only A-Z fold,
// other bytes compare exactly); the first spelling written is kept. Sections and
// keys keep the order in which they first appeared. A key given twice in a file
// takes the later value.
//
// Values are Windows-1252 bytes stored as they are. A value that would not survive
// as plain text - one with a blank or tab at either end, a leading '"', or any
// byte below 0x20 (line breaks, tabs) - is written in quotes: "..." with the
// escapes \\ \" \n \r \t and \xHH for the other bytes below 0x20. Outside quotes a
// backslash is an ordinary character, so Windows paths stay readable.
//
// A line that cannot be read (no '=', no key, a key before the first section, a
// broken quoted value) is skipped and listed in GetErrors(); the rest of the file
// is still used.
#include "host/CString.h"

#include <vector>

class CDBIniFile {
public:
    // Loads the file; a missing file is an empty ini.
    explicit CDBIniFile(const CString& strPath);

    CString ReadString(const CString& strSection, const CString& strKey,
                       const CString& strDefault) const;
    // Sets the value in memory. False when the section or key name is invalid:
    // empty, blanks at either end, a byte below 0x20, '[' or ']' in a section, '='
    // in a key, or a key starting with '[', ';' or '#'.
    bool WriteString(const CString& strSection, const CString& strKey, const CString& strValue);
    // Replaces the file atomically: a crash or a full disk leaves the old file
    // intact. False on any failure, and when the existing file could not be read
    // (saving would destroy what we failed to read).
    bool Save() const;

    static bool WriteOneString(const CString& strPath, const CString& strSection,
                               const CString& strKey, const CString& strValue);

    // "path:line: text" of every line skipped while reading, and read failures.
    const std::vector<CString>& GetErrors() const { return m_vecErrors; }

private:
    struct Entry {
        CString strKey;
        CString strValue;
    };
    struct Section {
        CString strName;
        std::vector<Entry> vecEntries;
    };

    void Load();
    void ParseLine(const CString& strLine, int nLine, Section*& pCurrent);
    void AddError(int nLine, const CString& strText);
    const Section* FindSection(const CString& strName) const;
    Section& GetSection(const CString& strName);
    CString ToText() const;

    CString m_strPath;
    std::vector<Section> m_vecSections;
    std::vector<CString> m_vecErrors;
    bool m_bReadFailed = false;
};
