// Whatever the slots hold, a hit file gives back exactly the lines written.
#include "stat_support.h"

#include "host/Betrag.h"
#include "host/Cp1252.h"

#include <random>

namespace {

using S = CStatLines;

bool IsAmountSlot(int nSlot) {
    return (nSlot >= S::LuBetrag1 && nSlot <= S::LuBetrag14) ||
           (nSlot >= S::GlabBetrag1 && nSlot <= S::GlabBetrag7);
}

class CRandomLines {
public:
    explicit CRandomLines(unsigned nSeed) : m_rng(nSeed) {}

    // Any of the 256 bytes, with the ones that need care (escapes, blanks at
    // either end, line ends) far more often than by chance.
    CString Text() {
        static const char kTricky[] = {'\t', '\r', '\n', '\\', ' ', 't', 'n'};
        CString text(Pick(0, 12), ' ');
        for (char& c : text)
            c = Pick(0, 2) == 0 ? kTricky[Pick(0, sizeof kTricky - 1)]
                                : static_cast<char>(Pick(0, 255));
        return text;
    }

    CVzW7Betrag Amount() {
        if (Pick(0, 5) == 0) return CVzW7Betrag();
        const std::int64_t nCent =
            static_cast<std::int64_t>(Pick(0, 2'000'000'000)) * (Pick(0, 1) ? -1 : 1);
        return CVzW7Betrag::FromCent(nCent,
                                     Pick(0, 9) == 0 ? CWBetragBasis::kDM : CWBetragBasis::kEuro);
    }

    CStatLines Line(const int* pTable, const char* pszKind) {
        CStatLines line;
        line.Set(S::SatzArt, pszKind);
        for (int i = 1; pTable[i] >= 0; ++i) {
            const auto eSlot = static_cast<S::Slot>(pTable[i]);
            line.Set(eSlot, IsAmountSlot(eSlot) ? Amount().ToDb() : Text());
        }
        return line;
    }

    CBehErrors Error() {
        CBehErrors err;
        err.m_strMandant = Text();
        err.m_strPatNr = Text();
        err.m_strDatum = "20240131";
        err.m_strText = Text();
        return err;
    }

    unsigned Pick(unsigned nMin, unsigned nMax) {
        return std::uniform_int_distribution<unsigned>(nMin, nMax)(m_rng);
    }

private:
    std::mt19937 m_rng;
};

struct TableCase {
    int* pTable;
    const char* pszKind;
};

void PrintTo(const TableCase& c, std::ostream* pOut) {
    *pOut << "table of kind " << c.pszKind;
}

class StatRoundTrip : public StatFolderTest, public ::testing::WithParamInterface<TableCase> {};

TEST_P(StatRoundTrip, RandomLinesReadBackEqual) {
    for (unsigned nSeed : {1u, 2u, 3u, 4u, 5u}) {
        SCOPED_TRACE("seed " + std::to_string(nSeed));
        CRandomLines random(nSeed);
        CStatAccu accu;
        CTestWriter writer(GetParam().pTable);
        for (int i = 0; i < 40; ++i)
            accu.m_vecErrors.push_back(random.Error());
        for (int i = 0; i < 3000; ++i)
            writer.m_vecLines.push_back(random.Line(GetParam().pTable, GetParam().pszKind));
        writer.m_strSelektion = random.Text();
        CString strError;
        ASSERT_TRUE(writer.Run(accu, Dir(), strError)) << strError;

        CStatAccu readAccu;
        CTestReader reader(GetParam().pTable);
        ASSERT_TRUE(reader.Run(readAccu, Dir(), strError)) << strError;
        EXPECT_EQ(readAccu.m_vecErrors, accu.m_vecErrors);
        ASSERT_EQ(reader.m_vecLines.size(), writer.m_vecLines.size());
        for (std::size_t i = 0; i < reader.m_vecLines.size(); ++i)
            ASSERT_EQ(reader.m_vecLines[i], writer.m_vecLines[i]) << "line " << i;
        EXPECT_EQ(reader.m_strSelektion, writer.m_strSelektion);
        std::size_t nNoUtf8 = 0;
        Utf8ToCp1252(ReadRaw("vx_test.txt"), &nNoUtf8);
        EXPECT_EQ(nNoUtf8, 0u) << "the file is UTF-8";
        EXPECT_EQ(FileNames(), (std::vector<std::string>{"vx_test.sel", "vx_test.txt"}));
    }
}

// A read line refers to its text; copies, Get and Set must not.
TEST(StatLines, CopiesAndChangesDoNotDependOnTheReadText) {
    CStatLines written;
    written.Set(S::SatzArt, "L");
    written.Set(S::PatNr, "4711");
    written.Set(S::HitText, "M\xFCller, Anna"); // decoded, so held by the slot itself
    std::string strText;
    ASSERT_TRUE(written.ToText(iLU_SICHERUNG, strText));
    CStatLines read;
    CString strError;
    ASSERT_TRUE(read.FromText(strText, iLU_SICHERUNG, strError)) << strError;
    const CStatLines copy = read;
    read.Set(S::PatNr, "1");
    EXPECT_EQ(read.View(S::PatNr), "1");
    std::fill(strText.begin(), strText.end(), 'x'); // the text is gone
    EXPECT_EQ(copy, written);
    EXPECT_EQ(copy.Get(S::PatNr), "4711");
    EXPECT_EQ(read.Get(S::HitText), "M\xFCller, Anna");
    // A second line leaves nothing of the first behind.
    CStatLines other;
    other.Set(S::SatzArt, "L");
    ASSERT_TRUE(other.ToText(iLU_SICHERUNG, strText));
    ASSERT_TRUE(read.FromText(strText, iLU_SICHERUNG, strError)) << strError;
    EXPECT_EQ(read, other);
    EXPECT_EQ(read.Get(S::PatNr), "");
}

// Fields are scanned sixteen bytes at a time: an escape, a byte beyond ASCII or a
// bad escape must be seen at every position of a chunk, and in the last partial one.
TEST(StatLines, SpecialBytesAreSeenAtEveryPosition) {
    const int* pTable = iLU_SICHERUNG;
    for (std::size_t nLength = 1; nLength <= 80; ++nLength) { // across 64-byte chunks
        for (std::size_t nAt = 0; nAt < nLength; ++nAt) {
            for (const char cSpecial : {'\\', '\t', '\xE4', '\n'}) {
                SCOPED_TRACE(::testing::Message() << nLength << " bytes, special at " << nAt);
                CStatLines line;
                line.Set(S::SatzArt, "L");
                CString strText(nLength, 'a');
                strText[nAt] = cSpecial;
                line.Set(S::HitText, strText);
                line.Set(S::ZusatzText, strText); // near the end of the line
                std::string strUtf8;
                ASSERT_TRUE(line.ToText(pTable, strUtf8));
                CStatLines back;
                CString strError;
                ASSERT_TRUE(back.FromText(strUtf8, pTable, strError)) << strError;
                EXPECT_EQ(back, line);
            }
            CStatLines line;
            line.Set(S::SatzArt, "L");
            std::string strUtf8;
            ASSERT_TRUE(line.ToText(pTable, strUtf8));
            std::string strBad(nLength, 'a');
            strBad[nAt] = '\\';                         // followed by a letter that is no escape
            strUtf8 += strBad.substr(0, nAt + 1) + "x"; // the last field
            CString strError;
            EXPECT_FALSE(CStatLines().FromText(strUtf8, pTable, strError)) << nLength << " " << nAt;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(StatTables, StatRoundTrip,
                         ::testing::Values(TableCase{iLU_SICHERUNG, "L"},
                                           TableCase{iGLAB_SICHERUNG, "W"}),
                         [](const auto& info) { return std::string(info.param.pszKind); });

} // namespace
