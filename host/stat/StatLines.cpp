#include "host/stat/StatLines.h"

#include "host/Cp1252.h"
#include "host/TextUtil.h"
#include "host/stat/BehErrors.h"
#include "host/stat/GlabFaktHitLine.h"
#include "host/stat/StatLineTables.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

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
void AppendSlot(std::string& out, const CString& strSlot) {
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

// The end of the field that starts at p: its TAB or the end of the line. bPlain
// tells whether the field is ASCII without a backslash, as nearly all fields are,
// and can be taken as it stands.
//
// Eight bytes are looked at together: for a word w, ZeroBytes(w ^ pattern) marks
// the bytes equal to the pattern byte by their high bit. Its lowest mark is always
// right; a wrong one can follow only a right one, so the first TAB is found exactly,
// and a backslash marked before it means there is a backslash before it.
constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

constexpr std::uint64_t ZeroBytes(std::uint64_t w) {
    return (w - kOnes) & ~w & kHighBits;
}

const char* FieldEnd(const char* p, const char* pEnd, bool& bPlain) {
    std::uint64_t nSpecial = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (; pEnd - p >= 8; p += 8) {
            std::uint64_t w = 0;
            std::memcpy(&w, p, 8);
            const std::uint64_t nTab = ZeroBytes(w ^ (kOnes * '\t'));
            const std::uint64_t nOther = (w & kHighBits) | ZeroBytes(w ^ (kOnes * '\\'));
            if (nTab) {
                const int nBits = std::countr_zero(nTab) & ~7; // bits before the TAB byte
                const std::uint64_t nBefore = nBits ? ~0ULL >> (64 - nBits) : 0;
                bPlain = !(nSpecial | (nOther & nBefore));
                return p + nBits / 8;
            }
            nSpecial |= nOther;
        }
    }
    for (; p < pEnd && *p != '\t'; ++p)
        nSpecial |= (static_cast<unsigned char>(*p) & 0x80u) | (*p == '\\');
    bPlain = !nSpecial;
    return p;
}

bool StoreField(const char* p, const char* pEnd, bool bPlain, std::size_t nField, CString& strSlot,
                CString& strError) {
    if (!bPlain)
        return ReadField(std::string_view(p, static_cast<std::size_t>(pEnd - p)), nField, strSlot,
                         strError);
    strSlot.assign(p, pEnd);
    return true;
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
        AppendSlot(out, m_arrSlots[pLine[i]]);
    }
    return true;
}

// The fields are located first and the count checked before any is stored, so
// that a line with a wrong count is reported as such whatever its fields hold.
bool CStatLines::FromText(std::string_view utf8, const int* pTable, CString& strError) {
    struct Field {
        const char* pBegin;
        const char* pEnd;
        bool bPlain;
    };
    std::array<Field, SlotCount> fields;
    const char* const pLineEnd = utf8.data() + utf8.size();
    std::size_t nFields = 0;
    for (const char* p = utf8.data();; ++p) {
        bool bPlain = true;
        const char* pEnd = FieldEnd(p, pLineEnd, bPlain);
        if (nFields < fields.size()) fields[nFields] = {p, pEnd, bPlain};
        ++nFields;
        if (pEnd == pLineEnd) break;
        p = pEnd;
    }
    Clear();
    const Field& kind = fields[0];
    if (!StoreField(kind.pBegin, kind.pEnd, kind.bPlain, 1, m_arrSlots[SatzArt], strError))
        return false;
    const int* pLine = StatLineTable(Get(SatzArt), pTable);
    if (!pLine) {
        strError = "unbekannte Satzart \"" + GetMidStr(Get(SatzArt), 0, 20) + "\"";
        return false;
    }
    const auto nSlots = static_cast<std::size_t>(StatLineSlotCount(pLine));
    if (nFields != nSlots) {
        strError = ::Format("%zu Felder statt %zu", nFields, nSlots);
        return false;
    }
    for (std::size_t i = 1; i < nSlots; ++i) {
        const Field& f = fields[i];
        if (!StoreField(f.pBegin, f.pEnd, f.bPlain, i + 1, m_arrSlots[pLine[i]], strError))
            return false;
    }
    return true;
}
