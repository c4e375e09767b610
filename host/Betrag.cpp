#include "host/Betrag.h"

#include "host/TextUtil.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// 128-bit intermediate products keep cents times a nine-decimal factor exact.
__extension__ typedef __int128 Int128;

constexpr std::int64_t kFactorScale = 1'000'000'000; // factors carry nine decimals
constexpr int kMaxDigits = 17;                       // largest amount text we accept
constexpr std::int64_t kDMPerEuro = 195583;          // 1.95583 DM per euro, scale 1e5
constexpr std::int64_t kDMScale = 100000;

// A 128-bit cent value held at the ends of the amount range.
std::int64_t Saturated(Int128 n) {
    if (n > CWBetragBasis::kMaxCent) return CWBetragBasis::kMaxCent;
    if (n < CWBetragBasis::kMinCent) return CWBetragBasis::kMinCent;
    return static_cast<std::int64_t>(n);
}

// Rounds num / den half away from zero. den is positive.
std::int64_t DivRounded(Int128 num, Int128 den) {
    const Int128 q = num / den;
    const Int128 r = num % den;
    const Int128 twice = (r < 0 ? -r : r) * 2;
    if (twice >= den) return Saturated(num < 0 ? q - 1 : q + 1);
    return Saturated(q);
}

// A factor as an exact fraction of kFactorScale. Decimal factors such as 0.07,
// 0.05, 1.19 or -1.0 are then exact, so 150 cents * 0.07 gives exactly 10.5 and
// rounds to 11, whatever the binary form of 0.07 is. The whole part is converted
// apart from the fraction: d * kFactorScale would leave the range of long long from
// about 9.2e9 on. Factors that are not finite or beyond 1e18 count as 0.
Int128 FactorUnits(double d) {
    if (!std::isfinite(d) || std::fabs(d) >= 1e18) return 0;
    double whole = 0;
    const double fraction = std::modf(d, &whole);
    return static_cast<Int128>(static_cast<std::int64_t>(whole)) * kFactorScale +
           std::llround(fraction * kFactorScale);
}

// The one place where amounts are rounded: cents * num / den, half away from zero.
std::int64_t MulDivRounded(std::int64_t nCent, Int128 num, Int128 den) {
    if (den < 0) num = -num, den = -den;
    return DivRounded(static_cast<Int128>(nCent) * num, den);
}

char NormalWaehrung(char c) {
    return (c == CWBetragBasis::kDM || c == 'D' || c == ' ') ? CWBetragBasis::kDM
                                                             : CWBetragBasis::kEuro;
}

CString GroupThousands(const CString& digits, char cSep) {
    CString out;
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += cSep;
        out += digits[i];
    }
    return out;
}

CString DisplayForm(std::int64_t nCent, int nWidth, char cThousands, char cDecimal) {
    const bool neg = nCent < 0;
    const std::uint64_t abs = neg ? 0 - static_cast<std::uint64_t>(nCent) : nCent;
    CString whole = std::to_string(abs / 100);
    if (cThousands) whole = GroupThousands(whole, cThousands);
    const CString text = Format("%s%s%c%02u", neg ? "-" : "", whole.c_str(), cDecimal,
                                static_cast<unsigned>(abs % 100));
    return nWidth > 0 && text.size() < static_cast<std::size_t>(nWidth) ? RightFix(text, nWidth)
                                                                        : text;
}

} // namespace

CWBetragBasis::CWBetragBasis(std::string_view text) {
    // Accepted: [blanks][currency letter][blanks][sign][digits][blanks]; nothing else.
    if (text.empty()) return; // the most frequent text of all
    std::size_t i = text.find_first_not_of(' ');
    if (i == CString::npos) return; // "" or blanks only: empty
    char cWaehrung = kEuro;
    if (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D') {
        cWaehrung = NormalWaehrung(text[i]);
        i = text.find_first_not_of(' ', i + 1);
        if (i == CString::npos) return;
    }
    bool neg = false;
    if (text[i] == '-' || text[i] == '+') neg = text[i++] == '-';
    const std::size_t start = i;
    std::int64_t value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (i - start >= kMaxDigits) return;
        value = value * 10 + (text[i++] - '0');
    }
    if (i == start || text.find_first_not_of(' ', i) != CString::npos) return;
    Set(neg ? -value : value, cWaehrung, false);
}

