// The record sets' own queries: which records they choose and in which order.
#include "host/TextUtil.h"
#include "host/db/Database.h"
#include "host/db/ZBeh.h"
#include "host/db/ZLeb.h"
#include "host/db/ZPlan.h"
#include "host/db/ZVDesc.h"
#include "host/db/ZVxKas.h"
#include "host/db_test_records.h"
#include "support/TempPracticeDb.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(DbQueries, GetForEvaluateFiltersByPlanKindInDateOrder) {
    TempPracticeDb db;
    AddPlan("P1", "1", "k");
    AddPlan("P1", "3", "x");
    // Plan 1's kind is the plan's, whatever flag1 says; plan 2 has no plan record.
    AddBeh(4, "P1", "1", "20240301", "g");
    AddBeh(2, "P1", "1", "20240201", "g");
    AddBeh(3, "P1", "1", "20240201", "g");
    AddBeh(5, "P2", "1", "20240101", "k"); // another patient
    AddBeh(6, "P1", "2", "20240105", "g");
    AddBeh(7, "P1", "2", "20240104", "z");
    AddBeh(8, "P1", "3", "20240101", "k");

    struct Case {
        CString planNr, planArten;
        std::vector<int> ids;
    };
    const Case cases[] = {
        {"1", "'k','g','p','q'", {2, 3, 4}}, {"1", "'g'", {}},
        {"2", "'k','g','p','q'", {6}},       {"2", " 'z' , 'g' ", {7, 6}},
        {"3", "'k','g','p','q'", {}},        {"3", "", {8}},
        {"1", "'k') OR ('1'='1", {}}, // a value, never SQL
    };
    CZBeh beh;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.planNr + ": " + c.planArten);
        beh.Reset();
        beh.m_strPatNr = "P1";
        beh.m_strPlanNr = c.planNr;
        CString strArten = c.planArten, s4;
        std::vector<int> ids;
        for (int rc = beh.GetForEvaluate("", "", "", s4, strArten, true, false, false, 0, 0);
             rc == 0; rc = beh.Next())
            ids.push_back(beh.m_nBehId);
        EXPECT_EQ(ids, c.ids);
        EXPECT_TRUE(beh.GetLastError().empty()) << beh.GetLastError();
    }
}

TEST(DbQueries, EntryValidAtADate) {
    TempPracticeDb db;
    for (const auto& [patNr, ab, kasse] :
         {std::tuple{"P1", "20200101", "K1"}, {"P1", "20220701", "K2"}, {"P2", "20000101", "K9"}}) {
        CZVDesc desc(&dbDatabase);
        desc.m_strPatNr = patNr;
        desc.m_strGueltigAb = ab;
        desc.m_strKassenNr = kasse;
        ASSERT_EQ(desc.Write(), 0) << desc.GetLastError();
    }
    for (const auto& [kasse, ab, name] : {std::tuple{"K1", "20100101", "Alt"},
                                          {"K1", "20210101", "Neu"},
                                          {"K0", "20000101", "Andere"}}) {
        CZVxKas kas(&dbDatabase);
        kas.m_strKassenNr = kasse;
        kas.m_strGueltigAb = ab;
        kas.m_strName = name;
        ASSERT_EQ(kas.Write(), 0) << kas.GetLastError();
    }
    struct Case {
        CString datum, descKasse, kasName; // "" = nothing found
    };
    const Case cases[] = {
        {"20091231", "", ""},      {"20191231", "", "Alt"},   {"20200101", "K1", "Alt"},
        {"20210101", "K1", "Neu"}, {"20220630", "K1", "Neu"}, {"20220701", "K2", "Neu"},
    };
    CZVDesc desc;
    CZVxKas kas;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.datum);
        EXPECT_EQ(desc.FindMatching("P1", c.datum, 0) == 0 ? desc.m_strKassenNr : "", c.descKasse);
        EXPECT_EQ(kas.GetActKasse("K1", c.datum) == 0 ? kas.m_strName : "", c.kasName);
    }
}

TEST(DbQueries, ValidTechniciansOfToday) {
    TempPracticeDb db;
    struct Leb {
        const char *szId, *szArt, *szName, *szVorname, *szAb, *szBis;
    };
    const Leb lebs[] = {
        {"t1", "T", "Zander", "Eva", "", ""},
        {"t2", "T", "Albers", "Jan", "", "20240615"}, // last day today
        {"t3", "T", "Albers", "Jan", "20240615", ""}, // first day today, id decides
        {"t4", "T", "Albers", "Ina", "20200101", "20301231"},
        {"t5", "T", "Berg", "Ole", "20240616", ""}, // from tomorrow
        {"t6", "T", "Berg", "Uwe", "", "20240614"}, // until yesterday
        {"z1", "Z", "Albers", "Dr.", "", ""},       // a dentist
    };
    for (const Leb& l : lebs) {
        CZLeb leb(&dbDatabase);
        leb.m_strLebId = l.szId;
        leb.m_strArt = l.szArt;
        leb.m_strName = l.szName;
        leb.m_strVorname = l.szVorname;
        leb.m_strGueltigAb = l.szAb;
        leb.m_strGueltigBis = l.szBis;
        ASSERT_EQ(leb.Write(), 0) << leb.GetLastError();
    }
    SetTKDateOverride("20240615");
    CZLeb leb;
    std::vector<CString> ids;
    for (int rc = leb.GetValidTechnikerLebs(); rc == 0; rc = leb.Next())
        ids.push_back(leb.m_strLebId);
    SetTKDateOverride("");
    EXPECT_EQ(ids, (std::vector<CString>{"t4", "t2", "t3", "t1"}));
}

} // namespace
