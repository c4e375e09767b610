// The lab-turnover database walk: which invoices each mode lists and with which
// cancellation type, the amounts of the rows, the errors it records, and the way
// from the database through the hit file back into rows.
#include "app/DemoDatabase.h"
#include "app/LuCommands.h"
#include "app/LuHitFile.h"
#include "app/LuReport.h"
#include "app/LuSelection.h"
#include "app/LuWalk.h"
#include "app/UngueltigeDaten.h"
#include "core/LUDefault.h"
#include "core/LUSum.h"
#include "host/Cp1252.h"
#include "host/ScriptedHostServices.h"
#include "host/TextUtil.h"
#include "host/db/Bill.h"
#include "host/db/ZBeh.h"
#include "host/db/ZFakt.h"
#include "host/db/ZLBlockEntry.h"
#include "host/db/ZMandant.h"
#include "host/db/ZPat.h"
#include "host/db/ZPlan.h"
#include "host/db/ZVDesc.h"
#include "host/stat/StatAccu.h"
#include "support/TempPracticeDb.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct FaktData {
    const char* key;
    const char* datum;
    const char* storno = "";
    const char* art = "R";
    const char* md = "1";
    const char* pat = "100";
    const char* bezahlt = "";
    const char* druck = "";
    int mwst = 19;
    std::array<std::int64_t, 5> a{};
    std::array<std::int64_t, 5> b{};
};

struct BehData {
    int id;
    const char* fakt;
    const char* datum;
    std::int64_t cent;
    int mwst = 19;
    const char* art = "1";
    const char* lblock = "1";
    const char* entry = "";
    const char* pat = "100";
    const char* bill = "";
    const char* sub = "";
    const char* waehrung = "e";
};

void Write(CTKRSet& rs) {
    ASSERT_EQ(rs.Write(), 0) << rs.GetLastError();
}

void AddFakt(const FaktData& d) {
    CZFakt f(&dbDatabase);
    f.m_strFaktKey = d.key;
    f.m_strMdId = d.md;
    f.m_strPatNr = d.pat;
    f.m_strPlanNr = "1";
    f.m_strLBlockNr = "1";
    f.m_strArt = d.art;
    f.m_strDatum = d.datum;
    f.m_strDruckDatum = d.druck;
    f.m_strStornoDatum = d.storno;
    f.m_strBezahltDatum = d.bezahlt;
    f.m_strPatRechNr = "7";
    f.m_nMwStSatz = d.mwst;
    f.m_strWaehrung = "e";
    std::int64_t* a[] = {&f.m_nA1Cent, &f.m_nA2Cent, &f.m_nA3Cent, &f.m_nA4Cent, &f.m_nA5Cent};
    std::int64_t* b[] = {&f.m_nB1Cent, &f.m_nB2Cent, &f.m_nB3Cent, &f.m_nB4Cent, &f.m_nB5Cent};
    for (std::size_t i = 0; i < 5; ++i)
        *a[i] = d.a[i], *b[i] = d.b[i];
    Write(f);
}

void AddBeh(const BehData& d) {
    CZBeh b(&dbDatabase);
    b.m_nBehId = d.id;
    b.m_strMdId = "1";
    b.m_strPatNr = d.pat;
    b.m_strPlanNr = "1";
    b.m_strDatum = d.datum;
    b.m_strArt = d.art;
    b.m_strSubArt = d.sub;
    b.m_strText = "Krone";
    b.m_nBetragCent = d.cent;
    b.m_strWaehrung = d.waehrung;
    b.m_nMwStSatz = d.mwst;
    b.m_strFaktKey = d.fakt;
    b.m_strFlag1 = "z";
    b.m_strLBlockNr = d.lblock;
    b.m_strLBlockEntryNr = d.entry;
    b.m_strBillKey = d.bill;
    Write(b);
}

// An invoice with one hit of 10.00 EUR at 19 % on its own date.
void AddInvoice(const FaktData& d, int nBehId) {
    AddFakt(d);
    AddBeh({.id = nBehId, .fakt = d.key, .datum = d.datum, .cent = 1000, .pat = d.pat});
}

void AddPatient(const char* nr, const char* versArt) {
    CZPat pat(&dbDatabase);
    pat.m_strPatNr = nr;
    pat.m_strName = "M\xFCller";
    pat.m_strVorname = "Eva";
    Write(pat);
    CZVDesc v(&dbDatabase);
    v.m_strPatNr = nr;
    v.m_strGueltigAb = "20100101";
    v.m_strVersArt = versArt;
    Write(v);
}

class LuWalkTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_pOld = InstallHostServices(m_pHost);
        for (const char* md : {"1", "2"}) {
            CZMandant m(&dbDatabase);
            m.m_strMdId = md;
            Write(m);
        }
        AddPatient("100", "P");
    }
    void TearDown() override { InstallHostServices(m_pOld); }

    bool Walk(LuMode eMode, const char* ab = "20230101", const char* bis = "20231231",
              const char* md = "") {
        m_accu = CStatAccu();
        return RunLuWalk({ab, bis, md, eMode}, m_settings, m_accu, m_sum, m_strError);
    }
    // "key:type" of every row, sorted.
    std::vector<std::string> Rows() const {
        std::vector<std::string> out;
        for (const CLULabRech& r : m_sum.m_vecLabRech)
            out.push_back(r.m_strLabRechNr + ":" + std::to_string(r.m_nStornoTyp));
        std::sort(out.begin(), out.end());
        return out;
    }
    const CLULabRech& Row(const char* key) const {
        for (const CLULabRech& r : m_sum.m_vecLabRech)
            if (r.m_strLabRechNr == key) return r;
        throw std::runtime_error(std::string("no row ") + key);
    }

    TempPracticeDb m_db;
    std::shared_ptr<CScriptedHostServices> m_pHost = std::make_shared<CScriptedHostServices>();
    std::shared_ptr<IHostServices> m_pOld;
    CLUDefault m_settings;
    CStatAccu m_accu;
    CLUSum m_sum;
    CString m_strError;
};

