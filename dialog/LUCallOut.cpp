#include "dialog/LUCallOut.h"

#include "dialog/LURowBuilder.h"

bool IstKfoPlan(const CLULabRech& r) {
    const CString strArt = r.m_cPlanArt > 0 ? LUPlanArtText(r.m_cPlanArt) : r.m_strZusatzText;
    return strArt.find("KFO") != CString::npos;
}
