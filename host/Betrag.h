#pragma once
// The host's money value: exact whole cents with a currency mark.
//
// An amount is either empty or holds a whole number of cents in euro ('e') or in
// old Deutsche Mark data ('d'; a blank given as currency means DM too). An empty
// amount counts as zero in every computation but stays distinguishable, so that a
// slot that was never filled can be told from a filled zero. Money never passes
// through floating point between operations: only a multiplication or division by
// a factor takes a double, and the result is rounded to the cent at once (see
// MulDivRounded in Betrag.cpp, the one place where amounts are rounded).
//
// Lists of lab invoices hold a hundred amounts per row and hundreds of thousands of
// rows, so an amount is packed into one 64-bit word: the cents in the upper 62
// bits (up to about 2.3e16 euro either way), the currency and the empty mark in the
// lowest two. Every operation holds a result beyond that range at the nearer end
// (kMinCent, kMaxCent) instead of letting it wrap.
#include "host/CString.h"

#include <cstdint>
#include <string_view>

class CWBetragBasis {
public:
    static constexpr char kEuro = 'e';
    static constexpr char kDM = 'd';
    static constexpr int kDbWidth = 10; // digits of the stored form, "e         0"

    CWBetragBasis() = default; // empty euro amount
    // From the stored text form (see ToDb); any other text gives an empty amount.
    explicit CWBetragBasis(std::string_view text);
    explicit CWBetragBasis(const CString& text) : CWBetragBasis(std::string_view(text)) {}
    explicit CWBetragBasis(const char* text) : CWBetragBasis(std::string_view(text ? text : "")) {}
    // From a value in currency units, rounded half away from zero to the cent.
    CWBetragBasis(double dValue, char cWaehrung);

    // The range of an amount; FromCent holds a value beyond it at the nearer end.
    static constexpr std::int64_t kMaxCent = (std::int64_t{1} << 61) - 1;
    static constexpr std::int64_t kMinCent = -kMaxCent - 1;

    static CWBetragBasis FromCent(std::int64_t nCent, char cWaehrung = kEuro);

    std::int64_t GetCent() const { return m_nBits >> kFlagBits; }
    char GetWaehrung() const { return (m_nBits & kDMBit) ? kDM : kEuro; }
    bool IsEmpty() const { return (m_nBits & kEmptyBit) != 0; }
    bool IsZero() const { return GetCent() == 0; }
    bool IsPos() const { return GetCent() > 0; }
    bool IsNeg() const { return GetCent() < 0; }
    void Zero() { Set(0, GetWaehrung(), false); }
    void Empty() { *this = CWBetragBasis(); } // empty euro, as newly constructed

    // Amounts always hold whole cents, so rounding to cents keeps the value; it is
    // here for callers that round sums explicitly.
    CWBetragBasis Round() const { return *this; }
    // The same value in another currency (1 EUR = 1.95583 DM), rounded to the cent.
    CWBetragBasis ToW(char cWaehrung) const;

    // Stored form: the currency letter, then the cents right-aligned in nWidth
    // places ("e         0", "e     -1234"); an empty amount gives "".
    CString ToDb(int nWidth = kDbWidth) const;
    // Display form with decimal comma, e.g. "1234,56", "-0,50", "0,00".
    // nWidth: minimum width, padded with leading blanks (0 = no padding).
    // bTausender: group the thousands with "." ("1.234,56").
    CString ToExt(int nWidth, bool bTausender) const;
    // Display form with grouped thousands. bDeutsch: German form "1.234,56";
    // false gives the Swiss form "1'234.56". nWidth as for ToExt.
    CString ToExtLong(int nWidth, bool bDeutsch) const;

    CWBetragBasis& operator+=(const CWBetragBasis& other);
    CWBetragBasis& operator-=(const CWBetragBasis& other);
    CWBetragBasis operator-() const; // sign flip; kMinCent becomes kMaxCent
    // Whole-number factor such as a cancellation type: exact, no rounding.
    CWBetragBasis operator*(int nFactor) const;
    // Decimal factor (a VAT rate, a share): rounded once to the cent.
    CWBetragBasis operator*(double dFactor) const;
    CWBetragBasis operator/(double dDivisor) const;     // empty when dDivisor is 0
    double operator/(const CWBetragBasis& other) const; // ratio; 0.0 for a zero divisor

    friend CWBetragBasis operator+(CWBetragBasis a, const CWBetragBasis& b) { return a += b; }
    friend CWBetragBasis operator-(CWBetragBasis a, const CWBetragBasis& b) { return a -= b; }
    // Comparisons by value (in this amount's currency); empty equals zero.
    friend bool operator<(const CWBetragBasis& a, const CWBetragBasis& b);
    friend bool operator>(const CWBetragBasis& a, const CWBetragBasis& b) { return b < a; }
    friend bool operator<=(const CWBetragBasis& a, const CWBetragBasis& b) { return !(b < a); }
    friend bool operator>=(const CWBetragBasis& a, const CWBetragBasis& b) { return !(a < b); }
    friend bool operator==(const CWBetragBasis& a, const CWBetragBasis& b);
    friend bool operator!=(const CWBetragBasis& a, const CWBetragBasis& b) { return !(a == b); }

    // Exact identity: value, currency and emptiness (for round-trip checks).
    bool SameAs(const CWBetragBasis& other) const { return m_nBits == other.m_nBits; }

private:
    static constexpr int kFlagBits = 2;
    static constexpr std::int64_t kEmptyBit = 1;
    static constexpr std::int64_t kDMBit = 2;

    std::int64_t CentIn(char cWaehrung) const; // this value in another currency
    // cWaehrung must be kEuro or kDM. Cents beyond the range are held at its ends.
    void Set(std::int64_t nCent, char cWaehrung, bool bEmpty) {
        nCent = nCent < kMinCent ? kMinCent : nCent > kMaxCent ? kMaxCent : nCent;
        m_nBits = static_cast<std::int64_t>(static_cast<std::uint64_t>(nCent) << kFlagBits) |
                  (cWaehrung == kDM ? kDMBit : 0) | (bEmpty ? kEmptyBit : 0);
    }
    void SetCent(std::int64_t nCent) { Set(nCent, GetWaehrung(), IsEmpty()); }

    std::int64_t m_nBits = kEmptyBit; // empty euro, zero cents
};
static_assert(sizeof(CWBetragBasis) == 8);

// The host types its amounts with these names; they share one exact representation.
#define VX_BETRAG_TYPE(Name)                                                                       \
    class Name : public CWBetragBasis {                                                            \
    public:                                                                                        \
        using CWBetragBasis::CWBetragBasis;                                                        \
        Name() = default;                                                                          \
        Name(const CWBetragBasis& b) : CWBetragBasis(b) {}                                         \
    }

VX_BETRAG_TYPE(CDBetrag);    // amount of a database record
VX_BETRAG_TYPE(CWBetrag);    // amount with currency
VX_BETRAG_TYPE(CW7Betrag);   // amount read from a fixed-width amount list
VX_BETRAG_TYPE(CVzW7Betrag); // signed amount of an amount list

#undef VX_BETRAG_TYPE