TEST(LuSelection, CancellationTypeAgainstThePeriod) {
    const CString ab = "20230101", bis = "20231231";
    struct Case {
        const char *datum, *storno;
        std::optional<STORNOTYP> typ;
    } cases[] = {
        {"20230510", "", 1},          {"20230510", "20231120", 0},  {"20230510", "20240105", 1},
        {"20221120", "20230105", -1}, {"20221120", "", {}},         {"20221120", "20221220", {}},
        {"20221120", "20240105", {}}, {"20240105", "20240110", {}}, {"20230510", "20230501", {}},
        {"", "20230105", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LuStornoTyp(c.datum, c.storno, ab, bis), c.typ) << c.datum << " " << c.storno;
}

TEST_F(LuWalkTest, EachModeListsItsInvoicesWithTheirCancellationType) {
    AddInvoice({.key = "R1", .datum = "20230301", .druck = "20230302"}, 1);
    AddInvoice({.key = "R2", .datum = "20230301", .storno = "20230401"}, 2);
    AddInvoice({.key = "R3", .datum = "20230301", .storno = "20240110"}, 3);
    AddInvoice({.key = "R4", .datum = "20221201", .storno = "20230110"}, 4);
    AddInvoice({.key = "R5", .datum = "20221201", .storno = "20221215"}, 5); // outside
    AddInvoice({.key = "R6", .datum = "20231231", .druck = "20240102"}, 6);
    AddInvoice({.key = "M1", .datum = "20230601", .art = "M"}, 7);
    AddInvoice({.key = "P1", .datum = "20221101", .bezahlt = "20230115"}, 8);
    AddInvoice({.key = "P2", .datum = "20230601", .art = "M", .bezahlt = "20240115"}, 9);

    ASSERT_TRUE(Walk(LuMode::Invoices)) << m_strError;
    EXPECT_EQ(Rows(), (std::vector<std::string>{"R1:1", "R2:0", "R3:1", "R4:-1", "R6:1"}));
    EXPECT_EQ(Row("R4").m_strStornoDatum, "20230110");
    m_settings.SetLabRechDatumIdx(1); // by print date
    ASSERT_TRUE(Walk(LuMode::Invoices)) << m_strError;
    EXPECT_EQ(Rows(), (std::vector<std::string>{"R1:1"}));
    EXPECT_EQ(Row("R1").m_strRechDatum, "20230302");

    ASSERT_TRUE(Walk(LuMode::Manual));
    EXPECT_EQ(Rows(), (std::vector<std::string>{"M1:1", "P2:1"}));
    ASSERT_TRUE(Walk(LuMode::Cancelled));
    EXPECT_EQ(Rows(), (std::vector<std::string>{"R2:0", "R3:1", "R4:-1"}));
    ASSERT_TRUE(Walk(LuMode::Paid));
    EXPECT_EQ(Rows(), (std::vector<std::string>{"P1:1"}));
    // The payment date takes the single date slot of the hit file.
    EXPECT_EQ(Row("P1").m_strDatumAlt, "20230115");
    EXPECT_EQ(Row("P1").m_strRechDatum, "");
}

TEST_F(LuWalkTest, OwnerFilterAndUnknownOwner) {
    AddInvoice({.key = "A", .datum = "20230301", .md = "1"}, 1);
    AddInvoice({.key = "B", .datum = "20230301", .md = "2"}, 2);
    ASSERT_TRUE(Walk(LuMode::Invoices, "20230101", "20231231", "2"));
    EXPECT_EQ(Rows(), (std::vector<std::string>{"B:1"}));
    EXPECT_EQ(m_accu.m_vecMandanten, (std::vector<CString>{"1", "2"}));
    EXPECT_FALSE(Walk(LuMode::Invoices, "20230101", "20231231", "9"));
    EXPECT_NE(m_strError.find("Mandant \"9\""), CString::npos);
    EXPECT_FALSE(Walk(LuMode::Invoices, "20231231", "20230101"));
    EXPECT_NE(m_strError.find("liegt nach dem Ende"), CString::npos);
}

TEST_F(LuWalkTest, AmountsOfAnInvoiceWithAShareAndVatPerGroup) {
    AddFakt({.key = "R1", .datum = "20230310"});
    AddBeh({.id = 1, .fakt = "R1", .datum = "20230301", .cent = 1000});
    AddBeh({.id = 2, .fakt = "R1", .datum = "20230302", .cent = 2050});
    AddBeh({.id = 3, .fakt = "R1", .datum = "20230303", .cent = 999, .mwst = 7, .art = "8"});
    // 50 % of an entry of 20.00 replace the hit's own 99.99.
    AddBeh({.id = 4, .fakt = "R1", .datum = "20230303", .cent = 9999, .mwst = 0, .entry = "E1"});
    CZLBlockEntry e(&dbDatabase);
    e.m_strPatNr = "100", e.m_strPlanNr = "1", e.m_strLBlockNr = "1", e.m_strEntryNr = "E1";
    e.m_strAnteil = "P050", e.m_strBetrag = "e      2000";
    Write(e);

    ASSERT_TRUE(Walk(LuMode::Invoices)) << m_strError;
    ASSERT_EQ(m_sum.m_vecLabRech.size(), 1u);
    const CLULabRech& r = m_sum.m_vecLabRech[0];
    // 19 %: 30.50 net, VAT 5.795 -> 5.80; 7 %: 9.99, VAT 0.6993 -> 0.70; free: 10.00.
    EXPECT_EQ(r.m_LstAlle.m_Netto.GetCent(), 5049);
    EXPECT_EQ(r.m_LstAlle.m_MwSt.GetCent(), 650);
    EXPECT_EQ(r.m_LstAlle.m_Brutto.GetCent(), 5699);
    EXPECT_EQ(r.m_LstAlle.m_Metall.GetCent(), 999);
    EXPECT_EQ(r.m_Lst19.m_Brutto.GetCent(), 3630);
    EXPECT_EQ(r.m_Lst7.m_Brutto.GetCent(), 1069);
    EXPECT_EQ(r.m_LstOhneMwSt.m_Brutto.GetCent(), 1000);
    EXPECT_EQ(r.m_strRechDatum, "20230310");
    EXPECT_EQ(r.m_strRechNr, "1/100/7");
    EXPECT_EQ(r.m_strPatName, "M\xFCller, Eva");
    EXPECT_TRUE(m_accu.m_vecErrors.empty());
    EXPECT_EQ(m_accu.GetGesamtAnzahl(), 1);
}

TEST_F(LuWalkTest, InvoiceWithoutHitsCountsWithItsTotals) {
    AddFakt({.key = "M1",
             .datum = "20230310",
             .art = "M",
             .mwst = 7,
             .a = {10000, 2000, 3000, 500, 1085},
             .b = {1000, 0, 0, 0, 70}});
    ASSERT_TRUE(Walk(LuMode::Manual)) << m_strError;
    ASSERT_EQ(m_sum.m_vecLabRech.size(), 1u);
    const CLULabRech& r = m_sum.m_vecLabRech[0];
    // Net: services 110.00 + material 25.00 + metal 30.00; VAT 11.55 as the invoice says.
    for (const CLULabRechLst* b : {&r.m_LstAlle, &r.m_LstMitMwSt, &r.m_Lst7}) {
        EXPECT_EQ(b->m_Netto.GetCent(), 16500);
        EXPECT_EQ(b->m_MwSt.GetCent(), 1155);
        EXPECT_EQ(b->m_Brutto.GetCent(), 17655);
        EXPECT_EQ(b->m_Material.GetCent(), 2500);
    }
    EXPECT_FALSE(r.m_LstOhneMwSt.m_bBelegt);
    EXPECT_EQ(r.m_strPatNr, "100");
}

TEST_F(LuWalkTest, ServiceDatesSplitRowsAndCancelledPartsStayApart) {
    // Invoiced in January for services of December and January, cancelled in March.
    AddFakt({.key = "R1", .datum = "20230120", .storno = "20230301"});
    AddBeh({.id = 1, .fakt = "R1", .datum = "20221220", .cent = 100});
    AddBeh({.id = 2, .fakt = "R1", .datum = "20230105", .cent = 200});
    AddBeh({.id = 3, .fakt = "R1", .datum = "20230110", .cent = 400});
    ASSERT_TRUE(Walk(LuMode::Services)) << m_strError;
    std::vector<std::string> rows;
    for (const CLULabRech& r : m_sum.m_vecLabRech)
        rows.push_back(std::to_string(r.m_nStornoTyp) + ":" +
                       std::to_string(r.m_LstAlle.m_Netto.GetCent()));
    EXPECT_EQ(rows, (std::vector<std::string>{"0:600", "-1:100"}));

    m_settings.SetStetsLstDatum(true);
    ASSERT_TRUE(Walk(LuMode::Services));
    EXPECT_EQ(m_sum.m_vecLabRech.size(), 3u);
    ASSERT_TRUE(Walk(LuMode::Invoices)); // the split belongs to the services list only
    EXPECT_EQ(m_sum.m_vecLabRech.size(), 1u);
}

TEST_F(LuWalkTest, PaidInvoicesOfStatutoryPatientsByInsuranceCase) {
    AddPatient("200", "G");
    const auto paid = [](const char* key, std::int64_t nKasse, std::int64_t nPatient) {
        return FaktData{.key = key,
                        .datum = "20230110",
                        .pat = "200",
                        .bezahlt = "20230201",
                        .a = {nKasse, 0, 0, 0, 0},
                        .b = {nPatient, 0, 0, 0, 0}};
    };
    AddInvoice(paid("G100", 5000, 0), 1);   // 100 % case
    AddInvoice(paid("GFZ", 5000, 5000), 2); // subsidy >= patient share
    AddInvoice(paid("GEA", 3000, 5000), 3); // ordinary case
    AddInvoice({.key = "PRIV", .datum = "20230110", .bezahlt = "20230201", .a = {5000}}, 4);

    ASSERT_TRUE(Walk(LuMode::Paid));
    EXPECT_EQ(Rows(), (std::vector<std::string>{"GEA:1", "GFZ:1", "PRIV:1"}));
    m_settings.SetMit100PoEA(true);
    m_settings.SetMitFestzGeEA(false);
    ASSERT_TRUE(Walk(LuMode::Paid));
    EXPECT_EQ(Rows(), (std::vector<std::string>{"G100:1", "GEA:1", "PRIV:1"}));
}

TEST_F(LuWalkTest, WhatIsWrongBecomesAnErrorRecord) {
    AddFakt({.key = "R1", .datum = "20230310"});
    AddBeh({.id = 1, .fakt = "R1", .datum = "20230301", .cent = 100, .mwst = 12});
    AddBeh({.id = 2, .fakt = "R1", .datum = "20230302", .cent = 100, .mwst = 12});
    AddBeh({.id = 3, .fakt = "R1", .datum = "20230303", .cent = 100, .lblock = ""});
    AddBeh({.id = 4, .fakt = "R1", .datum = "20230303", .cent = 100, .entry = "E9"});
    AddBeh({.id = 5, .fakt = "FEHLT", .datum = "20230304", .cent = 100});
    CBill bill(&dbDatabase);
    bill.m_strPatNr = "100", bill.m_strBillKey = "B1", bill.m_strStatus = "b";
    Write(bill);
    AddInvoice({.key = "R2", .datum = "20230320"}, 6);
    CZBeh beh(&dbDatabase);
    beh.m_nBehId = 6;
    ASSERT_EQ(beh.GetByK1(CTKRSet::kExact), 0);
    beh.m_strBillKey = "B1";
    Write(beh);

    ASSERT_TRUE(Walk(LuMode::Services)) << m_strError;
    std::vector<std::string> errors;
    for (const CBehErrors& e : m_accu.m_vecErrors) {
        EXPECT_EQ(e.m_strPatNr, "100");
        errors.push_back(e.m_strDatum + " " + e.m_strText);
    }
    ASSERT_EQ(errors.size(), 5u) << ::testing::PrintToString(errors);
    EXPECT_NE(errors[0].find("20230304 Die Laborrechnung FEHLT"), std::string::npos);
    EXPECT_NE(errors[1].find("20230301 Unbekannter Umsatzsteuersatz 12 %"), std::string::npos);
    EXPECT_NE(errors[2].find("keinem Laborauftrag"), std::string::npos);
    EXPECT_NE(errors[3].find("Posten E9"), std::string::npos);
    EXPECT_NE(errors[4].find("20230320 Die abgerechnete Rechnung B1"), std::string::npos);
    // Only the hit without invoice is left out: 4 hits of R1, 1 of R2.
    EXPECT_EQ(LuBlockSummen(m_sum)[0].nNetto, 1400);
}

TEST_F(LuWalkTest, RowWithoutLiquidationNumberTakesTheBillsNumber) {
    CZPlan plan(&dbDatabase);
    plan.m_strPatNr = "100", plan.m_strPlanNr = "1", plan.m_strPlanArt = "k";
    Write(plan);
    CBill bill(&dbDatabase);
    bill.m_strPatNr = "100", bill.m_strBillKey = "B1", bill.m_strStatus = "b";
    bill.m_strLiqNr = "2023/00007";
    Write(bill);
    AddFakt({.key = "R1", .datum = "20230310"});
    AddBeh({.id = 1, .fakt = "R1", .datum = "20230301", .cent = 100, .bill = "B1"});
    ASSERT_TRUE(Walk(LuMode::Invoices)) << m_strError;
    ASSERT_EQ(m_sum.m_vecLabRech.size(), 1u);
    EXPECT_EQ(m_sum.m_vecLabRech[0].m_strLiqNr, "2023/00007");
    EXPECT_EQ(m_accu.GetPlanArten(), "z"); // the plan kind the hits carry
}

// The reduced-rate slots of an invoice recomputed by hand: VAT on each part's net
// sum at 5 and 7 %, the technical material's base, the technical services free of VAT.
TEST_F(LuWalkTest, ReducedRateSlotsFromTheHits) {
    AddFakt({.key = "R1", .datum = "20230310"});
    const char* d = "20230301";
    AddBeh({.id = 1, .fakt = "R1", .datum = d, .cent = 10000, .mwst = 7, .art = "1"});
    AddBeh({.id = 2, .fakt = "R1", .datum = d, .cent = 2345, .mwst = 7, .art = "2"});
    AddBeh({.id = 3, .fakt = "R1", .datum = d, .cent = 3333, .mwst = 7, .art = "8"});
    AddBeh({.id = 4, .fakt = "R1", .datum = d, .cent = 1234, .mwst = 7, .art = "7", .sub = "A"});
    AddBeh({.id = 5, .fakt = "R1", .datum = d, .cent = 500, .mwst = 7, .art = "7", .sub = "1"});
    AddBeh({.id = 6, .fakt = "R1", .datum = d, .cent = 5000, .mwst = 0, .art = "1"});
    AddBeh({.id = 7, .fakt = "R1", .datum = d, .cent = 1999, .mwst = 5, .art = "3"});
    AddBeh({.id = 8, .fakt = "R1", .datum = d, .cent = 777, .mwst = 5, .art = "8"});
    AddBeh({.id = 9, .fakt = "R1", .datum = d, .cent = 900, .mwst = 5, .art = "7", .sub = "K"});
    ASSERT_TRUE(Walk(LuMode::Invoices)) << m_strError;
    ASSERT_EQ(m_sum.m_vecLabRech.size(), 1u);
    const CLULabRech& r = m_sum.m_vecLabRech[0];
    // 7 %: services 123.45 -> 8.6415 = 8.64, metal 33.33 -> 2.3331 = 2.33, material 12.34.
    // 5 %: services 19.99 -> 0.9995 = 1.00, metal 7.77 -> 0.3885 = 0.39, material 9.00.
    for (const CLULabRechLst* b : {&r.m_LstAlle, &r.m_LstMitMwSt, &r.m_Lst7}) {
        EXPECT_EQ(b->m_MwStTechnLst7.GetCent(), 864);
        EXPECT_EQ(b->m_MwStMetall7.GetCent(), 233);
        EXPECT_EQ(b->m_TechnMat7.GetCent(), 1234);
    }
    for (const CLULabRechLst* b : {&r.m_LstAlle, &r.m_LstMitMwSt, &r.m_Lst5}) {
        EXPECT_EQ(b->m_MwStTechnLst5.GetCent(), 100);
        EXPECT_EQ(b->m_MwStMetall5.GetCent(), 39);
        EXPECT_EQ(b->m_TechnMat5.GetCent(), 900);
    }
    EXPECT_TRUE(r.m_Lst5.m_MwStTechnLst7.IsZero());
    EXPECT_TRUE(r.m_Lst7.m_MwStTechnLst5.IsZero());
    // All technical services: 123.45 + 19.99 with VAT, 50.00 free of it.
    EXPECT_EQ(r.m_LstAlle.m_TechnLst.GetCent(), 14344);
    EXPECT_EQ(r.m_LstAlle.m_TechnLstFrei.GetCent(), 5000);
    EXPECT_EQ(r.m_LstOhneMwSt.m_TechnLstFrei.GetCent(), 5000);
    EXPECT_EQ(r.m_LstOhneMwSt.m_TechnLst.GetCent(), 5000);
}

// VAT 0.07 * 3.15 = 0.2205 = 0.22 on the invoice, 0.07 on each of its three parts:
// the sums point out a difference of one cent, not the whole VAT.
TEST_F(LuWalkTest, RoundingNoteCountsTheRoundingOnly) {
    AddFakt({.key = "R1", .datum = "20230310"});
    const char* d = "20230301";
    AddBeh({.id = 1, .fakt = "R1", .datum = d, .cent = 105, .mwst = 7, .art = "1"});
    AddBeh({.id = 2, .fakt = "R1", .datum = d, .cent = 105, .mwst = 7, .art = "8"});
    AddBeh({.id = 3, .fakt = "R1", .datum = d, .cent = 105, .mwst = 7, .art = "7", .sub = "A"});
    ASSERT_TRUE(Walk(LuMode::Invoices)) << m_strError;
    ASSERT_EQ(m_sum.m_vecLabRech.size(), 1u);
    const CLULabRech& r = m_sum.m_vecLabRech[0];
    EXPECT_EQ(r.m_Lst7.m_MwSt.GetCent(), 22);
    for (const CLULabRechLst* b : {&r.m_LstAlle, &r.m_Lst7}) {
        CLULabRechLst sum;
        sum.AddSummen(*b, true, kStornoDanach);
        EXPECT_EQ(sum.m_nRundDiff, 1);
        EXPECT_EQ(sum.m_RundDiff.GetCent(), -1);
        EXPECT_EQ(sum.m_MwStTechnLst7.GetCent() + sum.m_MwStMetall7.GetCent() +
                      sum.m_TechnMat7.GetCent(),
                  21);
    }
}

// Old Deutsche Mark invoices count with their euro value: 1.624,53 DM are 830,61 EUR.
TEST_F(LuWalkTest, SummaryAddsDeutscheMarkAsEuro) {
    AddInvoice({.key = "E1", .datum = "20230301"}, 1); // 10.00 EUR at 19 %
    AddFakt({.key = "D1", .datum = "20230302"});
    AddBeh(
        {.id = 2, .fakt = "D1", .datum = "20230302", .cent = 162453, .mwst = 0, .waehrung = "d"});
    AddInvoice({.key = "S1", .datum = "20221201", .storno = "20230110"}, 3); // taken back
    ASSERT_TRUE(Walk(LuMode::Invoices)) << m_strError;
    const auto summen = LuBlockSummen(m_sum);
    EXPECT_EQ(summen[0].nZeilen, 3);
    EXPECT_EQ(summen[0].nNetto, 1000 + 83061 - 1000);
    EXPECT_EQ(summen[0].nMwSt, 190 - 190);
    EXPECT_EQ(summen[2].nBrutto, 83061); // free of VAT: the DM invoice alone
    EXPECT_EQ(summen[6].nBrutto, 1190 - 1190);

    ::testing::internal::CaptureStdout();
    PrintLuSummary(m_sum, m_accu, LuMode::Invoices, stdout);
    const std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("830,61"), std::string::npos) << out;
    EXPECT_EQ(out.find("1.624,53"), std::string::npos) << out;
}

