#include "host/gui/WPFNodeCache.h"

#include "host/gui/QtText.h"

void CWPFNodeCache::BuildNodeCache(QWidget* pRoot) {
    m_mapNodes.clear();
    if (!pRoot) return;
    m_mapNodes.emplace(FromQString(pRoot->objectName()), pRoot);
    for (QWidget* pWidget : pRoot->findChildren<QWidget*>()) {
        if (!pWidget->objectName().isEmpty())
            m_mapNodes.emplace(FromQString(pWidget->objectName()), pWidget);
    }
}

QWidget* CWPFNodeCache::FindNode(const CString& strName) const {
    const auto it = m_mapNodes.find(strName);
    return it == m_mapNodes.end() ? nullptr : it->second.data();
}
