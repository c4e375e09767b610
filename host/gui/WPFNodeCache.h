#pragma once
// The named elements of a loaded layout, looked up by exact name.
#include "host/CString.h"

#include <QPointer>
#include <QWidget>
#include <unordered_map>

class CWPFNodeCache {
public:
    // Takes the root and every named widget below it; the first of equal names wins.
    void BuildNodeCache(QWidget* pRoot);
    void ClearNodeCache() { m_mapNodes.clear(); }
    QWidget* FindNode(const CString& strName) const; // nullptr when absent

protected:
    ~CWPFNodeCache() = default;

private:
    std::unordered_map<CString, QPointer<QWidget>> m_mapNodes;
};
