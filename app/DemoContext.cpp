#include "app/DemoContext.h"

#include "host/Betrag.h"
#include "host/Cp1252.h"
#include "host/TextUtil.h"

#include <numeric>

namespace demo {

namespace {
using namespace std::chrono;
constexpr sys_days kDayZero = sys_days{2018y / January / 1};
constexpr sys_days kDayEnd = sys_days{2026y / December / 31};
} // namespace

int CRandom::Between(int nLo, int nHi) {
    if (nHi <= nLo) return nLo;
    const auto nRange = static_cast<std::uint64_t>(static_cast<std::int64_t>(nHi) - nLo + 1);
    // Multiply-shift maps the 32 random bits onto the range; the bias is far below
    // anything demo data could show.
    return nLo + static_cast<int>((static_cast<std::uint64_t>(m_gen()) * nRange) >> 32);
}

int CRandom::Weighted(std::initializer_list<int> weights) {
    return Weighted(std::span<const int>(weights.begin(), weights.size()));
}

int CRandom::Weighted(std::span<const int> weights) {
    const int nSum = std::accumulate(weights.begin(), weights.end(), 0);
    int n = Between(0, nSum - 1);
    for (std::size_t i = 0; i < weights.size(); ++i) {
        if (n < weights[i]) return static_cast<int>(i);
        n -= weights[i];
    }
    return static_cast<int>(weights.size()) - 1;
}

CDays::CDays() {
    for (sys_days d = kDayZero; d <= kDayEnd; d += days{1}) {
        const year_month_day ymd{d};
        m_vecText.push_back(Format("%04d%02u%02u", static_cast<int>(ymd.year()),
                                   static_cast<unsigned>(ymd.month()),
                                   static_cast<unsigned>(ymd.day())));
    }
    m_nSenkungAb = Day(2020, 7, 1);
    m_nSenkungBis = Day(2020, 12, 31);
}

const CString& CDays::Text(int nDay) const {
    return m_vecText.at(static_cast<std::size_t>(nDay));
}

int CDays::Year(int nDay) const {
    return static_cast<int>(LeadingInt(Text(nDay).substr(0, 4)));
}

int CDays::Month(int nDay) const {
    return static_cast<int>(LeadingInt(Text(nDay).substr(4, 2)));
}

int CDays::MonthEnd(int nDay) const {
    const int nMonth = Month(nDay);
    return nMonth == 12 ? Day(Year(nDay) + 1, 1, 1) - 1 : Day(Year(nDay), nMonth + 1, 1) - 1;
}

int CDays::ReducedRate(int nDay) const {
    return nDay >= m_nSenkungAb && nDay <= m_nSenkungBis ? 5 : 7;
}

int CDays::GeneralRate(int nDay) const {
    return nDay >= m_nSenkungAb && nDay <= m_nSenkungBis ? 16 : 19;
}

CInsert::CInsert(IDbConnection& db, std::string_view strTable,
                 std::initializer_list<std::string_view> columns)
    : m_db(db), m_nColumns(static_cast<int>(columns.size())) {
    m_strHead = "INSERT INTO ";
    m_strHead += strTable;
    m_strHead += " (";
    m_strRow = "(";
    for (std::string_view col : columns) {
        if (m_strRow.size() > 1) m_strHead += ", ", m_strRow += ", ";
        m_strHead += col;
        m_strRow += "?";
    }
    m_strHead += ") VALUES ";
    m_strRow += ")";
    m_vecValues.reserve(static_cast<std::size_t>(kRows * m_nColumns));
}

std::unique_ptr<IDbStatement> CInsert::Statement(int nRows) const {
    std::string sql = m_strHead;
    for (int i = 0; i < nRows; ++i)
        sql += (i ? ", " : "") + m_strRow;
    return m_db.Prepare(sql);
}

CInsert& CInsert::Text(const CString& text) {
    m_vecValues.emplace_back(IsAscii(text) ? std::string(text) : Cp1252ToUtf8(text));
    ++m_nNext;
    return *this;
}

CInsert& CInsert::Int(std::int64_t nValue) {
    m_vecValues.emplace_back(nValue);
    ++m_nNext;
    return *this;
}

void CInsert::Run() {
    if (m_nNext != m_nColumns + 1)
        throw DbError(Format("Datensatz mit %d statt %d Werten", m_nNext - 1, m_nColumns));
    m_nNext = 1;
    if (m_vecValues.size() < static_cast<std::size_t>(kRows * m_nColumns)) return;
    if (!m_stmtFull) m_stmtFull = Statement(kRows);
    Write(*m_stmtFull);
}

void CInsert::Flush() {
    if (m_vecValues.empty()) return;
    Write(*Statement(static_cast<int>(m_vecValues.size()) / m_nColumns));
}

void CInsert::Write(IDbStatement& stmt) {
    int n = 1;
    for (const auto& value : m_vecValues) {
        if (const auto* pText = std::get_if<std::string>(&value))
            stmt.BindText(n++, *pText);
        else
            stmt.BindInt(n++, std::get<std::int64_t>(value));
    }
    stmt.Step();
    stmt.Reset();
    m_vecValues.clear();
}

void CProgress::Step() {
    ++m_nDone;
    if (m_fn && (m_nDone % 1000 == 0 || m_nDone == m_nTotal)) m_fn(m_nDone, m_nTotal);
}

void CProgress::Finish() {
    if (m_fn && m_nDone != m_nTotal) m_fn(m_nTotal, m_nTotal);
}

CString AmountText(std::int64_t nCent) {
    return CWBetragBasis::FromCent(nCent).ToDb();
}

} // namespace demo
