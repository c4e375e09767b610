#include "host/db/TKRSet.h"

#include "host/Cp1252.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

namespace {

std::string Join(const std::vector<std::string>& parts, const char* szSep) {
    std::string out;
    for (const std::string& part : parts)
        out += (out.empty() ? "" : szSep) + part;
    return out;
}

} // namespace

// Every public operation runs here: a fault becomes kError with its text kept,
// and every statement is reset so that none keeps a read snapshot open.
template <typename Fn> int CTKRSet::Guarded(Fn&& fn) {
    m_strLastError.clear();
    try {
        return fn();
    } catch (const std::exception& e) {
        m_strLastError = Utf8ToCp1252(e.what());
        m_pCursor = nullptr;
        for (auto& pStmt : m_arrStmt)
            if (pStmt) pStmt->Reset();
        for (auto& [sql, pStmt] : m_mapQueries)
            if (pStmt) pStmt->Reset();
        return kError;
    }
}

CTKRSet::CTKRSet(CDatabase* pDb) : m_pDb(pDb ? pDb : &dbDatabaseRO) {
    m_pDb->AddCache(this);
}

CTKRSet::~CTKRSet() {
    ReleaseStatements();
    m_pDb->RemoveCache(this);
}

void CTKRSet::Define(const char* szTable, std::vector<Field> vecFields,
                     std::vector<const char*> vecKey) {
    m_szTable = szTable;
    m_vecFields = std::move(vecFields);
    for (const char* szKey : vecKey)
        m_vecKey.push_back(FieldIndex(szKey));
    BuildSql();
}

std::size_t CTKRSet::FieldIndex(std::string_view column) const {
    for (std::size_t i = 0; i < m_vecFields.size(); ++i)
        if (m_vecFields[i].szColumn == column) return i;
    throw std::logic_error("key column " + std::string(column) + " is no field of " + m_szTable);
}

void CTKRSet::BuildSql() {
    std::vector<std::string> cols, keys, keyEq, updates;
    for (const Field& field : m_vecFields)
        cols.emplace_back(field.szColumn);
    for (std::size_t i : m_vecKey) {
        keys.push_back(cols[i]);
        keyEq.push_back(cols[i] + " = ?");
    }
    for (const std::string& col : cols)
        if (std::find(keys.begin(), keys.end(), col) == keys.end())
            updates.push_back(col + " = excluded." + col);
    const std::string table(m_szTable), colList = Join(cols, ", "), keyList = Join(keys, ", ");
    const std::string keyMarks = Join(std::vector<std::string>(keys.size(), "?"), ", ");

    m_strSelect = "SELECT " + colList + " FROM " + table;
    m_arrSql[kSelExact] = m_strSelect + " WHERE " + Join(keyEq, " AND ");
    // A row-value comparison walks the primary key's index in key order.
    m_arrSql[kSelFromKey] =
        m_strSelect + " WHERE (" + keyList + ") >= (" + keyMarks + ") ORDER BY " + keyList;
    m_arrSql[kUpsert] = "INSERT INTO " + table + " (" + colList + ") VALUES (" +
                        Join(std::vector<std::string>(cols.size(), "?"), ", ") + ") ON CONFLICT (" +
                        keyList + ") DO " +
                        (updates.empty() ? "NOTHING" : "UPDATE SET " + Join(updates, ", "));
    m_arrSql[kDelete] = "DELETE FROM " + table + " WHERE " + Join(keyEq, " AND ");
}

void CTKRSet::Reset() {
    CloseCursor();
    for (Field& field : m_vecFields)
        std::visit([](auto* p) { *p = {}; }, field.pMember);
}

int CTKRSet::GetByK1(int nMatchMode) {
    return Guarded([&] {
        CloseCursor();
        if (nMatchMode != kExact && nMatchMode != kFromKey)
            throw DbError("Unbekannter Suchmodus " + std::to_string(nMatchMode));
        if (nMatchMode == kExact) {
            IDbStatement& stmt = Ready(kSelExact);
            BindKey(stmt);
            return FetchOne(stmt);
        }
        IDbStatement& stmt = Ready(kSelFromKey);
        BindKey(stmt);
        m_pCursor = &stmt;
        return StepCursor();
    });
}

int CTKRSet::Next() {
    if (!m_pCursor) return kNotFound;
    return Guarded([&] { return StepCursor(); });
}

int CTKRSet::Write(const CString& /*strInfo*/) {
    return Guarded([&] {
        if (m_pDb->Conn().IsReadOnly())
            throw DbError(std::string("Die Tabelle ") + m_szTable +
                          " kann nicht geschrieben werden: die Praxisdatenbank ist "
                          "schreibgeschützt geöffnet (" +
                          m_pDb->Conn().Description() + ")");
        IDbStatement& stmt = Ready(kUpsert);
        for (std::size_t i = 0; i < m_vecFields.size(); ++i)
            Bind(stmt, static_cast<int>(i + 1), m_vecFields[i].pMember);
        stmt.Step();
        stmt.Reset();
        return kOk;
    });
}

