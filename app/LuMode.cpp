#include "app/LuMode.h"

#include "core/LU2File.h"
#include "core/LUDefault.h"
#include "host/Cp1252.h"

#include <array>

namespace {

struct CModeInfo {
    LuMode eMode;
    const char* pszName;
    const char* pszTitelUtf8;
    int nListIdx; // entry of the settings' selection list ("LabRechModus")
};

// The entries of the settings' list "Laborrechnungen selektieren nach": the paid
// invoices are entry 2, the entry that offers the option for 100 % cases.
constexpr std::array<CModeInfo, 5> kModes = {{
    {LuMode::Services, "services", "Laborleistungen", 0},
    {LuMode::Invoices, "invoices", "Laborrechnungen", 1},
    {LuMode::Paid, "paid", "bezahlte Laborrechnungen", 2},
    {LuMode::Cancelled, "cancelled", "stornierte Laborrechnungen", 3},
    {LuMode::Manual, "manual", "fiktive Laborrechnungen", 4},
}};

const CModeInfo& Info(LuMode eMode) {
    for (const CModeInfo& info : kModes)
        if (info.eMode == eMode) return info;
    return kModes[1];
}

} // namespace

bool ParseLuMode(const std::string& strName, LuMode& eMode) {
    for (const CModeInfo& info : kModes) {
        if (strName == info.pszName) {
            eMode = info.eMode;
            return true;
        }
    }
    return false;
}

bool LuModeOfListIdx(int nListIdx, LuMode& eMode) {
    for (const CModeInfo& info : kModes) {
        if (info.nListIdx == nListIdx) {
            eMode = info.eMode;
            return true;
        }
    }
    return false;
}

int LuModeListIdx(LuMode eMode) {
    return Info(eMode).nListIdx;
}

const char* LuModeName(LuMode eMode) {
    return Info(eMode).pszName;
}

CString LuModeTitel(LuMode eMode) {
    return Utf8ToCp1252(Info(eMode).pszTitelUtf8);
}

CLUDefault LuModeSettings(LuMode eMode, const CLUDefault& settings) {
    CLUDefault d = settings;
    if (eMode != LuMode::Services) d.SetStetsLstDatum(false);
    if (eMode != LuMode::Invoices) d.SetLabRechDatumIdx(0);
    return d;
}

void SetLuFileMode(CLU2File& writer, LuMode eMode, const CLUDefault& settings) {
    const CLUDefault d = LuModeSettings(eMode, settings);
    writer.m_bIsLRech = eMode == LuMode::Invoices;
    writer.m_bIsLRechBez = eMode == LuMode::Paid;
    writer.m_bIsManLabRech = eMode == LuMode::Manual;
    writer.m_bIsStornoLabRech = eMode == LuMode::Cancelled;
    writer.m_nLabRechModus = LuModeListIdx(eMode);
    writer.m_bIsStetsLabRgNr = d.GetStetsLabRgNr();
    // The technical-material columns exist only for invoices by invoice date.
    writer.m_bIsMitTechnMat =
        eMode == LuMode::Invoices && d.GetLabRechDatumIdx() == 0 && d.GetMitTechnMat();
}
