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

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

using CFieldMap = CStatLines::FieldMap;

void AddTab(CFieldMap& map, std::size_t nPos) {
    if (map.nFields < CStatLines::SlotCount)
        map.aEnd[map.nFields] = static_cast<std::uint32_t>(nPos);
    ++map.nFields;
}

void AddSpecial(CFieldMap& map) {
    if (map.nFields < CStatLines::SlotCount) map.nCareful |= std::uint64_t{1} << map.nFields;
}

// The bytes of a chunk in position order: bit i of nTabs or nSpecial stands for
// byte nBase + i. Special bytes are rare: a chunk without them steps from TAB to
// TAB.
void MapEvents(CFieldMap& map, std::size_t nBase, std::uint64_t nTabs, std::uint64_t nSpecial) {
    if (!nSpecial) {
        for (; nTabs; nTabs &= nTabs - 1)
            AddTab(map, nBase + static_cast<std::size_t>(std::countr_zero(nTabs)));
        return;
    }
    for (std::uint64_t nEvents = nTabs | nSpecial; nEvents; nEvents &= nEvents - 1) {
        const int nBit = std::countr_zero(nEvents);
        if (nTabs >> nBit & 1)
            AddTab(map, nBase + static_cast<std::size_t>(nBit));
        else
            AddSpecial(map);
    }
}

#if defined(__SSE2__)
// Bit i of the masks: byte i of the 16 at p is a TAB, is special.
void Masks16(const char* p, std::uint64_t& nTabs, std::uint64_t& nSpecial) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    nTabs = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8('\t'))));
    nSpecial = static_cast<std::uint32_t>(
        _mm_movemask_epi8(v) | _mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8('\\'))));
}

// Sixty-four bytes at a time: a compare per kind of byte gives a bit mask of where
// they stand, and a line of a hit file takes two or three such chunks. The last
// partial chunk is copied into a buffer padded with zeros, which are neither TAB
// nor special.
void MapChunk(CFieldMap& map, std::size_t nBase, const char* p) {
    std::uint64_t nTabs = 0, nSpecial = 0;
    for (int i = 0; i < 4; ++i) {
        std::uint64_t nT, nS;
        Masks16(p + 16 * i, nT, nS);
        nTabs |= nT << (16 * i);
        nSpecial |= nS << (16 * i);
    }
    MapEvents(map, nBase, nTabs, nSpecial);
}

void MapAll(std::string_view line, CFieldMap& map) {
    std::size_t nPos = 0;
    for (; nPos + 64 <= line.size(); nPos += 64)
        MapChunk(map, nPos, line.data() + nPos);
    if (nPos < line.size()) {
        char aTail[64] = {};
        std::memcpy(aTail, line.data() + nPos, line.size() - nPos);
        MapChunk(map, nPos, aTail);
    }
}
#else
void MapAll(std::string_view line, CFieldMap& map) {
    for (std::size_t nPos = 0; nPos < line.size(); ++nPos) {
        const auto c = static_cast<unsigned char>(line[nPos]);
        MapEvents(map, nPos, c == '\t', c >= 0x80 || c == '\\');
    }
}
#endif

} // namespace

void CStatLines::Clear() {
    for (CString& strSlot : m_arrSlots)
        strSlot.clear();
    m_nInLine = 0;
}

CStatLines& CStatLines::operator=(const CStatLines& other) {
    if (this == &other) return *this;
    for (int i = 0; i < SlotCount; ++i)
        m_arrSlots[i].assign(other.View(static_cast<Slot>(i)));
    m_nInLine = 0;
    return *this;
}

bool CStatLines::operator==(const CStatLines& other) const {
    for (int i = 0; i < SlotCount; ++i)
        if (View(static_cast<Slot>(i)) != other.View(static_cast<Slot>(i))) return false;
    return true;
}

void CStatLines::TakeFromLine(Slot eSlot) const {
    m_arrSlots[eSlot].assign(m_arrViews[eSlot]);
    m_nInLine &= ~Bit(eSlot);
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

bool CStatLines::FromText(std::string_view utf8, const int* pTable, CString& strError) {
    FieldMap map;
    MapFields(utf8, map);
    return FromMap(utf8, {map.aEnd.data(), map.nFields, map.nCareful}, pTable, strError);
}

void CStatLines::MapFields(std::string_view utf8, FieldMap& map) {
    map.nCareful = 0;
    map.nFields = 0;
    MapAll(utf8, map);
    AddTab(map, utf8.size()); // the end of the last field
}

// The count is checked before any field but the kind is taken, so that a line
// with a wrong count is reported as such whatever its fields hold.
bool CStatLines::FromMap(std::string_view utf8, const FieldEnds& map, const int* pTable,
                         CString& strError) {
    const auto field = [&](std::size_t i) {
        const std::size_t nBegin = i ? map.pEnd[i - 1] + 1 : 0;
        return utf8.substr(nBegin, map.pEnd[i] - nBegin);
    };
    // Every slot reads as empty unless the line fills it. Lines of one table fill
    // the same slots, so only a change of table needs the views emptied.
    m_nInLine = ~std::uint64_t{0} >> (64 - SlotCount);
    m_arrViews[SatzArt] = {};
    if (!TakeField(SatzArt, field(0), map.nCareful & 1, 1, strError)) return false;
    const int* pLine = StatLineTable(View(SatzArt), pTable);
    if (pLine != m_pViewTable) {
        const std::string_view kind = m_arrViews[SatzArt];
        m_arrViews.fill({});
        m_arrViews[SatzArt] = kind;
        m_pViewTable = pLine;
        m_nViewSlots = pLine ? static_cast<std::size_t>(StatLineSlotCount(pLine)) : 0;
    }
    if (!pLine) {
        strError = "unbekannte Satzart \"" + GetMidStr(Get(SatzArt), 0, 20) + "\"";
        return false;
    }
    const std::size_t nSlots = m_nViewSlots;
    if (map.nFields != nSlots) {
        strError = ::Format("%zu Felder statt %zu", map.nFields, nSlots);
        return false;
    }
    // Nearly all fields are taken as they stand: their views only are set, as every
    // slot is marked as in the line already. The few fields that need care are
    // taken afterwards, in field order, and replace their views.
    const char* const pText = utf8.data();
    for (std::size_t i = 1; i < nSlots; ++i) {
        const std::uint32_t nBegin = map.pEnd[i - 1] + 1;
        m_arrViews[pLine[i]] = std::string_view(pText + nBegin, map.pEnd[i] - nBegin);
    }
    for (std::uint64_t nCareful = map.nCareful & ~std::uint64_t{1}; nCareful;
         nCareful &= nCareful - 1) {
        const auto i = static_cast<std::size_t>(std::countr_zero(nCareful));
        if (!TakeField(static_cast<Slot>(pLine[i]), field(i), true, i + 1, strError)) return false;
    }
    return true;
}

bool CStatLines::TakeField(Slot eSlot, std::string_view field, bool bCareful, std::size_t nField,
                           CString& strError) {
    if (!bCareful) {
        m_arrViews[eSlot] = field;
        m_nInLine |= Bit(eSlot);
        return true;
    }
    m_nInLine &= ~Bit(eSlot);
    return ReadField(field, nField, m_arrSlots[eSlot], strError);
}
