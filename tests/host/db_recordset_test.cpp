// The record-set base on a real database: keys, cursors, the Windows-1252 edge,
// read-only refusal, closed connections and the record-set pool.
#include "host/db/Bill.h"
#include "host/db/Database.h"
#include "host/db/TKRSet.h"
#include "host/db/ZAdr.h"
#include "host/db/ZBeh.h"
#include "host/db/ZFakt.h"
#include "host/db/ZGLBloc.h"
#include "host/db/ZGLBlocEntry.h"
#include "host/db/ZGLKu.h"
#include "host/db/ZGLKuFakt.h"
#include "host/db/ZLBlockEntry.h"
#include "host/db/ZLeb.h"
#include "host/db/ZMandant.h"
#include "host/db/ZParPool.h"
#include "host/db/ZPat.h"
#include "host/db/ZPlan.h"
#include "host/db/ZVDesc.h"
#include "host/db/ZVxKas.h"
#include "support/TempPracticeDb.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Keys = std::vector<std::pair<CString, CString>>;

void WriteParPool(const Keys& keys, const CString& strWert = "") {
    CZParPool pool(&dbDatabase);
    for (const auto& [nr, owner] : keys) {
        pool.m_strNr = nr;
        pool.m_strOwner = owner;
        pool.m_strWert = strWert;
        ASSERT_EQ(pool.Write(), 0) << pool.GetLastError();
    }
}

// The keys GetByK1 and then Next deliver, from the given key on.
Keys WalkFrom(CZParPool& pool, const CString& nr, const CString& owner) {
    Keys seen;
    pool.m_strNr = nr;
    pool.m_strOwner = owner;
    for (int rc = pool.GetByK1(2); rc == 0; rc = pool.Next())
        seen.emplace_back(pool.m_strNr, pool.m_strOwner);
    return seen;
}

// Every record set's column list must fit its table: one record with empty
// members goes through all four statements.
template <class T> class DbEveryRecordSet : public ::testing::Test {};
using AllRecordSets =
    ::testing::Types<CZParPool, CZMandant, CZLeb, CZPat, CZPlan, CZVDesc, CZVxKas, CZLBlockEntry,
                     CZFakt, CZBeh, CBill, CZGLKu, CZAdr, CZGLKuFakt, CZGLBloc, CZGLBlocEntry>;
TYPED_TEST_SUITE(DbEveryRecordSet, AllRecordSets);

TYPED_TEST(DbEveryRecordSet, FitsItsTable) {
    TempPracticeDb db;
    TypeParam writer(&dbDatabase), reader;
    ASSERT_EQ(writer.Write(), 0) << writer.GetLastError();
    EXPECT_EQ(reader.GetByK1(0), 0) << reader.GetLastError();
    EXPECT_EQ(reader.GetByK1(2), 0) << reader.GetLastError();
    EXPECT_EQ(writer.Delete(), 0) << writer.GetLastError();
    EXPECT_EQ(reader.GetByK1(2), CTKRSet::kNotFound) << reader.GetLastError();
}

TEST(DbRecordSet, ExactAndFromTheKeyOn) {
    TempPracticeDb db;
    WriteParPool({{"B", "1"}, {"A", "2"}, {"C", "0"}, {"A", "1"}});
    CZParPool pool;

    pool.m_strNr = "A";
    pool.m_strOwner = "2";
    ASSERT_EQ(pool.GetByK1(0), 0);
    EXPECT_NE(pool.Next(), 0); // an exact match is the whole result
    pool.m_strOwner = "15";
    EXPECT_EQ(pool.GetByK1(0), CTKRSet::kNotFound);
    EXPECT_EQ(pool.m_strOwner, "15"); // members untouched when nothing is found

    struct Case {
        CString nr, owner;
        Keys expected;
    };
    const Case cases[] = {
        {"", "", {{"A", "1"}, {"A", "2"}, {"B", "1"}, {"C", "0"}}},
        {"A", "15", {{"A", "2"}, {"B", "1"}, {"C", "0"}}}, // second column compares too
        {"A", "2", {{"A", "2"}, {"B", "1"}, {"C", "0"}}},  // the key itself is included
        {"B", "", {{"B", "1"}, {"C", "0"}}},
        {"D", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nr + "/" + c.owner);
        EXPECT_EQ(WalkFrom(pool, c.nr, c.owner), c.expected);
    }
}

TEST(DbRecordSet, WriteReplacesAndDeleteRemoves) {
    TempPracticeDb db;
    WriteParPool({{"1", "LU"}, {"2", "LU"}}, "alt");
    WriteParPool({{"1", "LU"}}, "neu");
    CZParPool pool(&dbDatabase);
    EXPECT_EQ(WalkFrom(pool, "", ""), (Keys{{"1", "LU"}, {"2", "LU"}}));
    pool.m_strNr = "1";
    pool.m_strOwner = "LU";
    ASSERT_EQ(pool.GetByK1(0), 0);
    EXPECT_EQ(pool.m_strWert, "neu");

    EXPECT_EQ(pool.Delete(), 0);
    EXPECT_EQ(pool.GetByK1(0), CTKRSet::kNotFound);
    EXPECT_EQ(pool.Delete(), 0); // deleting what is gone is no error
    EXPECT_EQ(WalkFrom(pool, "", ""), (Keys{{"2", "LU"}}));
}

