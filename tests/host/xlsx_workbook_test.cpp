// The workbook writer: exact amounts from display texts, dates, texts beyond
// ASCII, merged ranges, read back by openpyxl; a failed save leaves nothing behind.
#include "host/Cp1252.h"
#include "host/xlsx/Workbook.h"

#include "support/XlsxReader.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct DezimalFall {
    const char* szText;
    bool bOk;
    std::int64_t nMantisse;
    int nNachkomma;
    bool bKlammer;
};

TEST(XlsxWorkbook, ParsesDisplayedAmountsExactly) {
    const DezimalFall faelle[] = {
        {"1.234,56", true, 123456, 2, false},
        {"-0,50", true, -50, 2, false},
        {"(12,00)", true, 1200, 2, true},
        {" 7 ", true, 7, 0, false},
        {"1.234.567.890,12", true, 123456789012, 2, false},
        {"12,5", true, 125, 1, false},
        {"", false, 0, 0, false},
        {"-", false, 0, 0, false},
        {"1,2,3", false, 0, 0, false},
        {".5", false, 0, 0, false},
        {"12 %", false, 0, 0, false},
        {"99999999999999999999", false, 0, 0, false}, // beyond 64 bits: no wrap
    };
    for (const DezimalFall& f : faelle) {
        DezimalZahl zahl;
        EXPECT_EQ(ParseDezimal(f.szText, zahl), f.bOk) << f.szText;
        if (!f.bOk) continue;
        EXPECT_EQ(zahl.nMantisse, f.nMantisse) << f.szText;
        EXPECT_EQ(zahl.nNachkomma, f.nNachkomma) << f.szText;
        EXPECT_EQ(zahl.bKlammer, f.bKlammer) << f.szText;
    }
    int j = 0, m = 0, t = 0;
    EXPECT_TRUE(ParseDatum("29.02.2024", j, m, t));
    EXPECT_EQ(j * 10000 + m * 100 + t, 20240229);
    for (const char* szFalsch : {"30.02.2024", "2024-01-01", "1.1.2024", ""})
        EXPECT_FALSE(ParseDatum(szFalsch, j, m, t)) << szFalsch;
}

class XlsxWorkbookFile : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("vx_xlsx_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    fs::path m_dir;
};

