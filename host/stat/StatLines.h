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
        Techniker,   // lab technician id
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

    // Empties every slot; the slots keep their memory for the next line.
    void Clear();
    void Set(Slot eSlot, std::string_view text) { m_arrSlots[eSlot].assign(text); }
    const CString& Get(Slot eSlot) const { return m_arrSlots[eSlot]; }
    std::string_view View(Slot eSlot) const { return m_arrSlots[eSlot]; }

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
    // field as above. A line may lack the trailing slots its table added later
    // (StatLineMinSlotCount); they stay empty. An amount slot must hold an amount in
    // its stored form, or nothing. On failure the slots are undefined and strError
    // (German) says why.
    bool FromText(std::string_view utf8, const int* pTable, CString& strError);

    bool operator==(const CStatLines& other) const = default;

private:
    std::array<CString, SlotCount> m_arrSlots;
};
