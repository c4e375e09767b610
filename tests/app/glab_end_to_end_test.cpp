// The commercial-lab statistics from a demo database through the walk, the hit
// file and back, and the two commands around it.
#include "app/DemoDatabase.h"
#include "app/GlabCommands.h"
#include "app/GlabWalk.h"
#include "glab/File2Glab.h"
#include "glab/Glab2File.h"
#include "glab/GlabSum.h"
#include "host/ScriptedHostServices.h"
#include "host/TextUtil.h"
#include "host/db/Database.h"
#include "host/db/ZGLKuFakt.h"
#include "host/stat/StatAccu.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

class GlabEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device rd;
        m_dir = fs::temp_directory_path() / ("vxstat-glab-" + std::to_string(rd()));
        fs::create_directories(m_dir / "data");
        m_pOld = InstallHostServices(std::make_shared<CScriptedHostServices>());
        CString strError;
        DemoOptions opt;
        opt.nInvoices = 300; // 30 customer invoices
        ASSERT_TRUE(WriteDemoDatabase(Db(), opt, strError)) << strError;
        ASSERT_TRUE(OpenPracticeDatabase(Db(), strError)) << strError;
        CZGLKuFakt fremd(&dbDatabase); // an invoice to a customer glku does not know
        fremd.m_strKuNr = "999";
        fremd.m_strRechNr = "990001";
        fremd.m_strDatum = "20200101";
        fremd.m_strBetraege = "     1000";
        ASSERT_EQ(fremd.Write(), 0) << fremd.GetLastError();
    }
    void TearDown() override {
        ClosePracticeDatabase();
        InstallHostServices(m_pOld);
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }

    std::string Db() const { return (m_dir / "praxis.db").string(); }
    std::string Data() const { return (m_dir / "data").string(); }

    int Cmd(std::vector<std::string> words) {
        std::vector<char*> argv;
        for (std::string& w : words)
            argv.push_back(w.data());
        ClosePracticeDatabase(); // the commands open it themselves
        const int argc = static_cast<int>(argv.size());
        return words[2] == "pass" ? CmdGlabPass(argc, argv.data()) : CmdGlabRead(argc, argv.data());
    }

    fs::path m_dir;
    std::shared_ptr<IHostServices> m_pOld;
};

TEST_F(GlabEndToEnd, WalkFileAndReaderGiveTheRowsOfTheDatabase) {
    // What the module reads from the records directly, by invoice.
    CGlabSum direkt;
    CZGLKuFakt rs;
    for (int rc = rs.GetByK1(CTKRSet::kFromKey); rc == 0; rc = rs.Next())
        direkt.MoveSammelLabRech(rs);
    ASSERT_EQ(direkt.m_vecFakt.size(), 31u);
    std::map<CString, const CGlabFakt*> mapDirekt;
    for (const CGlabFakt& f : direkt.m_vecFakt)
        mapDirekt[f.m_strLabKu + "/" + f.m_strRechNr] = &f;

    CStatAccu accu;
    accu.SetPeriod("20190101", "20251231");
    CString strError;
    ASSERT_TRUE(CGlabWalk().Run(accu, strError)) << strError;
    EXPECT_EQ(accu.GetGesamtAnzahl(), 31);
    CGlab2File writer(nullptr);
    ASSERT_TRUE(writer.Run(accu, Data(), strError)) << strError;

    CStatAccu gelesen;
    CGlabSum sum;
    CFile2Glab reader(&sum, nullptr);
    ASSERT_TRUE(reader.Run(gelesen, Data(), strError)) << strError;
    ASSERT_EQ(sum.m_vecFakt.size(), 31u);
    CString strVorher;
    for (const CGlabFakt& f : sum.m_vecFakt) {
        EXPECT_LE(strVorher, f.m_strDatum); // by date
        strVorher = f.m_strDatum;
        const CGlabFakt& d = *mapDirekt.at(f.m_strLabKu + "/" + f.m_strRechNr);
        for (auto p : {&CGlabFakt::m_strInfo1, &CGlabFakt::m_strDatum, &CGlabFakt::m_strInfo2,
                       &CGlabFakt::m_strInfo3, &CGlabFakt::m_strAnzRech, &CGlabFakt::m_strInfo4,
                       &CGlabFakt::m_strInfo5})
            EXPECT_EQ(f.*p, d.*p);
        EXPECT_EQ(f.m_bStorno, d.m_bStorno);
        for (auto p :
             {&CGlabFakt::m_TechnLst, &CGlabFakt::m_Material, &CGlabFakt::m_Metall,
              &CGlabFakt::m_Betrag4, &CGlabFakt::m_MwSt, &CGlabFakt::m_Netto, &CGlabFakt::m_Brutto})
            EXPECT_TRUE((f.*p).SameAs(d.*p)) << f.m_strRechNr;
    }
    // The unknown customer is reported with its invoice, and the invoice listed.
    EXPECT_EQ(gelesen.m_vecErrors, accu.m_vecErrors);
    ASSERT_FALSE(gelesen.m_vecErrors.empty());
    EXPECT_EQ(gelesen.m_vecErrors[0].m_strText,
              "Kundenrechnung 990001 vom 01.01.2020 (Laborkunde 999): Der Laborkunde fehlt in "
              "der Kundendatei.");
    EXPECT_EQ(gelesen.GetLaborkunde(), "alle");
}

