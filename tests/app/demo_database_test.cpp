// The demo-database writer: reproducible content, no overwriting, and data that fit
// together the way the evaluations read them.
#include "app/DemoDatabase.h"
#include "host/Betrag.h"
#include "host/Cp1252.h"
#include "host/TextUtil.h"
#include "host/db/DbConnection.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <stdexcept>
#include <tuple>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class TempDir {
public:
    TempDir() {
        std::random_device rd;
        m_dir = fs::temp_directory_path() /
                ("vxstat-demo-" + std::to_string(rd()) + std::to_string(rd()));
        fs::create_directories(m_dir);
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }
    std::string File(const char* name) const { return (m_dir / name).string(); }

private:
    fs::path m_dir;
};

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::unique_ptr<IDbConnection> Open(const std::string& path) {
    return OpenSqliteConnection(path, true, false);
}

std::int64_t Scalar(IDbConnection& db, const std::string& sql) {
    auto stmt = db.Prepare(sql);
    return stmt->Step() ? stmt->ColumnInt(0) : -1;
}

std::set<std::string> Distinct(IDbConnection& db, const std::string& sql) {
    std::set<std::string> out;
    for (auto stmt = db.Prepare(sql); stmt->Step();)
        out.emplace(stmt->ColumnText(0));
    return out;
}

// FNV-1a over every value of every table, rows in insertion order.
std::uint64_t Checksum(const std::string& path) {
    auto db = Open(path);
    std::uint64_t h = 1469598103934665603ull;
    auto add = [&](std::string_view text) {
        for (char c : text)
            h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        h = (h ^ 0xFF) * 1099511628211ull;
    };
    for (const std::string& table :
         Distinct(*db, "SELECT name FROM sqlite_master WHERE type = 'table'")) {
        std::string cols;
        auto info = db->Prepare("SELECT name FROM pragma_table_info(?)");
        info->BindText(1, table);
        while (info->Step())
            cols += (cols.empty() ? "" : " || '|' || ") +
                    ("quote(" + std::string(info->ColumnText(0)) + ")");
        add(table);
        for (auto rows = db->Prepare("SELECT " + cols + " FROM " + table + " ORDER BY 1");
             rows->Step();)
            add(rows->ColumnText(0));
    }
    return h;
}

bool Write(const std::string& path, int nInvoices, unsigned nSeed, CString* pError = nullptr,
           std::function<void(long, long)> progress = {}) {
    CString strError;
    const bool ok = WriteDemoDatabase(path, {nInvoices, nSeed}, strError, std::move(progress));
    if (pError) *pError = strError;
    return ok;
}

TEST(DemoDatabase, SameSeedGivesSameContentOtherSeedDiffers) {
    TempDir dir;
    long nLastDone = 0, nLastTotal = -1;
    ASSERT_TRUE(Write(dir.File("a.db"), 300, 7, nullptr, [&](long done, long total) {
        EXPECT_GE(done, nLastDone);
        nLastDone = done, nLastTotal = total;
    }));
    ASSERT_TRUE(Write(dir.File("b.db"), 300, 7));
    ASSERT_TRUE(Write(dir.File("c.db"), 300, 8));
    EXPECT_EQ(Checksum(dir.File("a.db")), Checksum(dir.File("b.db")));
    EXPECT_NE(Checksum(dir.File("a.db")), Checksum(dir.File("c.db")));
    EXPECT_EQ(nLastDone, nLastTotal);
}

TEST(DemoDatabase, RefusesAnExistingFileAndLeavesItAlone) {
    TempDir dir;
    const std::string path = dir.File("praxis.db");
    std::ofstream(path, std::ios::binary) << "keine Datenbank\n\xFC";
    CString strError;
    EXPECT_FALSE(Write(path, 50, 1, &strError));
    EXPECT_NE(strError.find(path), CString::npos) << strError;
    EXPECT_EQ(ReadAll(path), "keine Datenbank\n\xFC");
}

// The files of a folder by name.
std::set<std::string> Names(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.insert(entry.path().filename().string());
    return names;
}

