#pragma once
// What the parts of the demo-database writer share: the random source, the day
// calendar, the insert statements and the progress report.
#include "host/CString.h"
#include "host/db/DbConnection.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <random>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

namespace demo {

// Random numbers that are the same on every platform and library: the Mersenne
// twister's output is fixed by the standard, the distributions on top of it are not,
// so they are our own.
class CRandom {
public:
    explicit CRandom(unsigned nSeed) : m_gen(nSeed) {}
    // Uniform in [nLo, nHi]; nHi < nLo gives nLo.
    int Between(int nLo, int nHi);
    // True with a probability of nPromille / 1000.
    bool Chance(int nPromille) { return Between(0, 999) < nPromille; }
    // Index 0..n-1 drawn with the given relative weights.
    int Weighted(std::initializer_list<int> weights);
    int Weighted(std::span<const int> weights);
    template <typename T> const T& Pick(std::span<const T> pool) {
        return pool[static_cast<std::size_t>(Between(0, static_cast<int>(pool.size()) - 1))];
    }
    template <typename T> T Pick(std::initializer_list<T> pool) {
        return pool.begin()[Between(0, static_cast<int>(pool.size()) - 1)];
    }

private:
    std::mt19937 m_gen;
};

// Days as numbers (0 = 2018-01-01) up to the end of 2026, with their database dates.
class CDays {
public:
    CDays();
    static constexpr int Day(int nYear, int nMonth, int nDay) {
        using namespace std::chrono;
        const sys_days d{year{nYear} / month{static_cast<unsigned>(nMonth)} /
                         day{static_cast<unsigned>(nDay)}};
        return static_cast<int>((d - sys_days{year{2018} / January / 1}).count());
    }
    const CString& Text(int nDay) const; // "YYYYMMDD"
    int Year(int nDay) const;
    int Month(int nDay) const;
    int MonthEnd(int nDay) const; // last day of the day's month

    // VAT rates of a service day: 5 and 16 % for the second half of 2020, 7 and 19 %
    // otherwise.
    int ReducedRate(int nDay) const;
    int GeneralRate(int nDay) const;

private:
    std::vector<CString> m_vecText;
    int m_nSenkungAb;
    int m_nSenkungBis;
};

// The days the demo data cover.
constexpr int kFirstDay = CDays::Day(2019, 1, 1);
constexpr int kLastDay = CDays::Day(2025, 12, 31);

// A prepared INSERT for the named columns. The values are bound in column order by
// Text and Int; Run writes the row and starts the next one.
// Rows go to the database in groups of kRows, one statement per group, which
// saves a server most of its round trips. Flush writes the rows of a last,
// smaller group; rows not flushed are dropped with the object.
class CInsert {
public:
    static constexpr int kRows = 64;

    CInsert(IDbConnection& db, std::string_view strTable,
            std::initializer_list<std::string_view> columns);
    CInsert& Text(const CString& text); // Windows-1252, stored as UTF-8
    CInsert& Int(std::int64_t nValue);
    void Run(); // throws DbError when not every column got a value
    void Flush();

private:
    std::unique_ptr<IDbStatement> Statement(int nRows) const;
    void Write(IDbStatement& stmt);

    IDbConnection& m_db;
    std::string m_strHead, m_strRow; // "INSERT INTO t (a, b) VALUES ", "(?, ?)"
    std::unique_ptr<IDbStatement> m_stmtFull;
    std::vector<std::variant<std::string, std::int64_t>> m_vecValues; // of the rows waiting
    int m_nColumns;
    int m_nNext = 1;
};

// Calls the caller's progress function for every 1000th step and for the last one.
class CProgress {
public:
    CProgress(std::function<void(long, long)> fn, long nTotal)
        : m_fn(std::move(fn)), m_nTotal(nTotal) {}
    void Step();
    void Finish();

private:
    std::function<void(long, long)> m_fn;
    long m_nTotal;
    long m_nDone = 0;
};

struct CContext {
    IDbConnection& db;
    CRandom rnd;
    CDays days;
    CProgress progress;
};

// "e" followed by the cents right-aligned in ten places, the host's stored amount form.
CString AmountText(std::int64_t nCent);

} // namespace demo