TEST_F(XlsxWorkbookFile, CellsReadBackWithTheirTypesFormatsAndMerges) {
    const std::string strPfad = (m_dir / "Umsätze.xlsx").string();
    {
        CWorkbook book("Vx");
        CWorksheet* pSheet = book.AddSheet(Utf8ToCp1252("Übersicht"), {{0, 20.0}, {1, 20.0}});
        ASSERT_NE(pSheet, nullptr);
        const std::size_t nFett = book.AddStyle({true, kAlignHLeft, kNumStyleGeneral, 0});
        const std::size_t nDatum = book.AddStyle({false, kAlignHLeft, kNumStyleDate, 0});
        const std::size_t nGeld = book.AddStyle({false, kAlignHNone, kNumStyleMoney, 1});
        pSheet->BeginRow(0.0);
        pSheet->AddCell(Utf8ToCp1252("Größe € ä"), nFett);
        pSheet->AddCell("31.01.2024", nDatum);
        pSheet->AddCell("kein Datum", nDatum);
        pSheet->AddCellFloat("1.234,56", nGeld);
        pSheet->AddCellFloat("0,07", nGeld);
        pSheet->AddCellFloat("(70,00)", nGeld);
        pSheet->AddCellFloat("", nGeld);
        pSheet->AddCellFloat("-92.233.720.368.547.758,07", nGeld);
        pSheet->AddCellInt(3, nFett);
        pSheet->EndRow();
        pSheet->BeginRow(0.0);
        pSheet->AddCell("Summe", nFett);
        pSheet->AddEmptyCells(2);
        pSheet->AddCellFloat("0,30", nGeld);
        pSheet->EndRow();
        EXPECT_TRUE(pSheet->MergeCells({1, 0}, {1, 2}));
        pSheet->BeginRow(0.0);
        EXPECT_FALSE(pSheet->MergeCells({1, 0}, {1, 2})); // that row is written out
        ASSERT_TRUE(book.Save(strPfad));
    }
    const XlsxInhalt x = ReadXlsx(strPfad);
    ASSERT_TRUE(x.bGelesen);
    EXPECT_EQ(x.strAutor, "Vx");
    ASSERT_EQ(x.vecBlaetter.size(), 1u);
    EXPECT_EQ(x.vecBlaetter[0], "Übersicht");
    EXPECT_GE(x.mapBreiten.at(1), 20.0);
    EXPECT_LT(x.mapBreiten.at(1), 21.0);

    EXPECT_EQ(x.Wert(0, 0), "Größe € ä");
    EXPECT_TRUE(x.Zelle(0, 0)->bFett);
    EXPECT_EQ(x.Zelle(0, 0)->strAusrichtung, "left");
    EXPECT_EQ(x.Typ(0, 1), "d");
    EXPECT_EQ(x.Wert(0, 1), "2024-01-31");
    EXPECT_EQ(x.Typ(0, 2), "s");
    // Numbers are the nearest doubles of the exact decimals: no 1234.5600000001.
    EXPECT_EQ(x.Typ(0, 3), "n");
    EXPECT_EQ(x.Wert(0, 3), "1234.56");
    EXPECT_EQ(x.Zelle(0, 3)->strFormat, "#,##0.00");
    EXPECT_EQ(x.Wert(0, 4), "0.07");
    EXPECT_EQ(x.Wert(0, 5), "70"); // parentheses are the format's, the value stays
    EXPECT_EQ(x.Zelle(0, 5)->strFormat, "(#,##0.00)");
    EXPECT_EQ(x.Zelle(0, 6), nullptr);
    EXPECT_EQ(x.Wert(0, 7), "-9.223372036854776e+16");
    EXPECT_EQ(x.Wert(0, 8), "3");

    ASSERT_EQ(x.vecVerbunden.size(), 1u);
    EXPECT_EQ(x.vecVerbunden[0], "A2:C2");
    EXPECT_EQ(x.Wert(1, 0), "Summe");
    EXPECT_EQ(x.Wert(1, 3), "0.3");
}

TEST_F(XlsxWorkbookFile, FailedSaveLeavesNothingUnderTheNameAndKeepsAnOldFile) {
    auto schreibe = [](const std::string& strPfad) {
        CWorkbook book("Vx");
        CWorksheet* pSheet = book.AddSheet("Blatt", {});
        const std::size_t nText = book.AddStyle({});
        pSheet->BeginRow(0.0);
        pSheet->AddCell("neu", nText);
        pSheet->EndRow();
        return book.Save(strPfad);
    };
    EXPECT_FALSE(schreibe((m_dir / "fehlt" / "a.xlsx").string()));
    EXPECT_FALSE(fs::exists(m_dir / "fehlt"));

    // A folder stands under the name: the save fails and the folder stays as it was.
    fs::create_directories(m_dir / "b.xlsx" / "inhalt");
    EXPECT_FALSE(schreibe((m_dir / "b.xlsx").string()));
    EXPECT_TRUE(fs::is_directory(m_dir / "b.xlsx" / "inhalt"));
    for (const auto& entry : fs::directory_iterator(m_dir))
        EXPECT_EQ(entry.path().filename(), "b.xlsx") << "left behind: " << entry.path();

    // A successful save replaces an old file completely.
    const std::string strPfad = (m_dir / "c.xlsx").string();
    std::ofstream(strPfad) << "alte Datei";
    ASSERT_TRUE(schreibe(strPfad));
    EXPECT_EQ(ReadXlsx(strPfad).Wert(0, 0), "neu");
}

} // namespace