TEST(DbRecordSet, Windows1252TextsCrossTheUtf8Edge) {
    TempPracticeDb db;
    CString strAll; // every byte but NUL
    for (int c = 1; c < 256; ++c)
        strAll += static_cast<char>(c);
    const CString strKey = "M\xFC"
                           "ller \x80";
    WriteParPool({{strKey, "\xC4"}}, strAll);

    CZParPool pool;
    pool.m_strNr = strKey;
    pool.m_strOwner = "\xC4";
    ASSERT_EQ(pool.GetByK1(0), 0) << pool.GetLastError();
    EXPECT_EQ(pool.m_strWert, strAll);

    // The file holds UTF-8, as other programs reading it expect.
    auto stmt = dbDatabaseRO.Conn().Prepare("SELECT nr, owner FROM parpool");
    ASSERT_TRUE(stmt->Step());
    EXPECT_EQ(stmt->ColumnText(0), "M\xC3\xBCller \xE2\x82\xAC");
    EXPECT_EQ(stmt->ColumnText(1), "\xC3\x84");
}

TEST(DbRecordSet, IntegerColumnsKeepTheirRange) {
    TempPracticeDb db;
    CZFakt fakt(&dbDatabase);
    fakt.m_strFaktKey = "F1";
    fakt.m_strWaehrung = "d";
    fakt.m_nMwStSatz = 19;
    fakt.m_nA1Cent = 5'000'000'000; // beyond 32 bits
    fakt.m_nB5Cent = -123;
    ASSERT_EQ(fakt.Write(), 0) << fakt.GetLastError();

    CZFakt read;
    read.m_strFaktKey = "F1";
    ASSERT_EQ(read.GetByK1(0), 0);
    EXPECT_EQ(read.m_nMwStSatz, 19);
    const LabBetrag betrag = read.GetLabBetrag();
    EXPECT_TRUE(betrag.A(LabBetrag::TechnLst).SameAs(CDBetrag::FromCent(5'000'000'000, 'd')));
    EXPECT_TRUE(betrag.B(LabBetrag::MwSt).SameAs(CDBetrag::FromCent(-123, 'd')));
    EXPECT_TRUE(betrag.B(LabBetrag::Metall).SameAs(CDBetrag::FromCent(0, 'd'))); // filled zero
}

TEST(DbRecordSet, ReadOnlyConnectionRefusesChanges) {
    TempPracticeDb db;
    WriteParPool({{"1", "LU"}}, "bleibt");
    CZParPool pool; // on dbDatabaseRO
    pool.m_strNr = "1";
    pool.m_strOwner = "LU";
    pool.m_strWert = "anders";
    EXPECT_NE(pool.Write(), 0);
    EXPECT_FALSE(pool.GetLastError().empty());
    EXPECT_NE(pool.Delete(), 0);
    ASSERT_EQ(pool.GetByK1(0), 0);
    EXPECT_EQ(pool.m_strWert, "bleibt");
    EXPECT_TRUE(pool.GetLastError().empty()); // a later success clears the text
}

TEST(DbRecordSet, SurvivesClosingAndReopeningTheDatabase) {
    TempPracticeDb db;
    WriteParPool({{"1", "LU"}, {"2", "LU"}});
    CZParPool pool;
    ASSERT_EQ(WalkFrom(pool, "", "").size(), 2u);
    ASSERT_EQ(pool.GetByK1(2), 0); // a cursor is running when the database closes

    ClosePracticeDatabase();
    EXPECT_NE(pool.Next(), 0);
    EXPECT_EQ(pool.GetByK1(2), CTKRSet::kError); // no throw, only a result
    EXPECT_FALSE(pool.GetLastError().empty());

    CString strError;
    ASSERT_TRUE(OpenPracticeDatabase(db.Path(), strError)) << strError;
    EXPECT_EQ(WalkFrom(pool, "", "").size(), 2u);
}

TEST(DbRecordSet, PoolLendsEachRecordSetToOneCallerAtATime) {
    TempPracticeDb db;
    CZBeh* pFirst = CAutoRSet<CZBeh>::GetRSet(1, false);
    CZBeh* pSecond = CAutoRSet<CZBeh>::GetRSet(1, false);
    ASSERT_NE(pFirst, pSecond);
    EXPECT_EQ(pFirst->GetDatabase(), &dbDatabaseRO);

    pFirst->m_strPatNr = "P1";
    pFirst->m_nBehId = 5;
    CAutoRSet<CZBeh>::ReleaseRSet(pFirst);
    CZBeh* pAgain = CAutoRSet<CZBeh>::GetRSet(1, false);
    EXPECT_EQ(pAgain, pFirst);
    EXPECT_EQ(pAgain->m_strPatNr, ""); // handed back empty
    EXPECT_EQ(pAgain->m_nBehId, 0);

    CZBeh* pWriter = CAutoRSet<CZBeh>::GetRSet(1, true);
    EXPECT_EQ(pWriter->GetDatabase(), &dbDatabase);
    pWriter->m_nBehId = 1;
    pWriter->m_strPatNr = "P1";
    EXPECT_EQ(pWriter->Write(), 0) << pWriter->GetLastError();

    for (CZBeh* p : {pSecond, pAgain, pWriter})
        CAutoRSet<CZBeh>::ReleaseRSet(p);
}

} // namespace
