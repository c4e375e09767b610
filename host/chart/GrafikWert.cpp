#include "host/chart/GrafikWert.h"

#include "host/TextUtil.h"
#include "host/gui/MatrixSortKey.h"

#include <cstdint>

namespace {

bool IsWaehrungsBuchstabe(char c) {
    return c == 'e' || c == 'E' || c == 'd' || c == 'D';
}

// Ten-thousandths to cents, half away from zero.
std::int64_t ZehntausendstelZuCent(std::int64_t nWert) {
    return nWert >= 0 ? (nWert + 50) / 100 : -((-nWert + 50) / 100);
}

} // namespace

bool GrafikWertLesen(const CString& strWert, CWBetragBasis& betrag) {
    betrag = CWBetragBasis::FromCent(0);
    const CString s = Trim(strWert);
    if (s.empty()) return true;
    // Only a leading currency letter marks the stored form: "1234" is a display
    // text of euros, not of cents.
    if (IsWaehrungsBuchstabe(s.front())) {
        const CWBetragBasis gespeichert(s);
        if (gespeichert.IsEmpty()) return false;
        betrag = gespeichert;
        return true;
    }
    std::int64_t nWert = 0;
    if (!ParseDisplayNumber(s, nWert)) return false;
    betrag = CWBetragBasis::FromCent(ZehntausendstelZuCent(nWert));
    return true;
}

CString GrafikWertText(const CWBetragBasis& betrag) {
    const char* szMark = betrag.GetWaehrung() == CWBetragBasis::kDM ? " DM" : " \x80";
    return betrag.ToExt(0, true) + szMark;
}
