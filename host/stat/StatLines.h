#pragma once
// One line of a hit file: a fixed set of named text slots (Windows-1252). A line
// kind uses only some of them; which ones, and in what order they stand in the
// file, says its line-structure table (StatLineTables.h). The first slot, SatzArt,
// holds the line kind: "E" error, "L" lab turnover, "W" commercial lab.
//
// Text form of a line: the slots of its table in order, separated by TAB. Inside a
// slot backslash, TAB, CR and LF are written \\ \t \r \n, so that any byte string
// survives; the line is stored as UTF-8.
#include "host/CString.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

class CBehErrors;
class CGlabFaktHitLine;

class CStatLines {
public:
    enum Slot : int {
        SatzArt,   // line kind
        AllgText1, // first general text
        AllgText2, // second general text
        AllgFlag,  // general flag, "1" or "0"
        PatNr,     // patient number
        HitText,   // text of the hit
        Datum,     // database date
        RechNr,    // invoice number
        PlanArt,   // plan-kind character
        BlockCode, // amount block "0".."6" of a lab-turnover line
        PlanNr,    // treatment plan number
        LiqNr,     // liquidation number
        LuBetrag1, // lab-turnover amounts 1..14 (LuBetrag(n))
        LuBetrag14 = LuBetrag1 + 13,
        ZusatzText,  // additional text
        FortlRgNr,   // running invoice number
        StornoDatum, // cancellation date
        StornoTyp,   // cancellation type as decimal text
        ZusatzKey,   // additional key
        LBlockNr,    // lab-block key
        GlabText1,   // commercial-lab texts 1..7 (GlabText(n))
        GlabText7 = GlabText1 + 6,
        GlabBetrag1, // commercial-lab amounts 1..7 (GlabBetrag(n))
        GlabBetrag7 = GlabBetrag1 + 6,
        ErrMandant, // error line: practice owner
        ErrPatNr,   // error line: patient number
        ErrDatum,   // error line: date
        ErrText,    // error line: text
        SlotCount
    };
    // The numbered slots, n counted from 1.
    static constexpr Slot LuBetrag(int n) { return static_cast<Slot>(LuBetrag1 + n - 1); }
    static constexpr Slot GlabText(int n) { return static_cast<Slot>(GlabText1 + n - 1); }
    static constexpr Slot GlabBetrag(int n) { return static_cast<Slot>(GlabBetrag1 + n - 1); }

    CStatLines() = default;
    // A copy holds its texts itself, also those still in the text of a read line.
    CStatLines(const CStatLines& other) { *this = other; }
    CStatLines& operator=(const CStatLines& other);

    // Empties every slot; the slots keep their memory for the next line.
    void Clear();
    void Set(Slot eSlot, std::string_view text) {
        m_arrSlots[eSlot].assign(text);
        m_nInLine &= ~Bit(eSlot);
    }
    const CString& Get(Slot eSlot) const {
        if (m_nInLine & Bit(eSlot)) TakeFromLine(eSlot);
        return m_arrSlots[eSlot];
    }
    // The slot's text without a copy; see FromText for how long it stays valid.
    std::string_view View(Slot eSlot) const {
        return (m_nInLine & Bit(eSlot)) ? m_arrViews[eSlot] : std::string_view(m_arrSlots[eSlot]);
    }

    // Clear, kind "E" and the error slots.
    void MoveError2File(const CBehErrors& err);
    void MoveFile2Error(CBehErrors& err) const;
    // Clear, kind "W" and the commercial-lab slots.
    void MoveGlab2File(const CGlabFaktHitLine& hit);

    // The UTF-8 text of the line by the table for its kind (pTable, or the error
    // table for "E"), without line end. False, with out unchanged, when the kind
    // does not belong to pTable.
    bool ToText(const int* pTable, std::string& out) const;
    // Reads a line written by ToText; the table is chosen by the kind in the first
    // field as above. On failure the slots are undefined and strError (German)
    // says why. Fields that need no decoding (nearly all) are not copied: the line
    // refers to utf8 for them, which must therefore stay unchanged until the line
    // is read again, cleared or copied.
    bool FromText(std::string_view utf8, const int* pTable, CString& strError);

    // Where the fields of a line's text end, and which of them must be decoded.
    struct FieldMap {
        std::uint64_t nCareful = 0; // bit i: field i holds a backslash or a byte beyond ASCII
        std::size_t nFields = 0;    // all fields, also those beyond SlotCount
        std::array<std::uint32_t, SlotCount> aEnd; // field i ends before aEnd[i]
    };
    // A map kept elsewhere: the ends of its first min(nFields, SlotCount) fields.
    struct FieldEnds {
        const std::uint32_t* pEnd;
        std::size_t nFields;
        std::uint64_t nCareful;
    };
    // FromText in two steps, which may run on different threads: the map of the
    // text, then the line from text and map. The line refers to utf8 as above.
    static void MapFields(std::string_view utf8, FieldMap& map);
    bool FromMap(std::string_view utf8, const FieldEnds& map, const int* pTable,
                 CString& strError);

    bool operator==(const CStatLines& other) const;

private:
    static_assert(SlotCount <= 64);
    static constexpr std::uint64_t Bit(int eSlot) { return std::uint64_t{1} << eSlot; }
    void TakeFromLine(Slot eSlot) const;
    bool TakeField(Slot eSlot, std::string_view field, bool bCareful, std::size_t nField,
                   CString& strError);

    // A slot's text is its string, or, when its bit in m_nInLine is set, its view
    // into the line it was read from; Get copies it into the string on demand.
    mutable std::array<CString, SlotCount> m_arrSlots;
    std::array<std::string_view, SlotCount> m_arrViews{};
    mutable std::uint64_t m_nInLine = 0;
    const int* m_pViewTable = nullptr; // the table of the last line read; its slots alone have views
    std::size_t m_nViewSlots = 0;      // and their count
};
