#include "app/LuHitFile.h"

#include "core/File2LU.h"
#include "core/LU2File.h"
#include "core/LUSum.h"

namespace {

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
    CLU2File writer(leer, nullptr);
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
    return true;
}
