// "vxstat lu export" run as a practice scripts it: a demo database, its pass, then
// the workbook, read back with openpyxl; wrong calls and unwritable paths.
#include "app/CommandHelp.h"

#include "support/XlsxReader.h"

#include "support/RunVxstat.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using Result = VxstatResult;

std::int64_t Cent(const std::string& strWert) {
    return strWert.empty() ? 0 : std::llround(std::stod(strWert) * 100.0);
}

class LuExportCommand : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::random_device rd;
        s_dir = fs::temp_directory_path() / ("vxstat-export-" + std::to_string(rd()));
        fs::create_directories(s_dir);
        ASSERT_EQ(Run({"demo-db", In("praxis.db"), "--invoices", "200", "--seed", "5"}).nExit,
                  kExitOk);
        const Result r = Run({"lu", "pass", "--db", In("praxis.db"), "--from", "2000-01-01", "--to",
                              "2099-12-31", "--data", In("data")});
        ASSERT_EQ(r.nExit, kExitOk) << r.strErr;
    }
    static void TearDownTestSuite() {
        std::error_code ec;
        fs::remove_all(s_dir, ec);
    }
    static std::string In(const char* szName) { return (s_dir / szName).string(); }

    static Result Run(const std::vector<std::string>& args) { return RunVxstat(args, s_dir); }
    static fs::path s_dir;
};
fs::path LuExportCommand::s_dir;

TEST_F(LuExportCommand, WritesTheListWhoseSumsAddUpToTheCent) {
    const Result r = Run(
        {"lu", "export", "--data", In("data"), "--db", In("praxis.db"), "--xlsx", In("alle.xlsx")});
    ASSERT_EQ(r.nExit, kExitOk) << r.strErr;
    EXPECT_NE(r.strOut.find("gespeichert."), std::string::npos) << r.strOut;
    const XlsxInhalt x = ReadXlsx(In("alle.xlsx"));
    ASSERT_TRUE(x.bGelesen);
    EXPECT_EQ(x.Wert(0, 1), "Pat.-Nr.");
    const int nSumme = x.LetzteZeile();
    ASSERT_GT(nSumme, 10);
    EXPECT_EQ(x.Wert(nSumme, 0), "Gesamtsummen (markierte Laborumsätze)");
    ASSERT_EQ(x.vecVerbunden.size(), 1u);
    EXPECT_EQ(x.vecVerbunden[0], "A" + std::to_string(nSumme + 1) + ":" +
                                     (x.Wert(0, 2) == "Name" ? "F" : "E") +
                                     std::to_string(nSumme + 1));
    // Every row is marked: each sum is the sum of its column.
    const int nErsteBetragsSpalte = x.Wert(0, 2) == "Name" ? 6 : 5;
    for (int c = nErsteBetragsSpalte; c < nErsteBetragsSpalte + 10; ++c) {
        std::int64_t nSpalte = 0;
        for (int nRow = 2; nRow < nSumme - 1; ++nRow) {
            const std::string strTyp = x.Typ(nRow, c);
            EXPECT_TRUE(strTyp.empty() || strTyp == "n") << nRow << "/" << c;
            nSpalte += Cent(x.Wert(nRow, c));
        }
        EXPECT_EQ(Cent(x.Wert(nSumme, c)), nSpalte) << x.Wert(0, c);
    }
}