// A stored date that is no calendar day is reported with its invoice or service,
// which is left out; the rest of the evaluation goes on.
TEST_F(LuWalkTest, DatesThatAreNoCalendarDayAreReported) {
    AddInvoice({.key = "R1", .datum = "20230301"}, 1);
    AddInvoice({.key = "R2", .datum = "2023-07-07"}, 2);
    AddInvoice({.key = "R3", .datum = "20230230"}, 3);
    AddInvoice({.key = "R4", .datum = "2023061"}, 4);
    AddInvoice({.key = "R5", .datum = "20230301", .storno = "2023-12-01"}, 5);
    AddInvoice({.key = "R6", .datum = "20150301", .storno = "20230229"}, 6);
    AddBeh({.id = 7, .fakt = "R1", .datum = "2023061", .cent = 500});
    ASSERT_TRUE(Walk(LuMode::Invoices)) << m_strError;
    EXPECT_EQ(Rows(), (std::vector<std::string>{"R1:1"}));
    std::vector<std::string> errors;
    for (const CBehErrors& e : m_accu.m_vecErrors)
        errors.push_back(e.m_strText);
    const std::string kein = "hat kein g\xFCltiges ";
    ASSERT_EQ(errors, (std::vector<std::string>{
                          "Die Laborrechnung R2 " + kein + "Rechnungsdatum (\"2023-07-07\")" +
                              " und wird nicht gez\xE4hlt.",
                          "Die Laborrechnung R3 " + kein + "Rechnungsdatum (\"20230230\")" +
                              " und wird nicht gez\xE4hlt.",
                          "Die Laborrechnung R4 " + kein + "Rechnungsdatum (\"2023061\")" +
                              " und wird nicht gez\xE4hlt.",
                          "Die Laborrechnung R5 " + kein + "Stornodatum (\"2023-12-01\")" +
                              " und wird nicht gez\xE4hlt.",
                          "Die Laborrechnung R6 " + kein + "Stornodatum (\"20230229\")" +
                              " und wird nicht gez\xE4hlt."}));
    EXPECT_EQ(m_accu.m_vecErrors[0].m_strPatNr, "100");

    // By service date: the service of R1 without a day is left out, the other counts.
    ASSERT_TRUE(Walk(LuMode::Services)) << m_strError;
    ASSERT_EQ(Rows(), (std::vector<std::string>{"R1:1"}));
    EXPECT_EQ(Row("R1").m_LstAlle.m_Netto.GetCent(), 1000);
    bool bGemeldet = false;
    for (const CBehErrors& e : m_accu.m_vecErrors)
        bGemeldet |= e.m_strText == "Die Laborleistung \"Krone\" der Laborrechnung R1 " + kein +
                                        "Leistungsdatum (\"2023061\") und wird nicht gez\xE4hlt.";
    EXPECT_TRUE(bGemeldet);
}

