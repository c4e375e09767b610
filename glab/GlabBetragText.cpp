#include "glab/GlabBetragText.h"

#include "host/TextUtil.h"

#include <limits>

namespace {

__extension__ typedef __int128 Int128;

Int128 FixValue(CString strText) {
    const auto nPos = strText.find_first_not_of(' ');
    const bool bNeg = nPos != CString::npos && strText[nPos] == '-';
    if (bNeg) strText[nPos] = ' ';
    const Int128 nValue = LeadingInt(strText);
    return bNeg ? -nValue : nValue;
}

long long Clamp64(Int128 n) {
    constexpr long long kMax = std::numeric_limits<long long>::max();
    constexpr long long kMin = std::numeric_limits<long long>::min();
    return n > kMax ? kMax : n < kMin ? kMin : static_cast<long long>(n);
}

} // namespace

CVzW7Betrag GlabListBetrag(const CString& strText) {
    return CVzW7Betrag(CW7Betrag(strText));
}

CString GlabAddBetrag(const CString& strA, const CString& strB) {
    const CVzW7Betrag a(strA == "0" ? CString() : strA);
    const CVzW7Betrag b(strB == "0" ? CString() : strB);
    return CVzW7Betrag(a + b).ToDb();
}

CString GlabMulFix2(const CString& strA, const CString& strB) {
    Int128 nProd = FixValue(strA) * FixValue(strB); // |n| <= 2^126: no overflow
    nProd += nProd < 0 ? -50 : 50;
    return itoc(Clamp64(nProd / 100));
}