// View 7: the technicians of the hit file ranked by technical services, each
// followed by its treaters, whose amounts add up to the technician's.
TEST_F(LuExportCommand, RankingOfTheTechniciansWithTheirTreaters) {
    const Result r = Run({"lu", "export", "--view", "7", "--data", In("data"), "--db",
                          In("praxis.db"), "--xlsx", In("ranking.xlsx")});
    ASSERT_EQ(r.nExit, kExitOk) << r.strErr;
    const XlsxInhalt x = ReadXlsx(In("ranking.xlsx"));
    ASSERT_TRUE(x.bGelesen);
    EXPECT_EQ(x.Wert(0, 1), "Techniker(in)");
    EXPECT_EQ(x.Wert(0, 5), "Praxis-%");

    struct Block {
        std::int64_t nTechnLst = 0, nGesamt = 0, nBehandlerTechnLst = 0, nBehandlerGesamt = 0;
        int nBehandler = 0;
    };
    std::vector<Block> blocks;
    double dProzent = 0;
    for (int nRow = 1; nRow <= x.LetzteZeile(); ++nRow) {
        if (!x.Zelle(nRow, 0)) { // an empty row: a technician follows
            ASSERT_NE(x.Zelle(nRow + 1, 0), nullptr) << nRow;
            ++nRow;
            blocks.push_back({Cent(x.Wert(nRow, 2)), Cent(x.Wert(nRow, 4)), 0, 0, 0});
            EXPECT_EQ(x.Wert(nRow, 0), std::to_string(blocks.size())) << nRow;
            dProzent += std::stod(x.Wert(nRow, 5));
            ++nRow;
            EXPECT_EQ(x.Wert(nRow, 1), "Behandler") << nRow;
            continue;
        }
        ASSERT_FALSE(blocks.empty()) << nRow;
        Block& b = blocks.back();
        b.nBehandlerTechnLst += Cent(x.Wert(nRow, 2));
        b.nBehandlerGesamt += Cent(x.Wert(nRow, 4));
        ++b.nBehandler;
    }
    ASSERT_GE(blocks.size(), 2u); // the demo's technicians
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_GT(blocks[i].nBehandler, 0);
        EXPECT_EQ(blocks[i].nBehandlerTechnLst, blocks[i].nTechnLst);
        EXPECT_EQ(blocks[i].nBehandlerGesamt, blocks[i].nGesamt);
        if (i > 0) {
            EXPECT_LE(blocks[i].nTechnLst, blocks[i - 1].nTechnLst);
        }
    }
    EXPECT_NEAR(dProzent, 100.0, 0.01 * static_cast<double>(blocks.size()));
}

TEST_F(LuExportCommand, ViewAndMarkedOnlyAndBadCalls) {
    const Result r = Run({"lu", "export", "--view", "6", "--marked-only", "--data", In("data"),
                          "--xlsx", In("19.xlsx")});
    ASSERT_EQ(r.nExit, kExitOk) << r.strErr;
    const XlsxInhalt x = ReadXlsx(In("19.xlsx"));
    ASSERT_TRUE(x.bGelesen);
    const int nSumme = x.LetzteZeile();
    for (int nRow = 2; nRow < nSumme - 1; ++nRow) // the 19 % tab: no other rate
        EXPECT_EQ(x.Zelle(nRow, 8), nullptr) << nRow;

    const Result fehlt = Run({"lu", "export", "--data", In("data"), "--xlsx", In("nein/x.xlsx")});
    EXPECT_EQ(fehlt.nExit, kExitFehler);
    EXPECT_NE(fehlt.strErr.find("Fehler beim Speichern der Datei:"), std::string::npos);
    EXPECT_FALSE(fs::exists(In("nein")));

    const std::vector<std::vector<std::string>> falsch = {
        {"lu", "export", "--data", In("data")},
        {"lu", "export", "--data", In("data"), "--view", "8", "--xlsx", In("r.xlsx")},
        {"lu", "export", "--data", In("data"), "--view", "7", "--xlsx", In("r.xlsx")}, // no --db
        {"lu", "export", "--data", In("data"), "--db", In("praxis.db"), "--view", "7",
         "--marked-only", "--xlsx", In("r.xlsx")},
        {"lu", "export", "--data", In("data"), "--xlsx", In("r.xlsx"), "zuviel"},
    };
    for (const auto& args : falsch)
        EXPECT_EQ(Run(args).nExit, kExitAufruf) << args.back();
    EXPECT_EQ(Run({"lu", "export", "--data", In("keiner"), "--xlsx", In("k.xlsx")}).nExit,
              kExitFehler);
    EXPECT_FALSE(fs::exists(In("r.xlsx")));
}

} // namespace
