#include "app/LuHitFile.h"

#include "core/File2LU.h"
#include "core/LU2File.h"
#include "core/LUHitLine.h"
#include "core/LUSum.h"
#include "host/DBIniFile.h"
#include "host/stat/StatAccu.h"

#include <filesystem>

namespace {

constexpr const char* kMandantKey = "Mandant";

// The practice owner of a run travels in the selection file, so that the list is
// shown, and run again, for the owner it was made for. A run for all owners
// clears the key an earlier run left; files that never named one stay as they were.
class CLuHostWriter : public CLU2File {
public:
    using CLU2File::CLU2File;
    bool CreateMoreSelektions(const CString& strPath) override {
        if (!CLU2File::CreateMoreSelektions(strPath)) return false;
        const CString strMandant = m_pAccu ? m_pAccu->GetMandant() : CString();
        const CDBIniFile ini(strPath);
        if (strMandant.empty() && ini.ReadString(luhit::kSection, kMandantKey, "").empty())
            return true;
        return CDBIniFile::WriteOneString(strPath, luhit::kSection, kMandantKey, strMandant);
    }
};

LuMode ModeOf(const CFile2LU& reader) {
    if (reader.m_bIsLRechBez) return LuMode::Paid;
    if (reader.m_bIsLRech) return LuMode::Invoices;
    if (reader.m_bIsManLabRech) return LuMode::Manual;
    if (reader.m_bIsStornoLabRech) return LuMode::Cancelled;
    return LuMode::Services;
}

} // namespace

bool WriteLuHitFile(CLUSum& sum, CStatAccu& accu, LuMode eMode, const CLUDefault& settings,
                    const std::string& strDataDir, CString& strError) {
    CLUSum leer;
    CLuHostWriter writer(leer, nullptr);
    // A list of a year holds many thousand rows of some kilobytes each; swapping
    // the vectors hands them over without a copy.
    writer.m_LUSum.m_vecLabRech.swap(sum.m_vecLabRech);
    SetLuFileMode(writer, eMode, settings);
    const bool bOk = writer.Run(accu, strDataDir, strError);
    sum.m_vecLabRech.swap(writer.m_LUSum.m_vecLabRech);
    return bOk;
}

bool ReadLuHitFile(CLUSum& sum, CStatAccu& accu, const std::string& strDataDir, LuMode& eMode,
                   CString& strError) {
    CFile2LU reader(&sum, nullptr);
    if (!reader.Run(accu, strDataDir, strError)) return false;
    eMode = ModeOf(reader);
    const CDBIniFile ini((std::filesystem::path(strDataDir) / "vx_slu.sel").string());
    accu.SetMandant(ini.ReadString(luhit::kSection, kMandantKey, ""));
    return true;
}
