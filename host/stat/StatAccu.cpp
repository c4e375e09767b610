#include "host/stat/StatAccu.h"

#include <algorithm>

bool CStatAccu::FindMd(const CString& strMdId) const {
    return std::find(m_vecMandanten.begin(), m_vecMandanten.end(), strMdId) != m_vecMandanten.end();
}