// An interrupted run leaves nothing under the real name, not even while it runs:
// a half database would be refused by the next run and read as empty by a pass.
TEST(DemoDatabase, UnfinishedDatabaseNeverCarriesTheRealNameAndIsRemoved) {
    TempDir dir;
    const std::string path = dir.File("abbruch.db");
    CString strError;
    bool bSeenWhileWriting = false;
    EXPECT_FALSE(Write(path, 3000, 1, &strError, [&](long done, long) {
        bSeenWhileWriting = bSeenWhileWriting || fs::exists(path);
        if (done > 100) throw std::runtime_error("abgebrochen");
    }));
    EXPECT_FALSE(bSeenWhileWriting);
    EXPECT_TRUE(Names(fs::path(path).parent_path()).empty());
    EXPECT_NE(strError.find(path), CString::npos) << strError;
    EXPECT_NE(strError.find("abgebrochen"), CString::npos) << strError;
    // The next run is not blocked.
    EXPECT_TRUE(Write(path, 50, 1, &strError)) << strError;
}

// A run that was killed leaves its temporary behind; the next run clears it away
// and is not blocked by it, while one of a run still going on stays.
TEST(DemoDatabase, TemporaryOfAKilledRunDoesNotBlockTheNextOne) {
    TempDir dir;
    const std::string path = dir.File("praxis.db");
    const fs::path folder = fs::path(path).parent_path();
    const std::string strKilled = path + ".999999999.unfertig"; // no such process
    const std::string strRunning = path + "." + std::to_string(::getppid()) + ".unfertig";
    const std::string strOwn = path + "." + std::to_string(::getpid()) + ".unfertig";
    for (const std::string& name : {strKilled, strRunning, strOwn})
        std::ofstream(name, std::ios::binary) << "halb";
    std::ofstream(strKilled + "-journal", std::ios::binary) << "halb";
    CString strError;
    ASSERT_TRUE(Write(path, 50, 1, &strError)) << strError;
    EXPECT_EQ(Names(folder), (std::set<std::string>{"praxis.db", fs::path(strRunning).filename()}));
    EXPECT_EQ(Scalar(*Open(path), "SELECT count(*) FROM fakt"), 50);
}

// One database of the default size, shared by the content checks.
class DemoContent : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = new TempDir;
        CString strError;
        ASSERT_TRUE(WriteDemoDatabase(s_dir->File("praxis.db"), DemoOptions{}, strError))
            << strError;
        s_db = Open(s_dir->File("praxis.db")).release();
    }
    static void TearDownTestSuite() {
        delete s_db;
        delete s_dir;
    }
    std::int64_t Count(const std::string& sql) { return Scalar(*s_db, sql); }

    static inline TempDir* s_dir = nullptr;
    static inline IDbConnection* s_db = nullptr;
};

