#include "host/gui/WPFMatrix.h"

#include "support/GuiTestApp.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

class MatrixTest : public ::testing::Test {
protected:
    void SetUp() override { GuiTestApp(); }
    CWPFMatrix<3> m_matrix;
};

TEST_F(MatrixTest, AddsFindsSetsAndClearsRows) {
    EXPECT_TRUE(m_matrix.IsEmpty());
    for (const char* szId : {"07", "12", "07"}) {
        const int nRow = m_matrix.DoAdd();
        m_matrix[nRow][0] = szId;
        m_matrix[nRow][2] = CString("Name ") + szId;
    }
    EXPECT_EQ(m_matrix.Count(), 3);
    EXPECT_EQ(m_matrix.FindRow("07", 0), 0); // the first of equal cells
    EXPECT_EQ(m_matrix.FindRow("12", 0), 1);
    EXPECT_EQ(m_matrix.FindRow("7", 0), -1); // exact text, no number compare
    EXPECT_EQ(m_matrix.FindRow("07", 5), -1);

    m_matrix[1][1] = m_matrix[1][2]; // a cell copied, not the proxy rebound
    EXPECT_EQ(m_matrix.GetValue(1, 1), "Name 12");
    EXPECT_TRUE(m_matrix[1][1] == "Name 12");
    EXPECT_EQ(std::as_const(m_matrix)[1][1], "Name 12");

    // Cells outside the table read empty and swallow writes.
    m_matrix[3][0] = "x";
    m_matrix[0][3] = "x";
    EXPECT_EQ(m_matrix.GetValue(-1, 0), "");
    EXPECT_EQ(m_matrix.Count(), 3);

    m_matrix.Clear();
    EXPECT_TRUE(m_matrix.IsEmpty());
    EXPECT_EQ(m_matrix.GetValue(0, 0), "");
}

TEST_F(MatrixTest, ViewsHearOfAFillOnceAndOfCellWritesInOneSignal) {
    m_matrix.DoAdd();
    m_matrix.Flush();
    QSignalSpy resets(&m_matrix, &QAbstractItemModel::modelReset);
    QSignalSpy inserts(&m_matrix, &QAbstractItemModel::rowsInserted);
    QSignalSpy changes(&m_matrix, &QAbstractItemModel::dataChanged);

    m_matrix.Clear();
    for (int n = 0; n < 1000; ++n)
        m_matrix[m_matrix.DoAdd()][1] = "True";
    EXPECT_EQ(resets.count(), 0); // still open until the event loop turns
    QCoreApplication::processEvents();
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(inserts.count(), 0);
    EXPECT_EQ(changes.count(), 0); // cells written inside the reset need no signal

    m_matrix[5][0] = "True";
    m_matrix[900][2] = "x";
    m_matrix[5][0] = "True"; // unchanged text: nothing to tell
    QCoreApplication::processEvents();
    ASSERT_EQ(changes.count(), 1);
    const auto topLeft = changes[0][0].value<QModelIndex>();
    const auto bottomRight = changes[0][1].value<QModelIndex>();
    EXPECT_EQ(topLeft.row(), 5);
    EXPECT_EQ(topLeft.column(), 0);
    EXPECT_EQ(bottomRight.row(), 900);
    EXPECT_EQ(bottomRight.column(), 2);
}

TEST_F(MatrixTest, ReorderKeepsPersistentIndexesOnTheirRows) {
    for (const char* szText : {"a", "b", "c"})
        m_matrix[m_matrix.DoAdd()][0] = szText;
    m_matrix.Flush();
    const QPersistentModelIndex onB(m_matrix.index(1, 0));
    m_matrix.ReorderRows({2, 1, 0});
    EXPECT_EQ(m_matrix.GetValue(0, 0), "c");
    EXPECT_EQ(onB.row(), 1);
    m_matrix.ReorderRows({1, 0, 2});
    EXPECT_EQ(m_matrix.GetValue(0, 0), "b");
    EXPECT_EQ(onB.row(), 0);
    m_matrix.ReorderRows({0, 1}); // not a permutation of all rows: ignored
    EXPECT_EQ(m_matrix.GetValue(0, 0), "b");
}

} // namespace
