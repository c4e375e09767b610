#pragma once
// Data tables and the parent/child relations between them. The set refers to
// tables owned elsewhere (members of the same dialog).
#include "host/CString.h"

#include <vector>

class CWPFDataTable;

class CWPFDataSet {
public:
    struct Relation {
        CString strName;
        CWPFDataTable* pParent;
        CWPFDataTable* pChild;
        int nParentCol;
        int nChildCol;
    };

    // Adds the table under a name (its new name).
    void AddTable(CWPFDataTable& table, const CString& strName);
    CWPFDataTable* GetTable(const CString& strName) const; // nullptr when absent
    // Child rows belong to the parent row whose strParentCol equals their strChildCol.
    // False when a table is not in the set or a column is unknown.
    bool AddChildRelation(const CString& strName, CWPFDataTable& parent, CWPFDataTable& child,
                          const CString& strParentCol, const CString& strChildCol);
    const Relation* FindChildRelation(const CWPFDataTable& parent) const; // the first; nullptr
    void Clear();                                                         // the rows of every table

private:
    std::vector<CWPFDataTable*> m_vecTables;
    std::vector<Relation> m_vecRelations;
};