TEST_F(DemoContent, EveryPlanKindAmountKindAndRateOccurs) {
    ASSERT_NE(s_db, nullptr);
    EXPECT_EQ(Count("SELECT count(*) FROM fakt"), DemoOptions{}.nInvoices);
    EXPECT_EQ(Count("SELECT count(*) FROM parpool"), 0);
    const std::set<std::string> kinds = {"c", "z", "k", "b", "p", "i", "2", "e"};
    EXPECT_EQ(Distinct(*s_db, "SELECT plan_art FROM plan"), kinds);
    EXPECT_EQ(Distinct(*s_db, "SELECT flag1 FROM beh WHERE fakt_key <> ''"), kinds);
    EXPECT_EQ(Distinct(*s_db, "SELECT art FROM beh WHERE fakt_key <> ''"),
              (std::set<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9"}));
    EXPECT_GT(Count("SELECT count(*) FROM beh WHERE art = '7' AND sub_art BETWEEN '1' AND '9'"), 0);
    EXPECT_GT(Count("SELECT count(*) FROM beh WHERE art = '7' AND sub_art NOT BETWEEN '1' AND '9'"),
              0);
    EXPECT_EQ(Distinct(*s_db, "SELECT mwst_satz FROM beh WHERE fakt_key <> ''"),
              (std::set<std::string>{"0", "5", "7", "16", "19"}));
    // 5 and 16 % exactly for services of the second half of 2020.
    EXPECT_EQ(Count("SELECT count(*) FROM beh WHERE mwst_satz > 0 AND (mwst_satz IN (5, 16)) <> "
                    "(datum BETWEEN '20200701' AND '20201231')"),
              0);
    EXPECT_GT(Count("SELECT count(*) FROM beh WHERE flag2 = '1'"), 0);
    EXPECT_GT(Count("SELECT count(*) FROM beh WHERE liq_nr1 <> '' AND liq_nr2 <> ''"), 0);
}

TEST_F(DemoContent, AllThreeCancellationTypesOccurIn2023AndEachOfItsMonths) {
    ASSERT_NE(s_db, nullptr);
    std::vector<std::pair<std::string, std::string>> periods = {{"20230101", "20231231"}};
    for (int m = 1; m <= 12; ++m)
        periods.emplace_back(Format("2023%02d01", m), Format("2023%02d31", m));
    for (const auto& [ab, bis] : periods) {
        const std::string in = " BETWEEN '" + ab + "' AND '" + bis + "'";
        EXPECT_GT(
            Count("SELECT count(*) FROM fakt WHERE datum < '" + ab + "' AND storno_datum" + in), 0)
            << ab;
        EXPECT_GT(Count("SELECT count(*) FROM fakt WHERE datum" + in + " AND storno_datum" + in), 0)
            << ab;
        EXPECT_GT(Count("SELECT count(*) FROM fakt WHERE datum" + in + " AND storno_datum > '" +
                        bis + "'"),
                  0)
            << ab;
    }
    EXPECT_EQ(Count("SELECT count(*) FROM fakt WHERE storno_datum <> '' AND storno_datum <= datum"),
              0);
}

TEST_F(DemoContent, RunningNumbersOnlyAfter2019AndInDateOrder) {
    ASSERT_NE(s_db, nullptr);
    EXPECT_EQ(Count("SELECT count(*) FROM fakt WHERE jahr <> substr(datum, 1, 4)"), 0);
    EXPECT_GT(Count("SELECT count(*) FROM fakt WHERE jahr = '2019'"), 0);
    EXPECT_EQ(Count("SELECT count(*) FROM fakt WHERE jahr = '2019' AND lfd_nr || prefix <> ''"), 0);
    EXPECT_EQ(Count("SELECT count(*) FROM fakt WHERE jahr > '2019' AND lfd_nr = ''"), 0);
    // Per owner and year the numbers are 1..n without gaps and follow the dates.
    EXPECT_EQ(Count("SELECT count(*) FROM (SELECT count(*) n, count(DISTINCT lfd_nr) d, "
                    "max(CAST(lfd_nr AS INTEGER)) m FROM fakt WHERE jahr > '2019' "
                    "GROUP BY md_id, jahr) WHERE n <> d OR n <> m"),
              0);
    EXPECT_EQ(Count("SELECT count(*) FROM fakt f JOIN fakt g ON f.md_id = g.md_id AND "
                    "f.jahr = g.jahr AND f.jahr > '2019' AND "
                    "CAST(f.lfd_nr AS INTEGER) < CAST(g.lfd_nr AS INTEGER) AND f.datum > g.datum"),
              0);
}

TEST_F(DemoContent, GermanTextsAreStoredAsUtf8) {
    ASSERT_NE(s_db, nullptr);
    CString all;
    for (auto stmt = s_db->Prepare("SELECT name || vorname FROM pat UNION ALL SELECT text FROM "
                                   "beh UNION ALL SELECT strasse || ort FROM adr");
         stmt->Step();) {
        std::size_t nReplaced = 0;
        all += Utf8ToCp1252(stmt->ColumnText(0), &nReplaced);
        ASSERT_EQ(nReplaced, 0u) << stmt->ColumnText(0);
    }
    for (const char* c : {"\xFC", "\xF6", "\xE4", "\xDF"})
        EXPECT_NE(all.find(c), CString::npos) << c;
    EXPECT_GT(Count("SELECT count(*) FROM pat WHERE name = '" + Cp1252ToUtf8("M\xFCller") + "'"),
              0);
}

TEST_F(DemoContent, ReferencesResolve) {
    ASSERT_NE(s_db, nullptr);
    EXPECT_EQ(Count("SELECT count(*) FROM fakt f LEFT JOIN plan p USING (pat_nr, plan_nr) "
                    "WHERE p.plan_art IS NULL"),
              0);
    EXPECT_EQ(Count("SELECT count(*) FROM beh b LEFT JOIN bill USING (pat_nr, bill_key) "
                    "WHERE b.bill_key <> '' AND bill.status IS NULL"),
              0);
    EXPECT_EQ(Count("SELECT count(*) FROM fakt f WHERE NOT EXISTS (SELECT 1 FROM beh b "
                    "WHERE b.fakt_key = f.fakt_key)"),
              0);
    // The technician of a hit worked for the owner on the service day.
    EXPECT_EQ(Count("SELECT count(*) FROM beh b LEFT JOIN leb l ON l.leb_id = b.techniker_id "
                    "AND l.art = 'T' AND l.md_id = b.md_id AND l.gueltig_ab <= b.datum AND "
                    "(l.gueltig_bis = '' OR b.datum <= l.gueltig_bis) "
                    "WHERE b.fakt_key <> '' AND l.leb_id IS NULL"),
              0);
    EXPECT_GT(Count("SELECT count(*) FROM leb WHERE art = 'T' AND gueltig_bis <> ''"), 0);
    // A hit on a lab-block entry holds the entry's amount times its share, exactly.
    long nEntries = 0;
    for (auto stmt = s_db->Prepare(
             "SELECT b.betrag_cent, e.anteil, e.betrag FROM beh b JOIN lblock_entry e ON "
             "e.pat_nr = b.pat_nr AND e.plan_nr = b.plan_nr AND e.lblock_nr = b.lblock_nr AND "
             "e.entry_nr = b.lblock_entry_nr");
         stmt->Step(); ++nEntries) {
        const CDBetrag betrag{CString(stmt->ColumnText(2))};
        const double dAnteil =
            static_cast<double>(LeadingInt(GetMidStr(CString(stmt->ColumnText(1)), 1))) / 100;
        EXPECT_EQ((betrag * dAnteil).GetCent(), stmt->ColumnInt(0)) << stmt->ColumnText(2);
    }
    EXPECT_GT(nEntries, 0);
    EXPECT_EQ(nEntries, Count("SELECT count(*) FROM beh WHERE lblock_entry_nr <> ''"));
}

TEST_F(DemoContent, InvoiceTotalsMatchTheirHits) {
    ASSERT_NE(s_db, nullptr);
    // Slots: technical services and other costs, practice material, metal, technical
    // material, VAT (rounded per flag and rate).
    std::map<std::string, std::array<std::int64_t, 5>> hits;
    for (auto stmt = s_db->Prepare("SELECT fakt_key, art, sub_art, sum(betrag_cent) FROM beh "
                                   "WHERE fakt_key <> '' GROUP BY 1, 2, 3");
         stmt->Step();) {
        const std::string art(stmt->ColumnText(1)), sub(stmt->ColumnText(2));
        const std::size_t slot = art == "7"   ? (sub >= "1" && sub <= "9" ? 1 : 3)
                                 : art == "8" ? 2
                                              : 0;
        hits[std::string(stmt->ColumnText(0))][slot] += stmt->ColumnInt(3);
    }
    for (auto stmt = s_db->Prepare("SELECT fakt_key, mwst_satz, sum(betrag_cent) FROM beh "
                                   "WHERE fakt_key <> '' GROUP BY 1, 2, flag2");
         stmt->Step();)
        hits[std::string(stmt->ColumnText(0))][4] +=
            (stmt->ColumnInt(2) * stmt->ColumnInt(1) + 50) / 100;

    long nSplit = 0;
    for (auto stmt = s_db->Prepare("SELECT fakt_key, a1_cent + b1_cent, a2_cent + b2_cent, "
                                   "a3_cent + b3_cent, a4_cent + b4_cent, a5_cent + b5_cent, "
                                   "b1_cent FROM fakt");
         stmt->Step();) {
        const auto& sum = hits[std::string(stmt->ColumnText(0))];
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(stmt->ColumnInt(i + 1), sum[static_cast<std::size_t>(i)])
                << stmt->ColumnText(0) << " slot " << i + 1;
        nSplit += stmt->ColumnInt(6) != 0;
    }
    EXPECT_GT(nSplit, 0);
}

TEST_F(DemoContent, CommercialLabListsAddUp) {
    ASSERT_NE(s_db, nullptr);
    EXPECT_EQ(Count("SELECT count(*) FROM glkufakt"), DemoOptions{}.nInvoices / 10);
    EXPECT_GT(Count("SELECT count(*) FROM glkufakt WHERE storno = '1'"), 0);
    EXPECT_EQ(Distinct(*s_db, "SELECT mwst_code FROM glbloc_entry"),
              (std::set<std::string>{"0", "7", "g"}));
    auto fields = [](std::string_view list, std::size_t width, std::size_t n) {
        std::vector<std::int64_t> out;
        for (std::size_t i = 0; i < n; ++i)
            out.push_back(LeadingInt(CString(list.substr(i * width, width))));
        return out;
    };
    // A bloc's list: four amounts and its VAT; the entries give the four amounts.
    std::map<std::tuple<std::string, std::string>, std::vector<std::int64_t>> blocs;
    for (auto stmt = s_db->Prepare("SELECT ku_nr, kufakt_nr, betraege, mwst, nr, rech_nr FROM "
                                   "glbloc WHERE kufakt_nr <> ''");
         stmt->Step();) {
        ASSERT_EQ(stmt->ColumnText(2).size(), 50u);
        const auto f = fields(stmt->ColumnText(2), 10, 5);
        EXPECT_EQ(CDBetrag(CString(stmt->ColumnText(3))).GetCent(), f[4]);
        auto entries =
            s_db->Prepare("SELECT preis, menge FROM glbloc_entry WHERE nr = ? AND rech_nr = ?");
        entries->BindText(1, stmt->ColumnText(4));
        entries->BindText(2, stmt->ColumnText(5));
        std::int64_t nNetto = 0;
        while (entries->Step())
            nNetto += (LeadingInt(CString(entries->ColumnText(0).substr(1))) *
                           LeadingInt(CString(entries->ColumnText(1))) +
                       50) /
                      100;
        EXPECT_EQ(f[0] + f[1] + f[2] + f[3], nNetto);
        auto& sum = blocs[{std::string(stmt->ColumnText(0)), std::string(stmt->ColumnText(1))}];
        sum.resize(6);
        for (std::size_t i = 0; i < 5; ++i)
            sum[i] += f[i];
        ++sum[5];
    }
    // A customer invoice: the sums of its blocs in 9 places each, its VAT, their number.
    for (auto stmt = s_db->Prepare("SELECT ku_nr, rech_nr, betraege, mwst, anz_rech FROM glkufakt");
         stmt->Step();) {
        const auto& sum =
            blocs[{std::string(stmt->ColumnText(0)), std::string(stmt->ColumnText(1))}];
        ASSERT_EQ(sum.size(), 6u) << stmt->ColumnText(1);
        ASSERT_EQ(stmt->ColumnText(2).size(), 36u);
        const auto f = fields(stmt->ColumnText(2), 9, 4);
        for (std::size_t i = 0; i < 4; ++i)
            EXPECT_EQ(f[i], sum[i]) << stmt->ColumnText(1);
        EXPECT_EQ(CDBetrag(CString(stmt->ColumnText(3))).GetCent(), sum[4]);
        EXPECT_EQ(LeadingInt(CString(stmt->ColumnText(4))), sum[5]);
    }
}

} // namespace
