#include "host/gui/WPFDataSet.h"

#include "host/gui/WPFDataTable.h"

#include <algorithm>

void CWPFDataSet::AddTable(CWPFDataTable& table, const CString& strName) {
    table.m_strName = strName;
    table.m_pDataSet = this;
    if (std::find(m_vecTables.begin(), m_vecTables.end(), &table) == m_vecTables.end())
        m_vecTables.push_back(&table);
}

CWPFDataTable* CWPFDataSet::GetTable(const CString& strName) const {
    for (CWPFDataTable* pTable : m_vecTables)
        if (pTable->GetName() == strName) return pTable;
    return nullptr;
}

bool CWPFDataSet::AddChildRelation(const CString& strName, CWPFDataTable& parent,
                                   CWPFDataTable& child, const CString& strParentCol,
                                   const CString& strChildCol) {
    const int nParentCol = parent.FindColumn(strParentCol);
    const int nChildCol = child.FindColumn(strChildCol);
    if (parent.GetDataSet() != this || child.GetDataSet() != this || nParentCol < 0 ||
        nChildCol < 0)
        return false;
    m_vecRelations.push_back(Relation{strName, &parent, &child, nParentCol, nChildCol});
    return true;
}

const CWPFDataSet::Relation* CWPFDataSet::FindChildRelation(const CWPFDataTable& parent) const {
    for (const Relation& relation : m_vecRelations)
        if (relation.pParent == &parent) return &relation;
    return nullptr;
}

void CWPFDataSet::Clear() {
    for (CWPFDataTable* pTable : m_vecTables)
        pTable->Clear();
}
