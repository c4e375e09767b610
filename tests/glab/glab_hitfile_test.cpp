// The commercial-lab hit file: writing, reading back, joining lines, selection.
#include "glab/File2Glab.h"
#include "glab/Glab2File.h"
#include "glab/GlabSum.h"
#include "host/stat_support.h"

#include <vector>

namespace {

CGlabFaktHitLine Hit(const CString& strKu, const CString& strRechNr, long long nTechnLst) {
    CGlabFaktHitLine hit;
    hit.m_strLabKu = strKu;
    hit.m_strRechNr = strRechNr;
    hit.m_TechnLst = CVzW7Betrag::FromCent(nTechnLst);
    return hit;
}

class GlabHitFileTest : public StatFolderTest {
protected:
    void WriteAndRead() {
        CGlab2File writer(nullptr);
        ASSERT_TRUE(writer.Run(m_accu, Dir(), m_strError)) << m_strError;
        CFile2Glab reader(&m_sum, nullptr);
        ASSERT_TRUE(reader.Run(m_read, Dir(), m_strError)) << m_strError;
    }
    CStatAccu m_accu, m_read;
    CGlabSum m_sum;
    CString m_strError;
};

TEST_F(GlabHitFileTest, ConsecutiveLinesOfOneInvoiceJoin) {
    m_accu.m_vecGlabHits = {Hit("101", "1", 1), Hit("101", "1", 2),  // same invoice: one row
                            Hit("101", "", 3),  Hit("101", "9", 4),  // empty number takes the next
                            Hit("102", "9", 5), Hit("101", "9", 6)}; // not adjacent: separate
    WriteAndRead();
    std::vector<long long> rows;
    for (const CGlabFakt& f : m_sum.m_vecFakt)
        rows.push_back(f.m_TechnLst.GetCent());
    EXPECT_EQ(rows, (std::vector<long long>{2, 4, 5, 6}));
    EXPECT_EQ(m_sum.m_vecFakt[1].m_strRechNr, "9");
}

TEST_F(GlabHitFileTest, BadLinesAreReportedAndGoodOnesKept) {
    m_accu.m_vecGlabHits = {Hit("101", "1", 1), Hit("102", "2", 2)};
    WriteAndRead();
    std::string text = ReadRaw("vx_gla.txt");
    // A third line whose gross amount (the last field) is no amount.
    const std::size_t nLast = text.rfind("\nW\t") + 1;
    std::string strNoAmount = text.substr(nLast, text.find('\n', nLast) - nLast);
    strNoAmount = strNoAmount.substr(0, strNoAmount.rfind('\t')) + "\tzw\xC3\xB6lf Euro\n";
    text.insert(nLast, "W\tzu wenig Felder\nL\tfremde Satzart\n" + strNoAmount);
    WriteRaw("vx_gla.txt", text);
    m_read.m_vecErrors.clear();
    CFile2Glab reader(&m_sum, nullptr);
    ASSERT_TRUE(reader.Run(m_read, Dir(), m_strError)) << m_strError;
    EXPECT_EQ(m_sum.m_vecFakt.size(), 2u);
    ASSERT_EQ(m_read.m_vecErrors.size(), 3u);
    EXPECT_EQ(m_read.m_vecErrors[0].m_strText.rfind("vx_gla.txt, Zeile 3: ", 0), 0u);
    EXPECT_EQ(m_read.m_vecErrors[1].m_strText.rfind("vx_gla.txt, Zeile 4: ", 0), 0u);
    EXPECT_EQ(m_read.m_vecErrors[2].m_strText, "vx_gla.txt, Zeile 5: Feld 18 ist kein Betrag: "
                                               "\"zw\xF6lf Euro\"");
}

TEST(GlabReader, LineKindsAndCheckMark) {
    CGlabSum sum;
    sum.m_vecFakt.resize(1);
    sum.m_vecFakt[0].m_strLabKu = "101";
    sum.m_vecFakt[0].m_bChecked = true;
    CStatAccu accu;
    CFile2Glab reader(&sum, nullptr);
    reader.m_pAccu = &accu;
    CStatLines line;
    line.MoveGlab2File(Hit("101", "5", 7));
    EXPECT_TRUE(reader.MoveDataFromFile(line));
    EXPECT_EQ(sum.m_vecFakt[0].m_strRechNr, "5");
    EXPECT_TRUE(sum.m_vecFakt[0].m_bChecked);
    for (const char* pszKind : {"w", "WW", "L"}) {
        line.Set(CStatLines::SatzArt, pszKind);
        EXPECT_FALSE(reader.MoveDataFromFile(line));
    }
    line.MoveError2File({"", "", "", "Fehler"});
    EXPECT_FALSE(reader.MoveDataFromFile(line));
    EXPECT_EQ(sum.m_vecFakt.size(), 1u);
    EXPECT_EQ(accu.m_vecErrors.size(), 1u);
}

// The room for rows taken at once is bounded, whatever the size of the file: here
// a valid header followed by 1 GB of a sparse file, read as one overlong line.
TEST_F(GlabHitFileTest, RoomForRowsIsBoundedForAHugeFile) {
    WriteRaw("vx_gla.txt", std::string(CStatEval::kHeader) + "\n");
    std::filesystem::resize_file(PathOf("vx_gla.txt"), std::uintmax_t{1} << 30);
    WriteRaw("vx_gla.sel", "");
    CFile2Glab reader(&m_sum, nullptr);
    ASSERT_TRUE(reader.Run(m_read, Dir(), m_strError)) << m_strError;
    EXPECT_TRUE(m_sum.m_vecFakt.empty());
    EXPECT_LE(m_sum.m_vecFakt.capacity(), static_cast<std::size_t>(CFile2Glab::kMostRowsAhead));
    ASSERT_EQ(m_read.m_vecErrors.size(), 1u);
    EXPECT_EQ(m_read.m_vecErrors[0].m_strText, "vx_gla.txt, Zeile 2: l\xE4nger als 64 MiB");
}

TEST_F(GlabHitFileTest, LaborkundeIsAlleOrAFourPlaceNumber) {
    const std::string strSel = PathOf("vx_gla.sel");
    for (const auto& [strWert, strGelesen] :
         std::vector<std::pair<CString, CString>>{{"alle", "alle"},
                                                  {"Alle", "   0"},
                                                  {"", "   0"},
                                                  {"12x", "  12"},
                                                  {" 7", "   7"},
                                                  {"12345", "12345"},
                                                  {"-5", "  -5"},
                                                  {"99999999999", "2147483647"}}) {
        ASSERT_TRUE(CDBIniFile::WriteOneString(strSel, "Selektion", "Laborkunde", strWert));
        CFile2Glab reader(&m_sum, nullptr);
        reader.m_pAccu = &m_read;
        EXPECT_TRUE(reader.ReadMoreSelektions(strSel));
        EXPECT_EQ(m_read.GetLaborkunde(), strGelesen) << strWert;
    }
}

} // namespace
