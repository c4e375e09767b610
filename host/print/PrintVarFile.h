#pragma once
// The print-variable file: what a print hands to the print program. One record per
// line: "V" and one name/value pair for a variable of the whole print (headings,
// form, tab stops), "S" and one to four pairs for one printed line. Fields are
// separated by tabs; a tab, line break or backslash inside a name or value is
// written as \t, \n, \r or \\. Texts are Windows-1252.
//
// The file is built in memory and put in place only by Close, through a temporary
// file and a rename: a crash or a full disk never leaves a half-written file.
#include "host/CString.h"

#include <string>
#include <utility>
#include <vector>

class CPrintVarFile {
public:
    // Starts a new file for strPath (a native path). False when its folder is missing.
    bool Open(const std::string& strPath);
    bool IsOpen() const { return m_bOpen; }
    const std::string& GetPath() const { return m_strPath; }
    // Writes the file in place; false when it could not be written (the old file stays).
    bool Close();

    void AddRecord(char cKind, const std::vector<std::pair<CString, CString>>& vecPairs);

private:
    std::string m_strPath;
    std::string m_strContent;
    bool m_bOpen = false;
};

// The host's writers: a variable, and a printed line of one to four pairs.
void Write_Variable(CPrintVarFile& file, const CString& strName, const CString& strValue);
void Write_Column(CPrintVarFile& file, const CString& strName, const CString& strValue);
void Write_2Columns(CPrintVarFile& file, const CString& strName1, const CString& strValue1,
                    const CString& strName2, const CString& strValue2);
void Write_3Columns(CPrintVarFile& file, const CString& strName1, const CString& strValue1,
                    const CString& strName2, const CString& strValue2, const CString& strName3,
                    const CString& strValue3);
void Write_4Columns(CPrintVarFile& file, const CString& strName1, const CString& strValue1,
                    const CString& strName2, const CString& strValue2, const CString& strName3,
                    const CString& strValue3, const CString& strName4, const CString& strValue4);

// A print-variable file read back.
struct PrintRecord {
    CString strZeile;       // "Spalteninhalt"
    CString strGruppenkopf; // "Gruppenkopf"
    bool bFett = false;     // "Modus" = "Fett"
    bool bFarbe = false;    // "Farbe" given
    unsigned nFarbe = 0;    // decimal RGB value
};

struct PrintDoc {
    std::vector<std::pair<CString, CString>> vecVariablen; // in file order
    std::vector<PrintRecord> vecZeilen;
    CString Variable(const CString& strName) const; // the last value, "" when absent
};

// Reads strPath. Lines that are no record are skipped, each with a German message
// naming the file and the line in vecFehler; false only when the file cannot be read.
bool ReadPrintVarFile(const std::string& strPath, PrintDoc& doc, std::vector<CString>& vecFehler);