// The database finds every stored date that is no day, and of the real days only
// February 29 of a leap year.
TEST_F(LuWalkTest, TheSearchForDatesThatAreNoDayMissesNone) {
    const auto bTreffer = [](const std::string& text) {
        auto stmt = dbDatabase.Conn().Prepare("SELECT " + SqlVielleichtKeinTag("'" + text + "'"));
        return stmt->Step() && stmt->ColumnInt(0) != 0;
    };
    for (const char* pszJahr : {"2023", "2024"})
        for (int nMonat = 0; nMonat <= 13; ++nMonat)
            for (int nTag = 0; nTag <= 32; ++nTag) {
                const std::string text = std::string(pszJahr) + Format("%02d%02d", nMonat, nTag);
                const bool bSchaltTag = text == "20240229";
                EXPECT_EQ(bTreffer(text), !IsDbDate(text) || bSchaltTag) << text;
            }
    for (const char* text : {"2023-07-07", "2023061", "202306011", "2023O601", " 20230601"})
        EXPECT_TRUE(bTreffer(text)) << text;
    EXPECT_FALSE(bTreffer("")); // no date
}

TEST_F(LuWalkTest, TextsThatLoseCharactersAreCounted) {
    AddInvoice({.key = "R1", .datum = "20230301"}, 1);
    dbDatabase.Conn().Execute("UPDATE pat SET vorname = '\xC5\x81ukasz' WHERE pat_nr = '100'");
    std::size_t nGeaendert = 99;
    m_accu = CStatAccu();
    ASSERT_TRUE(RunLuWalk({"20230101", "20231231", "", LuMode::Invoices}, m_settings, m_accu, m_sum,
                          m_strError, &nGeaendert))
        << m_strError;
    EXPECT_EQ(nGeaendert, 1u);
    EXPECT_EQ(Row("R1").m_strPatName, "M\xFCller, ?ukasz");
    ASSERT_EQ(m_accu.m_vecErrors.size(), 1u);
    EXPECT_EQ(m_accu.m_vecErrors[0].m_strText,
              "1 Text der Praxisdatenbank hat Zeichen, die es in Windows-1252 nicht gibt; sie "
              "sind durch \"?\" ersetzt (\"?ukasz\").");
}