TEST_F(GlabEndToEnd, CommandsRefuseBadInputAndKeepTheOldFile) {
    CZGLKuFakt rs; // a customer with invoices in 2020
    ASSERT_EQ(rs.GetByDatum("20200102", "20201231", ""), 0);
    const std::string kunde = rs.m_strKuNr;
    const std::string strHits = (m_dir / "data" / "vx_gla.txt").string();
    auto pass = [&](const char* pszVon, const char* pszBis, const std::string& strKunde) {
        return Cmd({"vxstat", "glab", "pass", "--db", Db(), "--data", Data(), "--from", pszVon,
                    "--to", pszBis, "--kunde", strKunde});
    };
    EXPECT_NE(pass("2020-01-01", "2019-12-31", "alle"), 0); // ends before it starts
    EXPECT_NE(pass("2020-01-01", "2020-02-30", "alle"), 0);
    EXPECT_NE(pass("2020-01-01", "2020-12-31", "12x"), 0);
    EXPECT_NE(pass("2020-01-01", "2020-12-31", "Alle"), 0);
    EXPECT_FALSE(fs::exists(strHits));
    EXPECT_NE(Cmd({"vxstat", "glab", "read", "--data", Data()}), 0); // nothing to read

    ASSERT_EQ(pass("2020-01-01", "2020-12-31", kunde), 0);
    std::ifstream in(strHits, std::ios::binary);
    const std::string vorher((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(Cmd({"vxstat", "glab", "pass", "--db", Db() + ".fehlt", "--data", Data(), "--from",
                   "2019-01-01", "--to", "2025-12-31"}),
              0);
    std::ifstream nachher(strHits, std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(nachher)), {}), vorher);

    testing::internal::CaptureStdout();
    const int rc = Cmd({"vxstat", "glab", "read", "--data", Data(), "--format", "tsv"});
    std::istringstream out(testing::internal::GetCapturedStdout());
    ASSERT_EQ(rc, 0);
    std::string line;
    std::getline(out, line);
    EXPECT_EQ(line.rfind("Kunde\tRng.-Nr.\tDatum", 0), 0u);
    int nZeilen = 0;
    for (; std::getline(out, line); ++nZeilen) {
        EXPECT_EQ(line.rfind(kunde + "\t", 0), 0u) << line; // customer and period kept
        EXPECT_NE(line.find(".2020\t"), std::string::npos) << line;
        EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 10);
    }
    EXPECT_GT(nZeilen, 0);
}

