// The print-variable file: writers and reader agree on every byte, broken lines are
// reported by file and line while the others are kept, a file that cannot be
// written leaves nothing half-written; the tab-stop texts.
#include "host/print/AbsTabs.h"
#include "host/print/PrintVarFile.h"
#include "print/LUPrintTabs.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace {

class PrintVarFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device rd;
        m_dir = fs::temp_directory_path() / ("vxstat-pvf-" + std::to_string(rd()));
        fs::create_directories(m_dir);
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(m_dir, fs::perms::owner_all, ec);
        fs::remove_all(m_dir, ec);
    }
    std::string Path(const char* szName) const { return (m_dir / szName).string(); }
    static std::string Read(const std::string& strPath) {
        std::ifstream in(strPath, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    fs::path m_dir;
};

TEST_F(PrintVarFileTest, WritersAndReaderAgreeOnEveryByte) {
    // Tabs, line breaks, backslashes and Windows-1252 bytes (ü, €) inside values.
    const CString strZeile = "01.01.2024\t\tM\xFCller\t12,50 \x80\\n\t";
    CPrintVarFile file;
    ASSERT_TRUE(file.Open(Path("a.dat")));
    Write_Variable(file, "Ueberschrift1", "Zeile 1\nZeile 2\r\\");
    Write_Column(file, "Spalteninhalt", strZeile);
    Write_2Columns(file, "Spalteninhalt", "fett", "Modus", "Fett");
    Write_3Columns(file, "Gruppenkopf", "Kopf", "Spalteninhalt", "x", "Modus", "normal");
    Write_4Columns(file, "Spalteninhalt", "rot", "Farbe", "255", "Modus", "Fett", "Unbekannt", "1");
    ASSERT_TRUE(file.Close());

    PrintDoc doc;
    std::vector<CString> vecFehler;
    ASSERT_TRUE(ReadPrintVarFile(Path("a.dat"), doc, vecFehler));
    EXPECT_TRUE(vecFehler.empty());
    EXPECT_EQ(doc.Variable("Ueberschrift1"), "Zeile 1\nZeile 2\r\\");
    EXPECT_EQ(doc.Variable("Fehlt"), "");
    ASSERT_EQ(doc.vecZeilen.size(), 4u);
    EXPECT_EQ(doc.vecZeilen[0].strZeile, strZeile);
    EXPECT_FALSE(doc.vecZeilen[0].bFett);
    EXPECT_TRUE(doc.vecZeilen[1].bFett);
    EXPECT_EQ(doc.vecZeilen[2].strGruppenkopf, "Kopf");
    EXPECT_FALSE(doc.vecZeilen[2].bFett);
    EXPECT_TRUE(doc.vecZeilen[3].bFarbe);
    EXPECT_EQ(doc.vecZeilen[3].nFarbe, 255u);
    // One record per line: the raw file has exactly five lines.
    const std::string strRaw = Read(Path("a.dat"));
    EXPECT_EQ(std::count(strRaw.begin(), strRaw.end(), '\n'), 5);
}

TEST_F(PrintVarFileTest, BrokenLinesAreReportedByLineAndTheOthersKept) {
    struct Fall {
        const char* szZeile;
        const char* szGrund;
    };
    const Fall faelle[] = {
        {"X\tSpalteninhalt\tx", "unbekannte Satzart"},
        {"S\tSpalteninhalt", "falsche Anzahl Felder"},
        {"V\tA\t1\tB\t2", "falsche Anzahl Felder"},
        {"S\tSpalteninhalt\tab\\q", "nach"},
        {"S\ta\t1\tb\t2\tc\t3\td\t4\te\t5", "falsche Anzahl Felder"},
    };
    std::string strInhalt = "S\tSpalteninhalt\tgut 1\n";
    for (const Fall& f : faelle)
        strInhalt += std::string(f.szZeile) + "\n";
    strInhalt += "\nS\tSpalteninhalt\tgut 2\r\n";
    std::ofstream(Path("b.dat"), std::ios::binary) << strInhalt;

    PrintDoc doc;
    std::vector<CString> vecFehler;
    ASSERT_TRUE(ReadPrintVarFile(Path("b.dat"), doc, vecFehler));
    ASSERT_EQ(doc.vecZeilen.size(), 2u);
    EXPECT_EQ(doc.vecZeilen[0].strZeile, "gut 1");
    EXPECT_EQ(doc.vecZeilen[1].strZeile, "gut 2");
    ASSERT_EQ(vecFehler.size(), std::size(faelle));
    for (std::size_t n = 0; n < vecFehler.size(); ++n) {
        SCOPED_TRACE(faelle[n].szZeile);
        EXPECT_NE(vecFehler[n].find(Path("b.dat")), CString::npos);
        EXPECT_NE(vecFehler[n].find("Zeile " + std::to_string(n + 2) + ":"), CString::npos);
        EXPECT_NE(vecFehler[n].find(faelle[n].szGrund), CString::npos);
    }
    EXPECT_FALSE(ReadPrintVarFile(Path("fehlt.dat"), doc, vecFehler));
}

TEST_F(PrintVarFileTest, NothingHalfWrittenWhenTheFileCannotBeWritten) {
    CPrintVarFile file;
    EXPECT_FALSE(file.Open(Path("kein/ordner.dat")));
    Write_Column(file, "Spalteninhalt", "x"); // ignored on a file not open
    EXPECT_FALSE(file.Close());
    EXPECT_FALSE(fs::exists(m_dir / "kein"));

    // The old file stays whole when the new one cannot be put in place.
    std::ofstream(Path("c.dat")) << "S\tSpalteninhalt\talt\n";
    ASSERT_TRUE(file.Open(Path("c.dat")));
    Write_Column(file, "Spalteninhalt", "neu");
    fs::permissions(m_dir, fs::perms::owner_read | fs::perms::owner_exec);
    const bool bGeschrieben = file.Close();
    fs::permissions(m_dir, fs::perms::owner_all);
    if (::geteuid() != 0) { // root may write anyway
        EXPECT_FALSE(bGeschrieben);
    }
    const std::string strNachher = Read(Path("c.dat"));
    EXPECT_TRUE(strNachher == "S\tSpalteninhalt\talt\n" || strNachher == "S\tSpalteninhalt\tneu\n");
    for (const auto& entry : fs::directory_iterator(m_dir))
        EXPECT_EQ(entry.path().filename(), "c.dat") << "left behind: " << entry.path();
}

TEST(AbsTabs, PrintTablesBecomeTabTextsAndBack) {
    EXPECT_EQ(MakeAbsTabs(AbsTabsLuDruck),
              "66,4,125,120,r65,r59,r59,r59,r59,r59,r59,r65,r50,r80,r60");
    EXPECT_EQ(MakeAbsTabs(AbsTabsLuDruckManLabRech),
              "55,5,260,r55,r65,r59,r59,r59,r59,r55,r65,r50,r85,60");
    EXPECT_EQ(MakeAbsTabs(AbsTabsLuDruckMitTechnMat),
              "66,4,125,120,r65,r59,r59,r59,r59,r59,r59,r59,r65,r50,r80,r60");
    const std::vector<PrintTabStop> stops = ParseAbsTabs("66,r59,x,r");
    ASSERT_EQ(stops.size(), 4u);
    EXPECT_FALSE(stops[0].bRechts);
    EXPECT_EQ(stops[0].nBreite, 66);
    EXPECT_TRUE(stops[1].bRechts);
    EXPECT_EQ(stops[1].nBreite, 59);
    EXPECT_EQ(stops[2].nBreite, 0);
    EXPECT_TRUE(stops[3].bRechts);
    EXPECT_TRUE(ParseAbsTabs("").empty());
}

} // namespace