// The walk reads some tables whole at its start; only the texts it uses count:
// those of the hits' patients and of the records the liquidation-number search
// looks at up to the one that gives the number.
TEST_F(LuWalkTest, OnlyTextsTheWalkUsesAreCounted) {
    CZPlan plan(&dbDatabase);
    plan.m_strPatNr = "100", plan.m_strPlanNr = "1", plan.m_strPlanArt = "k";
    Write(plan);
    CBill offen(&dbDatabase);
    offen.m_strPatNr = "100", offen.m_strBillKey = "B0";
    Write(offen);
    CBill bill(&dbDatabase);
    bill.m_strPatNr = "100", bill.m_strBillKey = "B1", bill.m_strStatus = "b";
    bill.m_strLiqNr = "2023/00007";
    Write(bill);
    AddFakt({.key = "R1", .datum = "20230310"});
    AddBeh({.id = 1, .fakt = "R1", .datum = "20230301", .cent = 100, .bill = "B1"});
    // Searched before the hit (an open bill), and after it (never reached).
    AddBeh({.id = 2, .fakt = "", .datum = "20230201", .cent = 0, .bill = "B0"});
    AddBeh({.id = 3, .fakt = "", .datum = "20230401", .cent = 0, .bill = "B0"});
    AddBeh({.id = 4, .fakt = "", .datum = "20230201", .cent = 0, .pat = "999"}); // no hit
    auto& db = dbDatabase.Conn();
    db.Execute("UPDATE beh SET text = '\xC5\xBB\xC3\xB3\xC5\x82w' WHERE beh_id = 2");
    db.Execute("UPDATE beh SET text = 'Gda\xC5\x84sk' WHERE beh_id IN (3, 4)");
    db.Execute("INSERT INTO pat (pat_nr, name, vorname) VALUES ('999', 'Nowak', '\xC5\x81ucja')");
    db.Execute("INSERT INTO bill (pat_nr, bill_key, liq_nr) VALUES ('999', 'B9', 'L-\xC5\x81')");
    // Asking table by table, and reading the tables whole.
    for (const long nVorabAb : {LONG_MAX, 0L}) {
        SCOPED_TRACE(nVorabAb);
        std::size_t nGeaendert = 99;
        m_accu = CStatAccu();
        ASSERT_TRUE(RunLuWalk({"20230101", "20231231", "", LuMode::Invoices, nVorabAb}, m_settings,
                              m_accu, m_sum, m_strError, &nGeaendert))
            << m_strError;
        EXPECT_EQ(Row("R1").m_strLiqNr, "2023/00007");
        EXPECT_EQ(Row("R1").m_strPatName, "M\xFCller, Eva");
        EXPECT_EQ(nGeaendert, 1u);
        ASSERT_EQ(m_accu.m_vecErrors.size(), 1u) << Cp1252ToUtf8(m_accu.m_vecErrors[0].m_strText);
        EXPECT_NE(m_accu.m_vecErrors[0].m_strText.find("(\"?\xF3?w\")"), CString::npos)
            << Cp1252ToUtf8(m_accu.m_vecErrors[0].m_strText);
    }
}

