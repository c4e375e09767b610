#include "host/gui/ListViewMatrixSort.h"
#include "host/gui/MatrixSortKey.h"
#include "host/gui/WPFMatrix.h"

#include "support/GuiTestApp.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>
#include <random>

namespace {

// One column per type character, as the list's type text gives them.
constexpr const char* kTypes = "123450";

class SortTest : public ::testing::Test {
protected:
    void SetUp() override {
        GuiTestApp();
        m_sort.Init(nullptr, &m_matrix, 6, kTypes);
    }

    void Fill(int nCol, const std::vector<CString>& vecTexts) {
        m_matrix.Clear();
        for (std::size_t n = 0; n < vecTexts.size(); ++n) {
            const int nRow = m_matrix.DoAdd();
            m_matrix[nRow][nCol] = vecTexts[n];
            m_matrix[nRow][5] = std::to_string(n); // where the row came from
        }
        m_sort.SetVectorIndizesToMatrix();
    }

    std::vector<CString> Column(int nCol) const {
        std::vector<CString> vecTexts;
        for (int nRow = 0; nRow < m_matrix.Count(); ++nRow)
            vecTexts.push_back(m_matrix.GetValue(nRow, nCol));
        return vecTexts;
    }

    CWPFMatrix<6> m_matrix;
    CListViewMatrixSort m_sort;
};

using Texts = std::vector<CString>;

TEST_F(SortTest, EachColumnTypeHasItsOwnOrder) {
    Fill(0, {"zahn", "\xC4rger", "Abel", "", "arm"}); // Ärger
    ASSERT_TRUE(m_sort.SortMatrix(0, true));
    EXPECT_EQ(Column(0), (Texts{"", "Abel", "\xC4rger", "arm", "zahn"}));

    // Amounts in display form; an empty cell is a zero amount.
    Fill(1, {"1.234,56", "-0,50", "", "99,00", "(12,00)", "  7", "-1.000,00"});
    ASSERT_TRUE(m_sort.SortMatrix(1, true));
    EXPECT_EQ(Column(1), (Texts{"-1.000,00", "-0,50", "", "  7", "(12,00)", "99,00", "1.234,56"}));

    Fill(2, {"31.01.2024", "01.02.2023", "", "15.06.2023", "20230101", "kein Datum"});
    ASSERT_TRUE(m_sort.SortMatrix(2, true));
    EXPECT_EQ(Column(2),
              (Texts{"", "20230101", "01.02.2023", "15.06.2023", "31.01.2024", "kein Datum"}));

    Fill(3, {"12.50", "1'234.56", "", "-3.1", "100"});
    ASSERT_TRUE(m_sort.SortMatrix(3, true));
    EXPECT_EQ(Column(3), (Texts{"-3.1", "", "12.50", "100", "1'234.56"}));

    // Invoice numbers by their numeric parts, right-justified or not.
    Fill(4, {"1/10/1", "  1/7/42", "", "2/1/1", "1/7/9", "M+L-Rng."});
    ASSERT_TRUE(m_sort.SortMatrix(4, true));
    EXPECT_EQ(Column(4), (Texts{"", "1/7/9", "  1/7/42", "1/10/1", "2/1/1", "M+L-Rng."}));
}

TEST_F(SortTest, EqualKeysKeepTheirOrderInBothDirections) {
    Fill(1, {"5,00", "", "5,00", "0,00", "5,00"});
    ASSERT_TRUE(m_sort.SortMatrix(1, false));
    EXPECT_EQ(Column(5), (Texts{"0", "2", "4", "1", "3"})); // ties: 0 2 4, then "" and "0,00"

    // A second key decides among equal first keys.
    m_matrix.Clear();
    for (const auto& [szRech, szPat] : {std::pair{"1/7/1", "30"}, {"1/7/1", "4"}, {"1/2/1", "9"}}) {
        const int nRow = m_matrix.DoAdd();
        m_matrix[nRow][4] = szRech;
        m_matrix[nRow][1] = szPat;
    }
    ASSERT_TRUE(m_sort.SortMatrix(4, true, 1, true));
    EXPECT_EQ(Column(1), (Texts{"9", "4", "30"}));
}

TEST_F(SortTest, HeaderClicksTurnTheDirectionOfTheSameColumnOnly) {
    Fill(1, {"2,00", "1,00", "3,00"});
    ASSERT_TRUE(m_sort.SortMatrixForClickedHeader(1));
    EXPECT_EQ(Column(1), (Texts{"1,00", "2,00", "3,00"}));
    ASSERT_TRUE(m_sort.SortMatrixForClickedHeader(1));
    EXPECT_EQ(Column(1), (Texts{"3,00", "2,00", "1,00"}));
    ASSERT_TRUE(m_sort.SortMatrixForClickedHeader(0)); // another column starts ascending
    EXPECT_TRUE(m_sort.GetSortAscending());
    ASSERT_TRUE(m_sort.SortMatrixForClickedHeader(1));
    EXPECT_TRUE(m_sort.GetSortAscending());

    // Type '0' and columns beyond the declared count do not sort.
    const Texts before = Column(5);
    EXPECT_FALSE(m_sort.SortMatrix(5, true));
    EXPECT_FALSE(m_sort.SortMatrix(6, true));
    EXPECT_EQ(Column(5), before);
}

TEST_F(SortTest, TheParallelVectorFollowsEverySort) {
    std::mt19937 random(42);
    std::vector<CString> vecAmounts;
    for (int n = 0; n < 500; ++n)
        vecAmounts.push_back(std::to_string(random() % 50) + "," +
                             std::to_string(10 + random() % 90));
    Fill(1, vecAmounts);
    std::vector<int> vecRecords(vecAmounts.size());
    std::iota(vecRecords.begin(), vecRecords.end(), 0); // record index per row

    // Several sorts, each replayed, with one unreplayed pair in between.
    int nSwaps = 0;
    const auto Replay = [&] {
        m_sort.SortVectorLikeMatrix([&](int a, int b) {
            std::swap(vecRecords[a], vecRecords[b]);
            ++nSwaps;
        });
    };
    m_sort.SortMatrix(1, true);
    Replay();
    m_sort.SortMatrix(1, false);
    m_sort.SortMatrix(4, true);
    Replay();
    m_sort.SortMatrixForClickedHeader(1);
    Replay();
    for (int nRow = 0; nRow < m_matrix.Count(); ++nRow)
        ASSERT_EQ(std::to_string(vecRecords[nRow]), m_matrix.GetValue(nRow, 5)) << nRow;
    EXPECT_LE(nSwaps, 3 * 500);

    // A replay without a sort changes nothing.
    const auto before = vecRecords;
    Replay();
    EXPECT_EQ(vecRecords, before);
}

TEST(MatrixSortKey, ParsesDisplayNumbersAndDates) {
    std::int64_t nWert = 0;
    ASSERT_TRUE(ParseDisplayNumber("1.234,56", nWert));
    EXPECT_EQ(nWert, 12345600);
    ASSERT_TRUE(ParseDisplayNumber("-0,5", nWert));
    EXPECT_EQ(nWert, -5000);
    EXPECT_FALSE(ParseDisplayNumber("12 St\xFC"
                                    "ck",
                                    nWert));
    EXPECT_FALSE(ParseDisplayNumber("-", nWert));
    ASSERT_TRUE(ParseDisplayDate("29.02.2024", nWert));
    EXPECT_EQ(nWert, 20240229);
    EXPECT_FALSE(ParseDisplayDate("30.02.2024", nWert));
}

} // namespace
