#include "app/LuSelection.h"

#include "core/LUDefault.h"
#include "host/db/ZFakt.h"

namespace {

bool Inside(const CString& strDatum, const CString& strAb, const CString& strBis) {
    return !strDatum.empty() && strAb <= strDatum && strDatum <= strBis;
}

} // namespace

std::optional<STORNOTYP> LuStornoTyp(const CString& strDatum, const CString& strStorno,
                                     const CString& strAb, const CString& strBis) {
    const bool bDatumInside = Inside(strDatum, strAb, strBis);
    if (strStorno.empty()) {
        if (bDatumInside) return kStornoDanach;
        return std::nullopt;
    }
    if (strStorno < strDatum) return std::nullopt;
    if (bDatumInside) return Inside(strStorno, strAb, strBis) ? kStornoImZeitraum : kStornoDanach;
    if (!strDatum.empty() && strDatum < strAb && Inside(strStorno, strAb, strBis))
        return kStornoDavor;
    return std::nullopt;
}

bool LuBezahltZaehlt(const CZFakt& fakt, const CString& strVersArt, const CLUDefault& settings) {
    if (strVersArt != "G") return true;
    const std::int64_t nKasse =
        fakt.m_nA1Cent + fakt.m_nA2Cent + fakt.m_nA3Cent + fakt.m_nA4Cent + fakt.m_nA5Cent;
    const std::int64_t nPatient =
        fakt.m_nB1Cent + fakt.m_nB2Cent + fakt.m_nB3Cent + fakt.m_nB4Cent + fakt.m_nB5Cent;
    if (nPatient == 0) return settings.GetMit100PoEA();
    if (nKasse >= nPatient) return settings.GetMitFestzGeEA();
    return true;
}
