#pragma once
// Base of the record sets: one class per table, whose public members are the
// columns of the current record. A caller sets the key members, reads with
// GetByK1 and walks on with Next; Write and Delete work on the record the members
// describe. Record sets never throw: results are 0 for success and non-zero
// otherwise, the text of a database fault stays in GetLastError().
//
// A subclass lists its table, its columns with the members they fill and its key
// columns once, in its constructor (Define); the SQL is built from that list and
// every statement is prepared once per record-set object and then reused.
#include "host/CString.h"
#include "host/db/Database.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

class CTKRSet : private IDbStatementCache {
public:
    static constexpr int kOk = 0;
    static constexpr int kNotFound = 100; // no record, or no further record
    static constexpr int kError = -1;     // database fault, see GetLastError()

    // Match modes of GetByK1.
    static constexpr int kExact = 0;   // the record with exactly the key members' values
    static constexpr int kFromKey = 2; // the first record at or after them in key order

    explicit CTKRSet(CDatabase* pDb = &dbDatabaseRO);
    virtual ~CTKRSet();
    CTKRSet(const CTKRSet&) = delete; // members are bound by address
    CTKRSet& operator=(const CTKRSet&) = delete;

    // Cursors only ever move forward here, so the hint changes nothing.
    void SetForwardOnly(bool) {}
    // Empties every member and ends a running query.
    void Reset();
    // Loads the record found by the key members. An exact match ends the query at
    // once; from the key on, Next continues in key order. The members keep their
    // values when nothing is found.
    int GetByK1(int nMatchMode);
    // Loads the next record of the running query; non-zero at its end.
    int Next();
    // Inserts the record, or replaces the one with the same key. Fails on a
    // read-only connection. The text is accepted for callers that pass one.
    int Write(const CString& strInfo = "");
    // Deletes the record with the key members' values; a missing one is no error.
    int Delete();

    const CString& GetLastError() const { return m_strLastError; }
    CDatabase* GetDatabase() const { return m_pDb; }

protected:
    using Member = std::variant<CString*, std::int64_t*, int*>;
    struct Field {
        const char* szColumn;
        Member pMember;
    };
    // Called once by each subclass constructor; the key columns must be among the
    // fields, in the order of the table's primary key.
    void Define(const char* szTable, std::vector<Field> vecFields, std::vector<const char*> vecKey);

    // Runs "SELECT <all columns> FROM <table> WHERE <sqlWhereAndOrder>" with the
    // texts bound to its "?" in order and loads the first record; Next continues.
    // The SQL text must be a constant of the subclass: values go into params.
    // The rows are fetched in batches (IDbConnection::PrepareCursor).
    int Query(const std::string& sqlWhereAndOrder, std::vector<CString> params);
    // The same for a query of a few rows, which a server sends in one answer.
    int QueryFew(const std::string& sqlWhereAndOrder, std::vector<CString> params);
    // The same for lookups of one record: loads the first and ends the query at
    // once, so that the connection holds no read snapshot afterwards.
    int QueryOne(const std::string& sqlWhereAndOrder, std::vector<CString> params);

private:
    enum Stmt { kSelExact, kSelFromKey, kUpsert, kDelete, kStmtCount };

    std::size_t FieldIndex(std::string_view column) const;
    void BuildSql();
    void ReleaseStatements() override;
    template <typename Fn> int Guarded(Fn&& fn);
    IDbStatement& Ready(Stmt eStmt);
    IDbStatement& ReadyQuery(const std::string& sqlWhereAndOrder,
                             const std::vector<CString>& params, bool bCursor);
    static void Bind(IDbStatement& stmt, int nIndex, const Member& member);
    void BindKey(IDbStatement& stmt) const;
    void Load(IDbStatement& stmt);
    int StepCursor();
    int FetchOne(IDbStatement& stmt);
    void CloseCursor();

    CDatabase* m_pDb;
    const char* m_szTable = "";
    std::vector<Field> m_vecFields;
    std::vector<std::size_t> m_vecKey; // indices into m_vecFields
    std::string m_strSelect;           // SELECT <all columns> FROM <table>
    std::array<std::string, kStmtCount> m_arrSql;
    std::array<std::unique_ptr<IDbStatement>, kStmtCount> m_arrStmt;
    // By WHERE text, "*" before it for the cursor of a query.
    std::map<std::string, std::unique_ptr<IDbStatement>> m_mapQueries;
    IDbStatement* m_pCursor = nullptr;                                 // the running query, if any
    CString m_strLastError;
};

// Lends record sets shared by the whole program, so that code called per hit does
// not build a record set (and prepare its statements) each time. A record set is
// lent to one caller at a time; the pool grows to the number lent at once.
template <class T> class CAutoRSet {
public:
    // nTyp is accepted for callers that pass one; bWrite lends a record set on the
    // writing connection.
    static T* GetRSet(int /*nTyp*/, bool bWrite) {
        std::vector<Entry>& pool = Pool(bWrite);
        for (Entry& entry : pool) {
            if (!entry.bLent) {
                entry.bLent = true;
                return entry.pRSet.get();
            }
        }
        pool.push_back({std::make_unique<T>(bWrite ? &dbDatabase : &dbDatabaseRO), true});
        return pool.back().pRSet.get();
    }
    // Takes a lent record set back (Reset first); other pointers are ignored.
    static void ReleaseRSet(T* pRSet) {
        for (bool bWrite : {false, true}) {
            for (Entry& entry : Pool(bWrite)) {
                if (entry.pRSet.get() == pRSet && entry.bLent) {
                    pRSet->Reset();
                    entry.bLent = false;
                    return;
                }
            }
        }
    }

private:
    struct Entry {
        std::unique_ptr<T> pRSet;
        bool bLent = false;
    };
    static std::vector<Entry>& Pool(bool bWrite) {
        static std::vector<Entry> ro, rw;
        return bWrite ? rw : ro;
    }
};