CWBetragBasis::CWBetragBasis(double dValue, char cWaehrung) {
    const bool bInRange = std::isfinite(dValue) && std::fabs(dValue) < 1e15;
    Set(bInRange ? MulDivRounded(100, FactorUnits(dValue), kFactorScale) : 0,
        NormalWaehrung(cWaehrung), false);
}

CWBetragBasis CWBetragBasis::FromCent(std::int64_t nCent, char cWaehrung) {
    CWBetragBasis b;
    b.Set(nCent, NormalWaehrung(cWaehrung), false);
    return b;
}

std::int64_t CWBetragBasis::CentIn(char cWaehrung) const {
    cWaehrung = NormalWaehrung(cWaehrung);
    if (cWaehrung == GetWaehrung()) return GetCent();
    if (cWaehrung == kDM) return MulDivRounded(GetCent(), kDMPerEuro, kDMScale);
    return MulDivRounded(GetCent(), kDMScale, kDMPerEuro);
}

CWBetragBasis CWBetragBasis::ToW(char cWaehrung) const {
    CWBetragBasis b = *this;
    b.Set(CentIn(cWaehrung), NormalWaehrung(cWaehrung), IsEmpty());
    return b;
}

CString CWBetragBasis::ToDb(int nWidth) const {
    if (IsEmpty()) return {};
    const CString digits = itoc(GetCent());
    const int width = std::max(nWidth, static_cast<int>(digits.size()));
    return CString(1, GetWaehrung()) + RightFix(digits, width);
}

CString CWBetragBasis::ToExt(int nWidth, bool bTausender) const {
    return DisplayForm(GetCent(), nWidth, bTausender ? '.' : 0, ',');
}

CString CWBetragBasis::ToExtLong(int nWidth, bool bDeutsch) const {
    return bDeutsch ? DisplayForm(GetCent(), nWidth, '.', ',')
                    : DisplayForm(GetCent(), nWidth, '\'', '.');
}

// An empty zero takes the currency of the first filled amount added to it.
CWBetragBasis& CWBetragBasis::operator+=(const CWBetragBasis& other) {
    const bool bEmpty = IsEmpty();
    const char cWaehrung =
        bEmpty && !other.IsEmpty() && IsZero() ? other.GetWaehrung() : GetWaehrung();
    Set(GetCent() + other.CentIn(cWaehrung), cWaehrung, bEmpty && other.IsEmpty());
    return *this;
}

CWBetragBasis& CWBetragBasis::operator-=(const CWBetragBasis& other) {
    const bool bEmpty = IsEmpty();
    const char cWaehrung =
        bEmpty && !other.IsEmpty() && IsZero() ? other.GetWaehrung() : GetWaehrung();
    Set(GetCent() - other.CentIn(cWaehrung), cWaehrung, bEmpty && other.IsEmpty());
    return *this;
}

CWBetragBasis CWBetragBasis::operator-() const {
    CWBetragBasis b = *this;
    b.SetCent(-GetCent());
    return b;
}

CWBetragBasis CWBetragBasis::operator*(int nFactor) const {
    CWBetragBasis b = *this;
    b.SetCent(Saturated(static_cast<Int128>(GetCent()) * nFactor));
    return b;
}

CWBetragBasis CWBetragBasis::operator*(double dFactor) const {
    CWBetragBasis b = *this;
    b.SetCent(MulDivRounded(GetCent(), FactorUnits(dFactor), kFactorScale));
    return b;
}

CWBetragBasis CWBetragBasis::operator/(double dDivisor) const {
    const Int128 units = FactorUnits(dDivisor);
    CWBetragBasis b = *this;
    if (units == 0) {
        b.Empty();
        return b;
    }
    b.SetCent(MulDivRounded(GetCent(), kFactorScale, units));
    return b;
}

double CWBetragBasis::operator/(const CWBetragBasis& other) const {
    const std::int64_t d = other.CentIn(GetWaehrung());
    return d == 0 ? 0.0 : static_cast<double>(GetCent()) / static_cast<double>(d);
}

bool operator<(const CWBetragBasis& a, const CWBetragBasis& b) {
    return a.GetCent() < b.CentIn(a.GetWaehrung());
}

bool operator==(const CWBetragBasis& a, const CWBetragBasis& b) {
    return a.GetCent() == b.CentIn(a.GetWaehrung());
}
