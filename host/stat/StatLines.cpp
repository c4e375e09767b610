#include "host/stat/StatLines.h"

#include "host/Betrag.h"
#include "host/Cp1252.h"
#include "host/TextUtil.h"
#include "host/stat/BehErrors.h"
#include "host/stat/GlabFaktHitLine.h"
#include "host/stat/StatLineTables.h"

#include <algorithm>

namespace {

// The letter after the backslash for the bytes that would break a line apart or
// be taken for an escape; 0 for every other byte, which is written as it is.
char EscapeLetter(char c) {
    switch (c) {
    case '\\':
        return '\\';
    case '\t':
        return 't';
    case '\r':
        return 'r';
    case '\n':
        return 'n';
    default:
        return 0;
    }
}

char Unescaped(char cLetter) {
    switch (cLetter) {
    case '\\':
        return '\\';
    case 't':
        return '\t';
    case 'r':
        return '\r';
    case 'n':
        return '\n';
    default:
        return 0;
    }
}

void AppendEscaped(std::string& out, std::string_view text) {
    std::size_t nDone = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char cLetter = EscapeLetter(text[i]);
        if (!cLetter) continue;
        out.append(text, nDone, i - nDone);
        out += '\\';
        out += cLetter;
        nDone = i + 1;
    }
    out.append(text, nDone);
}

// Slots are converted one by one, as most of them are plain ASCII. UTF-8 sequences
// contain no ASCII bytes, so escaping after the conversion is safe.
void AppendSlot(std::string& out, std::string_view strSlot) {
    if (IsAscii(strSlot))
        AppendEscaped(out, strSlot);
    else
        AppendEscaped(out, Cp1252ToUtf8(strSlot));
}

// Appends whole runs between backslashes, so that plain fields cost one copy.
bool Unescape(std::string_view field, CString& out) {
    out.clear();
    for (;;) {
        const std::size_t nPos = field.find('\\');
        if (nPos == std::string_view::npos) {
            out.append(field);
            return true;
        }
        out.append(field.substr(0, nPos));
        const char c = nPos + 1 < field.size() ? Unescaped(field[nPos + 1]) : 0;
        if (!c) return false;
        out += c;
        field.remove_prefix(nPos + 2);
    }
}

// One UTF-8 field of a line into its slot; strError says why it failed.
bool ReadField(std::string_view field, std::size_t nField, CString& strSlot, CString& strError) {
    const char* pszProblem = nullptr;
    if (IsAscii(field)) {
        if (!Unescape(field, strSlot)) pszProblem = "ungültige Escape-Folge";
    } else {
        std::size_t nReplaced = 0;
        const CString text = Utf8ToCp1252(field, &nReplaced);
        if (nReplaced)
            pszProblem = "ungültiges UTF-8 oder ein Zeichen außerhalb von Windows-1252";
        else if (!Unescape(text, strSlot))
            pszProblem = "ungültige Escape-Folge";
    }
    if (!pszProblem) return true;
    strError = Utf8ToCp1252(pszProblem) + " in Feld " + itoc(static_cast<long long>(nField));
    return false;
}

// An amount slot holds the stored form of an amount, or nothing (an empty amount).
bool IsAmountSlot(int eSlot) {
    using S = CStatLines;
    return (eSlot >= S::LuBetrag1 && eSlot <= S::LuBetrag14) ||
           (eSlot >= S::GlabBetrag1 && eSlot <= S::GlabBetrag7);
}

bool IsAmountText(const CString& text) {
    return text.find_first_not_of(' ') == CString::npos || !CWBetragBasis(text).IsEmpty();
}

} // namespace

void CStatLines::Clear() {
    for (CString& strSlot : m_arrSlots)
        strSlot.clear();
}

void CStatLines::MoveError2File(const CBehErrors& err) {
    Clear();
    Set(SatzArt, "E");
    Set(ErrMandant, err.m_strMandant);
    Set(ErrPatNr, err.m_strPatNr);
    Set(ErrDatum, err.m_strDatum);
    Set(ErrText, err.m_strText);
}

void CStatLines::MoveFile2Error(CBehErrors& err) const {
    err.m_strMandant = Get(ErrMandant);
    err.m_strPatNr = Get(ErrPatNr);
    err.m_strDatum = Get(ErrDatum);
    err.m_strText = Get(ErrText);
}

void CStatLines::MoveGlab2File(const CGlabFaktHitLine& hit) {
    Clear();
    Set(SatzArt, "W");
    Set(AllgText1, hit.m_strInfo1);
    Set(AllgText2, hit.m_strInfo4);
    Set(AllgFlag, hit.m_bStorno ? "1" : "0");
    const CString* texts[] = {&hit.m_strLabKu, &hit.m_strRechNr,  &hit.m_strDatum, &hit.m_strInfo2,
                              &hit.m_strInfo3, &hit.m_strAnzRech, &hit.m_strInfo5};
    for (int n = 1; n <= 7; ++n)
        Set(GlabText(n), *texts[n - 1]);
    const CVzW7Betrag* amounts[] = {&hit.m_TechnLst, &hit.m_Material, &hit.m_Metall, &hit.m_Betrag4,
                                    &hit.m_MwSt,     &hit.m_Netto,    &hit.m_Brutto};
    for (int n = 1; n <= 7; ++n)
        Set(GlabBetrag(n), amounts[n - 1]->ToDb());
}

bool CStatLines::ToText(const int* pTable, std::string& out) const {
    const int* pLine = StatLineTable(Get(SatzArt), pTable);
    if (!pLine) return false;
    out.clear();
    for (int i = 0; pLine[i] >= 0; ++i) {
        if (i) out += '\t';
        AppendSlot(out, View(static_cast<Slot>(pLine[i])));
    }
    return true;
}

// The count is checked before any field but the kind is read, so that a line
// with a wrong count is reported as such whatever its fields hold.
bool CStatLines::FromText(std::string_view utf8, const int* pTable, CString& strError) {
    Clear();
    std::size_t nTab = utf8.find('\t');
    if (!ReadField(utf8.substr(0, nTab), 1, m_arrSlots[SatzArt], strError)) return false;
    const int* pLine = StatLineTable(Get(SatzArt), pTable);
    if (!pLine) {
        strError = "unbekannte Satzart \"" + GetMidStr(Get(SatzArt), 0, 20) + "\"";
        return false;
    }
    const auto nFields = static_cast<std::size_t>(std::count(utf8.begin(), utf8.end(), '\t')) + 1;
    const auto nSlots = static_cast<std::size_t>(StatLineSlotCount(pLine));
    const auto nMinSlots = static_cast<std::size_t>(StatLineMinSlotCount(pLine));
    if (nFields < nMinSlots || nFields > nSlots) {
        strError = ::Format("%zu Felder statt %zu", nFields, nSlots);
        return false;
    }
    // Slots after the last field (an older line) stay empty from Clear().
    for (std::size_t i = 1; i < nFields; ++i) {
        const std::size_t nBegin = nTab + 1;
        nTab = utf8.find('\t', nBegin);
        const std::string_view field = utf8.substr(nBegin, nTab - nBegin);
        CString& strSlot = m_arrSlots[pLine[i]];
        if (!ReadField(field, i + 1, strSlot, strError)) return false;
        if (IsAmountSlot(pLine[i]) && !IsAmountText(strSlot)) {
            strError = "Feld " + itoc(static_cast<long long>(i + 1)) + " ist kein Betrag: \"" +
                       GetMidStr(strSlot, 0, 20) + "\"";
            return false;
        }
    }
    return true;
}