// --- from the demo database through the hit file and back --------------------------

class LuDemoTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_pOld = InstallHostServices(m_pHost);
        fs::create_directories(m_dir / "data");
        m_strDb = NewTestDbLocation((m_dir / "praxis.db").string());
        CString strError;
        ASSERT_TRUE(WriteDemoDatabase(DbPath(), {.nInvoices = 400, .nSeed = 3}, strError))
            << strError;
    }
    void TearDown() override {
        ClosePracticeDatabase();
        InstallHostServices(m_pOld);
        fs::remove_all(m_dir);
    }
    std::string DbPath() const { return m_strDb; }
    std::string DataDir() const { return (m_dir / "data").string(); }
    std::string HitFile() const {
        std::ifstream in(m_dir / "data" / "vx_slu.txt", std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    int Pass(std::vector<std::string> words) {
        words.insert(words.begin(), {"vxstat", "lu", "pass", "--data", DataDir()});
        std::vector<char*> argv;
        for (std::string& w : words)
            argv.push_back(w.data());
        return CmdLuPass(static_cast<int>(argv.size()), argv.data());
    }

    fs::path m_dir = fs::temp_directory_path() / ("vxstat-lu-" + std::to_string(::getpid()));
    std::string m_strDb;
    std::shared_ptr<CScriptedHostServices> m_pHost = std::make_shared<CScriptedHostServices>();
    std::shared_ptr<IHostServices> m_pOld;
};

void ExpectSameBlock(const CLULabRechLst& a, const CLULabRechLst& b, const std::string& where) {
    EXPECT_EQ(a.m_bBelegt, b.m_bBelegt) << where;
    if (!a.m_bBelegt) return;
    for (std::size_t i = 0; i < std::size(CLULabRechLst::kBetraege); ++i)
        EXPECT_TRUE((a.*CLULabRechLst::kBetraege[i]).SameAs(b.*CLULabRechLst::kBetraege[i]))
            << where << " amount " << i;
}

TEST_F(LuDemoTest, RowsAndSumsSurviveTheHitFile) {
    CString strError;
    ASSERT_TRUE(OpenPracticeDatabase(DbPath(), strError)) << strError;
    const CLUDefault settings;
    CStatAccu accu;
    CLUSum sum;
    ASSERT_TRUE(
        RunLuWalk({"20230101", "20231231", "", LuMode::Invoices}, settings, accu, sum, strError))
        << strError;
    ASSERT_GT(sum.m_vecLabRech.size(), 30u);
    const std::set<STORNOTYP> typen = [&] {
        std::set<STORNOTYP> s;
        for (const CLULabRech& r : sum.m_vecLabRech)
            s.insert(r.m_nStornoTyp);
        return s;
    }();
    EXPECT_EQ(typen, (std::set<STORNOTYP>{-1, 0, 1})); // the demo cancels in every month
    accu.m_vecErrors.push_back({"1", "1001", "20230105", "Testfehler"});
    const CLUSum before = sum;
    ASSERT_TRUE(WriteLuHitFile(sum, accu, LuMode::Invoices, settings, DataDir(), strError))
        << strError;
    EXPECT_EQ(sum.m_vecLabRech.size(), before.m_vecLabRech.size());

    CLUSum read;
    CStatAccu readAccu;
    LuMode eMode = LuMode::Services;
    ASSERT_TRUE(ReadLuHitFile(read, readAccu, DataDir(), eMode, strError)) << strError;
    EXPECT_EQ(eMode, LuMode::Invoices);
    EXPECT_EQ(readAccu.m_vecErrors, accu.m_vecErrors);
    ASSERT_EQ(read.m_vecLabRech.size(), before.m_vecLabRech.size());
    for (std::size_t i = 0; i < read.m_vecLabRech.size(); ++i) {
        const CLULabRech& a = before.m_vecLabRech[i];
        const CLULabRech& b = read.m_vecLabRech[i];
        const std::string where = "row " + std::to_string(i);
        EXPECT_EQ(a.m_strRechNr + a.m_strFortlRgNr + a.m_strLiqNr + a.m_strStornoDatum,
                  b.m_strRechNr + b.m_strFortlRgNr + b.m_strLiqNr + b.m_strStornoDatum)
            << where;
        EXPECT_EQ(a.m_nStornoTyp, b.m_nStornoTyp) << where;
        for (int n = 0; n < 7; ++n)
            ExpectSameBlock(a.Block(n), b.Block(n), where);
    }
    EXPECT_EQ(LuBlockSummen(before), LuBlockSummen(read));

    // The listing: a heading, one line per row and used block, one per error.
    std::string strArgs[] = {"vxstat", "lu", "read", "--data", DataDir(), "--format", "tsv"};
    char* argv[std::size(strArgs)];
    for (std::size_t i = 0; i < std::size(strArgs); ++i)
        argv[i] = strArgs[i].data();
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(CmdLuRead(static_cast<int>(std::size(argv)), argv), 0);
    const std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1 + LuZeilenAnzahl(read) + 1);
    EXPECT_NE(out.find("\nE\t\t1\t"), std::string::npos);
}