// What no amount, number or day reads is reported with its invoice; the invoice is
// listed with what can be read (or, without a day, left out) and the walk goes on.
TEST_F(GlabEndToEnd, BadStoredDataIsReportedWithItsInvoice) {
    struct Bad {
        const char *rechNr, *datum, *betraege, *mwst, *fehler;
    };
    const Bad bad[] = {
        {"800001", "20230105", "     1000", "e12,34", "Die Umsatzsteuer \"e12,34\" ist kein"},
        {"800002", "20230105", "     1000", "x1234", "Die Umsatzsteuer \"x1234\" ist kein"},
        {"800003", "20230105", "     1000", "EUR 5", "Die Umsatzsteuer \"EUR 5\" ist kein"},
        {"800004", "20230105", "     1000", "e   12a", "Die Umsatzsteuer \"e   12a\" ist kein"},
        {"800005", "20230105", "     1000     abcd", "e 70",
         "Der 2. Betrag der Betragsliste (\"     abcd\") ist keine Zahl"},
        {"800006", "20230105", "      ---", "e 70",
         "Der 1. Betrag der Betragsliste (\"      ---\") ist keine Zahl"},
        {"800007", "20230105", "     1000                                 xyz", "e 70",
         "Die Betragsliste hat hinter ihrem vierten Betrag noch \"      xyz\""},
        {"800008", "2023-07-07", "     1000", "e 70", "kein g\xFCltiges Rechnungsdatum"},
        {"800009", "20230230", "     1000", "e 70", "kein g\xFCltiges Rechnungsdatum"},
        {"800010", "2023061", "     1000", "e 70", "kein g\xFCltiges Rechnungsdatum"},
    };
    for (const Bad& b : bad) {
        CZGLKuFakt rs(&dbDatabase);
        rs.m_strKuNr = "102", rs.m_strRechNr = b.rechNr, rs.m_strDatum = b.datum;
        rs.m_strBetraege = b.betraege, rs.m_strMwSt = b.mwst;
        ASSERT_EQ(rs.Write(), 0) << rs.GetLastError();
    }
    CStatAccu accu;
    accu.SetPeriod("20230101", "20231231");
    accu.SetLaborkunde("0102"); // customer 102, as the reading side shows it
    CString strError;
    CGlabWalk walk;
    ASSERT_TRUE(walk.Run(accu, strError)) << strError;
    EXPECT_EQ(accu.GetLaborkunde(), "102");
    std::size_t nListed = 0;
    for (const CGlabFaktHitLine& hit : accu.m_vecGlabHits) {
        EXPECT_EQ(hit.m_strLabKu, "102");
        nListed += hit.m_strRechNr.rfind("8000", 0) == 0;
    }
    EXPECT_EQ(nListed, 7u); // all but the three without a day
    for (const Bad& b : bad) {
        std::size_t nMeldungen = 0;
        for (const CBehErrors& e : accu.m_vecErrors)
            nMeldungen += e.m_strText.find(b.rechNr) != CString::npos &&
                          e.m_strText.find(b.fehler) != CString::npos;
        EXPECT_EQ(nMeldungen, 1u) << b.rechNr << ": " << ::testing::PrintToString(accu.m_vecErrors);
    }
    // Customer 102's own invoices of 2023 are there too.
    CZGLKuFakt rs;
    std::size_t nDirekt = 0;
    for (int rc = rs.GetByDatum("20230101", "20231231", "102"); rc == 0; rc = rs.Next())
        nDirekt += IsDbDate(rs.m_strDatum);
    EXPECT_EQ(accu.m_vecGlabHits.size(), nDirekt);
    EXPECT_GT(nDirekt, nListed);
    EXPECT_EQ(walk.GeaenderteTexte(), 0u);
}

TEST_F(GlabEndToEnd, TextsThatLoseCharactersAreCounted) {
    dbDatabase.Conn().Execute(
        "UPDATE glkufakt SET info1 = '\xC5\x81ukasz' WHERE rech_nr = '990001'");
    CStatAccu accu;
    accu.SetPeriod("20190101", "20251231");
    CString strError;
    CGlabWalk walk;
    ASSERT_TRUE(walk.Run(accu, strError)) << strError;
    EXPECT_EQ(walk.GeaenderteTexte(), 1u);
    ASSERT_FALSE(accu.m_vecErrors.empty());
    EXPECT_NE(accu.m_vecErrors.back().m_strText.find("(\"?ukasz\")"), CString::npos);
}

} // namespace
