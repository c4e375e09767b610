#include "app/SettingsAssign.h"

#include "core/LUDefault.h"

#include <iterator>

namespace {

struct Setting {
    const char* szName;
    void (CLUDefault::*pFlag)(bool); // set for a flag
    void (CLUDefault::*pZahl)(int);  // set for a digit
};

// MitFestzGeEA is missing on purpose: it is always stored as set.
constexpr Setting kSettings[] = {
    {"MitPatName", &CLUDefault::SetMitPatName, nullptr},
    {"MitMaterial", &CLUDefault::SetMitMaterial, nullptr},
    {"LstRechIdx", nullptr, &CLUDefault::SetLstRechIdx},
    {"LabRechDatumIdx", nullptr, &CLUDefault::SetLabRechDatumIdx},
    {"OhneMaterial", &CLUDefault::SetOhneMaterial, nullptr},
    {"StetsLabRgNr", &CLUDefault::SetStetsLabRgNr, nullptr},
    {"StornoLabRech", &CLUDefault::SetStornoLabRech, nullptr},
    {"CheckedStornoTypen", nullptr, &CLUDefault::SetCheckedStornoTypen},
    {"MitTechnMat", &CLUDefault::SetMitTechnMat, nullptr},
    {"Mit100PoEA", &CLUDefault::SetMit100PoEA, nullptr},
    {"StetsLstDatum", &CLUDefault::SetStetsLstDatum, nullptr},
    {"MitFortlRgNr", &CLUDefault::SetMitFortlRgNr, nullptr},
};

const Setting* FindSetting(const std::string& strName) {
    for (const Setting& s : kSettings)
        if (strName == s.szName) return &s;
    return nullptr;
}

// The value of one pair, -1 when it does not fit the setting.
int ValueOf(const Setting& s, const std::string& strWert) {
    if (s.pFlag) {
        if (strWert == "ja" || strWert == "1") return 1;
        if (strWert == "nein" || strWert == "0") return 0;
        return -1;
    }
    return strWert.size() == 1 && strWert[0] >= '0' && strWert[0] <= '9' ? strWert[0] - '0' : -1;
}

bool ParsePair(const std::string& strPair, SettingAssignment& out, std::string& strError) {
    const std::size_t nGleich = strPair.find('=');
    const Setting* pSetting = FindSetting(strPair.substr(0, nGleich));
    if (nGleich == std::string::npos || !pSetting) {
        strError =
            "Unbekannte Einstellung in \"" + strPair + "\" (möglich: " + SettingNames() + ").";
        return false;
    }
    out.strName = pSetting->szName;
    out.nValue = ValueOf(*pSetting, strPair.substr(nGleich + 1));
    if (out.nValue < 0) {
        strError = "Ungültiger Wert in \"" + strPair + "\" (" +
                   (pSetting->pFlag ? "ja oder nein" : "eine Ziffer 0 bis 9") + ").";
        return false;
    }
    return true;
}

} // namespace

std::string SettingNames() {
    std::string strNames;
    for (const Setting& s : kSettings)
        strNames += (strNames.empty() ? "" : ", ") + std::string(s.szName);
    return strNames;
}

bool ParseSettingAssignments(const std::string& strText, std::vector<SettingAssignment>& vecOut,
                             std::string& strError) {
    vecOut.clear();
    std::size_t nStart = 0;
    while (true) {
        const std::size_t nKomma = strText.find(',', nStart);
        SettingAssignment a;
        if (!ParsePair(strText.substr(nStart, nKomma - nStart), a, strError)) return false;
        vecOut.push_back(a);
        if (nKomma == std::string::npos) return true;
        nStart = nKomma + 1;
    }
}

void ApplySettingAssignments(const std::vector<SettingAssignment>& vec, CLUDefault& settings) {
    for (const SettingAssignment& a : vec) {
        const Setting& s = *FindSetting(a.strName);
        if (s.pFlag)
            (settings.*s.pFlag)(a.nValue != 0);
        else
            (settings.*s.pZahl)(a.nValue);
    }
}