// A walk over many invoices reads names, bills and the records of the
// liquidation-number search whole: in every mode the hit file is the same.
TEST_F(LuDemoTest, ReadingTablesWholeGivesTheSameHitFile) {
    CString strError;
    ASSERT_TRUE(OpenPracticeDatabase(DbPath(), strError)) << strError;
    const CLUDefault settings;
    const auto hitFile = [&](LuMode eMode, long nVorabAb) {
        CStatAccu accu;
        CLUSum sum;
        EXPECT_TRUE(
            RunLuWalk({"20190101", "20251231", "", eMode, nVorabAb}, settings, accu, sum, strError))
            << strError;
        EXPECT_TRUE(WriteLuHitFile(sum, accu, eMode, settings, DataDir(), strError)) << strError;
        const std::string text = HitFile();
        return text.substr(text.find('\n')); // without the run's id
    };
    for (const LuMode eMode :
         {LuMode::Services, LuMode::Invoices, LuMode::Paid, LuMode::Manual, LuMode::Cancelled}) {
        SCOPED_TRACE(static_cast<int>(eMode));
        const std::string strEinzeln = hitFile(eMode, LONG_MAX);
        EXPECT_EQ(hitFile(eMode, 0), strEinzeln);
        if (eMode == LuMode::Invoices) { // every invoice of the demo, at least a line each
            EXPECT_GT(std::count(strEinzeln.begin(), strEinzeln.end(), '\n'), 300);
        }
    }
}

