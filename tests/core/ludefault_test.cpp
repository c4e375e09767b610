// The lab-turnover settings in the parameter pool, and the lab-block share lookup,
// against a real practice database.
#include "core/LUDefault.h"
#include "core/LULabRech.h"
#include "host/BehHitLine.h"
#include "host/HostServices.h"
#include "host/ScriptedHostServices.h"
#include "host/db/Database.h"
#include "host/db/ZLBlockEntry.h"
#include "host/db/ZParPool.h"
#include "support/StoredSettings.h"
#include "support/TempPracticeDb.h"

#include <gtest/gtest.h>

namespace {

TEST(LUDefaultStore, DefaultsWithoutRecord) {
    TempPracticeDb db;
    CLUDefault d;
    EXPECT_EQ(d.GetNrKey(), " 54");
    EXPECT_EQ(d.GetOwnerKey(), "DEFAULT");
    EXPECT_TRUE(d.GetMitMaterial());
    EXPECT_TRUE(d.GetMitFestzGeEA());
    EXPECT_EQ(d.Def2Par(), "0100000000100");
}

TEST(LUDefaultStore, ReadsTheStoredText) {
    TempPracticeDb db;
    StoreSettingsText("1023101100111");
    CLUDefault d;
    EXPECT_TRUE(d.GetMitPatName());
    EXPECT_FALSE(d.GetMitMaterial());
    EXPECT_EQ(d.GetLstRechIdx(), 2);
    EXPECT_EQ(d.GetLabRechDatumIdx(), 3);
    EXPECT_TRUE(d.GetOhneMaterial());
    EXPECT_FALSE(d.GetStetsLabRgNr());
    EXPECT_TRUE(d.GetStornoLabRech());
    EXPECT_TRUE(d.GetMitTechnMat());
    EXPECT_FALSE(d.GetMit100PoEA());
    EXPECT_FALSE(d.GetStetsLstDatum());
    EXPECT_TRUE(d.GetMitFestzGeEA());
    EXPECT_TRUE(d.GetMitFortlRgNr());
    EXPECT_EQ(d.GetCheckedStornoTypen(), 1);
}

TEST(LUDefaultStore, ShortAndStrangeTextsReadSafely) {
    TempPracticeDb db;
    struct Case {
        const char* text;
        bool patName, material;
        int lstRechIdx, mask;
    } cases[] = {{"10", true, false, 0, 0},
                 {"", false, false, 0, 0},
                 {"x1a", false, true, 0, 0},
                 {"1111111111119999", true, true, 1, 9},
                 {"\xFF\x80" "7", false, false, 7, 0}};
    for (const Case& c : cases) {
        StoreSettingsText(c.text);
        CLUDefault d;
        EXPECT_EQ(d.GetMitPatName(), c.patName) << c.text;
        EXPECT_EQ(d.GetMitMaterial(), c.material) << c.text;
        EXPECT_EQ(d.GetLstRechIdx(), c.lstRechIdx) << c.text;
        EXPECT_EQ(d.GetCheckedStornoTypen(), c.mask) << c.text;
        EXPECT_TRUE(d.GetMitFestzGeEA()) << c.text;
    }
}

TEST(LUDefaultStore, SaveReplacesTheRecordAndForcesFestzuschuss) {
    TempPracticeDb db;
    CLUDefault d;
    d.SetMitPatName(true);
    d.SetLstRechIdx(4);
    d.SetLabRechDatumIdx(1);
    d.SetStetsLstDatum(true);
    d.SetMitFestzGeEA(false);
    d.SetCheckedStornoTypen(7);
    EXPECT_TRUE(d.WriteParPool());
    EXPECT_EQ(StoredSettingsText(), "1141000001107");

    CLUDefault again;
    EXPECT_TRUE(again.GetMitPatName());
    EXPECT_EQ(again.GetLstRechIdx(), 4);
    EXPECT_TRUE(again.GetStetsLstDatum());
    EXPECT_TRUE(again.GetMitFestzGeEA());
    EXPECT_EQ(again.GetCheckedStornoTypen(), 7);

    again.SetMitPatName(false);
    again.WriteParPool();
    EXPECT_EQ(StoredSettingsText(), "0141000001107");
}

TEST(LUDefaultStore, CopiesCarryKeysAndSettings) {
    TempPracticeDb db;
    CLUDefault a;
    a.SetMitTechnMat(true);
    CLUDefault b = a;
    EXPECT_TRUE(b.GetMitTechnMat());
    EXPECT_EQ(b.GetNrKey(), " 54");
    EXPECT_EQ(b.Def2Par(), a.Def2Par());
}

TEST(LUDefaultStore, FailedSaveKeepsTheOldSettingsAndTellsTheUser) {
    TempPracticeDb db;
    StoreSettingsText("1100000000100");
    auto scripted = std::make_shared<CScriptedHostServices>();
    auto previous = InstallHostServices(scripted);
    // A trigger makes every insert into the parameter pool fail after the delete.
    if (dbDatabase.Conn().Dialect() == DbDialect::Sqlite)
        dbDatabase.Conn().Execute("CREATE TRIGGER no_insert BEFORE INSERT ON parpool BEGIN "
                                  "SELECT RAISE(ABORT, 'voll'); END");
    else
        dbDatabase.Conn().Execute(
            "CREATE FUNCTION voll() RETURNS trigger LANGUAGE plpgsql AS "
            "$$BEGIN RAISE EXCEPTION 'voll'; END$$; CREATE TRIGGER no_insert BEFORE INSERT ON "
            "parpool FOR EACH ROW EXECUTE FUNCTION voll()");
    CLUDefault d;
    d.SetMitPatName(false);
    EXPECT_TRUE(d.WriteParPool());
    InstallHostServices(previous);
    EXPECT_EQ(StoredSettingsText(), "1100000000100");
    ASSERT_EQ(scripted->m_vecAufrufe.size(), 1u);
    EXPECT_NE(scripted->m_vecAufrufe[0].strText.find("nicht gespeichert"), CString::npos);
}

CBehHitLine ShareHit(const char* entryNr) {
    CBehHitLine h;
    h.m_strPatNr = "7";
    h.m_strPlanNr = "P1";
    h.m_strLBlockNr = "B1";
    h.m_strLBlockEntryNr = entryNr;
    h.m_cArt = '1';
    h.m_Betrag = CDBetrag::FromCent(999);
    h.m_nMwStSatz = 19;
    return h;
}

TEST(LabRechShare, HitAmountBecomesTheEntrysShare) {
    TempPracticeDb db;
    CZLBlockEntry entry(&dbDatabase);
    entry.m_strPatNr = "7";
    entry.m_strPlanNr = "P1";
    entry.m_strLBlockNr = "B1";
    entry.m_strEntryNr = "1";
    entry.m_strAnteil = "P050";
    entry.m_strBetrag = "e      1001";
    ASSERT_EQ(entry.Write(""), 0);

    CLULabRech r;
    r.Clear();
    r.MoveBeh(ShareHit("1"));
    EXPECT_EQ(r.m_LstAlle.m_TechnLst.GetCent(), 501); // 10.01 x 50 % = 5.005 -> 5.01
    EXPECT_EQ(r.m_vecMwStGruppen.at(0).second.GetCent(), 501);

    CLULabRech missing;
    missing.Clear();
    missing.MoveBeh(ShareHit("2"));
    EXPECT_EQ(missing.m_LstAlle.m_TechnLst.GetCent(), 999);
}

} // namespace
