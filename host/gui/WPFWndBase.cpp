#include "host/gui/WPFWndBase.h"

#include "host/gui/WPFButtonBar.h"

void CWPFWndBase::SetIsEnabled(int nButton, bool bEnabled) {
    m_mapEnabled[nButton] = bEnabled;
    if (m_pButtonBar) m_pButtonBar->SetButtonEnabled(nButton, bEnabled);
}

bool CWPFWndBase::GetIsEnabled(int nButton) const {
    const auto it = m_mapEnabled.find(nButton);
    return it == m_mapEnabled.end() || it->second;
}