TEST_F(LuDemoTest, BadInputLeavesTheHitFileAsItWas) {
    ASSERT_EQ(Pass({"--db", DbPath(), "--from", "2023-01-01", "--to", "2023-12-31"}), 0);
    const std::string before = HitFile();
    ASSERT_NE(before.find("\nL\t"), std::string::npos);
    EXPECT_NE(
        Pass({"--db", (m_dir / "fehlt.db").string(), "--from", "2023-01-01", "--to", "2023-12-31"}),
        0);
    EXPECT_NE(Pass({"--db", DbPath(), "--from", "2023-12-31", "--to", "2023-01-01"}), 0);
    EXPECT_NE(Pass({"--db", DbPath(), "--from", "2023-02-30", "--to", "2023-12-31"}), 0);
    EXPECT_NE(
        Pass({"--db", DbPath(), "--from", "2023-01-01", "--to", "2023-12-31", "--mandant", "9"}),
        0);
    EXPECT_EQ(HitFile(), before);
}

// Split by service date, the rows of one invoice differ in nothing the hit file
// carries but the extra key; read back, every row is whole again.
TEST_F(LuDemoTest, RowsSplitByServiceDateSurviveTheHitFile) {
    CString strError;
    ASSERT_TRUE(OpenPracticeDatabase(DbPath(), strError)) << strError;
    CLUDefault settings;
    settings.SetStetsLstDatum(true);
    CStatAccu accu;
    CLUSum sum;
    ASSERT_TRUE(
        RunLuWalk({"20230101", "20231231", "", LuMode::Services}, settings, accu, sum, strError))
        << strError;
    std::set<CString> setRechnungen;
    for (const CLULabRech& r : sum.m_vecLabRech)
        setRechnungen.insert(r.m_strLabRechNr);
    ASSERT_GT(sum.m_vecLabRech.size(), setRechnungen.size() + 10); // many invoices are split
    const CLUSum before = sum;
    ASSERT_TRUE(WriteLuHitFile(sum, accu, LuMode::Services, settings, DataDir(), strError))
        << strError;
    CLUSum read;
    CStatAccu readAccu;
    LuMode eMode = LuMode::Invoices;
    ASSERT_TRUE(ReadLuHitFile(read, readAccu, DataDir(), eMode, strError)) << strError;
    ASSERT_EQ(read.m_vecLabRech.size(), before.m_vecLabRech.size());
    for (std::size_t i = 0; i < read.m_vecLabRech.size(); ++i) {
        const CLULabRech& a = before.m_vecLabRech[i];
        const CLULabRech& b = read.m_vecLabRech[i];
        EXPECT_EQ(a.m_strZusatzKey, b.m_strZusatzKey);
        EXPECT_EQ(b.m_strZusatzKey, a.m_strLstDatum);
        for (int n = 0; n < 7; ++n)
            ExpectSameBlock(a.Block(n), b.Block(n), "row " + std::to_string(i));
    }
    EXPECT_EQ(LuBlockSummen(before), LuBlockSummen(read));
}

} // namespace