int CTKRSet::Delete() {
    return Guarded([&] {
        IDbStatement& stmt = Ready(kDelete);
        BindKey(stmt);
        stmt.Step();
        stmt.Reset();
        return kOk;
    });
}

int CTKRSet::Query(const std::string& sqlWhereAndOrder, std::vector<CString> params) {
    return Guarded([&] {
        CloseCursor();
        m_pCursor = &ReadyQuery(sqlWhereAndOrder, params, true);
        return StepCursor();
    });
}

int CTKRSet::QueryFew(const std::string& sqlWhereAndOrder, std::vector<CString> params) {
    return Guarded([&] {
        CloseCursor();
        m_pCursor = &ReadyQuery(sqlWhereAndOrder, params, false);
        return StepCursor();
    });
}

int CTKRSet::QueryOne(const std::string& sqlWhereAndOrder, std::vector<CString> params) {
    return Guarded([&] {
        CloseCursor();
        return FetchOne(ReadyQuery(sqlWhereAndOrder, params, false));
    });
}

void CTKRSet::ReleaseStatements() {
    m_pCursor = nullptr;
    for (auto& pStmt : m_arrStmt)
        pStmt.reset();
    m_mapQueries.clear();
}

void CTKRSet::Bind(IDbStatement& stmt, int nIndex, const Member& member) {
    if (auto* pStr = std::get_if<CString*>(&member))
        stmt.BindText(nIndex, Cp1252ToUtf8(**pStr));
    else if (auto* pInt64 = std::get_if<std::int64_t*>(&member))
        stmt.BindInt(nIndex, **pInt64);
    else
        stmt.BindInt(nIndex, *std::get<int*>(member));
}

IDbStatement& CTKRSet::Ready(Stmt eStmt) {
    std::unique_ptr<IDbStatement>& pStmt = m_arrStmt[eStmt];
    if (!pStmt)
        pStmt = eStmt == kSelFromKey ? m_pDb->Conn().PrepareCursor(m_arrSql[eStmt])
                                     : m_pDb->Conn().Prepare(m_arrSql[eStmt]);
    pStmt->Reset();
    return *pStmt;
}

IDbStatement& CTKRSet::ReadyQuery(const std::string& sqlWhereAndOrder,
                                  const std::vector<CString>& params, bool bCursor) {
    std::unique_ptr<IDbStatement>& pStmt =
        m_mapQueries[bCursor ? "*" + sqlWhereAndOrder : sqlWhereAndOrder];
    if (!pStmt) {
        const std::string sql = m_strSelect + " WHERE " + sqlWhereAndOrder;
        pStmt = bCursor ? m_pDb->Conn().PrepareCursor(sql) : m_pDb->Conn().Prepare(sql);
    }
    pStmt->Reset();
    for (std::size_t i = 0; i < params.size(); ++i)
        pStmt->BindText(static_cast<int>(i + 1), Cp1252ToUtf8(params[i]));
    return *pStmt;
}

void CTKRSet::BindKey(IDbStatement& stmt) const {
    for (std::size_t i = 0; i < m_vecKey.size(); ++i)
        Bind(stmt, static_cast<int>(i + 1), m_vecFields[m_vecKey[i]].pMember);
}

void CTKRSet::Load(IDbStatement& stmt) {
    for (std::size_t i = 0; i < m_vecFields.size(); ++i) {
        const int nCol = static_cast<int>(i);
        const Member& member = m_vecFields[i].pMember;
        if (auto* pStr = std::get_if<CString*>(&member))
            **pStr = Utf8ToCp1252(stmt.ColumnText(nCol));
        else if (auto* pInt64 = std::get_if<std::int64_t*>(&member))
            **pInt64 = stmt.ColumnInt(nCol);
        else
            *std::get<int*>(member) = static_cast<int>(stmt.ColumnInt(nCol));
    }
}

int CTKRSet::StepCursor() {
    if (m_pCursor->Step()) {
        Load(*m_pCursor);
        return kOk;
    }
    CloseCursor();
    return kNotFound;
}

int CTKRSet::FetchOne(IDbStatement& stmt) {
    const bool bFound = stmt.Step();
    if (bFound) Load(stmt);
    stmt.Reset();
    return bFound ? kOk : kNotFound;
}

void CTKRSet::CloseCursor() {
    if (m_pCursor) m_pCursor->Reset();
    m_pCursor = nullptr;
}
