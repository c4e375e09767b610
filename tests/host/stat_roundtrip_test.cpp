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

// Texts far longer than any line of a practice, with every byte that needs care,
// come back byte for byte: what the writer takes, the reader reads.
TEST_F(StatFolderTest, TwoMegabyteTextsReadBackEqual) {
    CString strLong(2 << 20, 'a');
    for (std::size_t i = 0; i < strLong.size(); i += 7)
        strLong[i] = "\t\\\n\xE4\xFC\r "[i / 7 % 7];
    CTestWriter writer;
    CStatLines& line = writer.m_vecLines.emplace_back();
    line.Set(S::SatzArt, "L");
    line.Set(S::HitText, strLong);
    line.Set(S::ZusatzText, strLong);
    CStatAccu accu;
    CString strError;
    ASSERT_TRUE(writer.Run(accu, Dir(), strError)) << strError;
    CTestReader reader;
    ASSERT_TRUE(reader.Run(accu, Dir(), strError)) << strError;
    EXPECT_TRUE(accu.m_vecErrors.empty());
    ASSERT_EQ(reader.m_vecLines.size(), 1u);
    EXPECT_TRUE(reader.m_vecLines[0] == line);
}

// An amount field holds the stored form of an amount or nothing; any other text
// makes the line bad instead of reading as zero.
TEST(StatLines, AmountFieldsMustHoldAmounts) {
    const struct {
        const char* pszAmount;
        bool bGood;
    } cases[] = {{"", true},       {"e      1234", true}, {"d        -5", true},
                 {"   ", true},    {"12,34", false},      {"e", false},
                 {"e 12x", false}, {"abc", false},        {"e 99999999999999999999", false}};
    for (const auto& c : cases) {
        for (const S::Slot eSlot : {S::LuBetrag(1), S::LuBetrag(14), S::GlabBetrag(7)}) {
            const bool bLu = eSlot != S::GlabBetrag(7);
            CStatLines line;
            line.Set(S::SatzArt, bLu ? "L" : "W");
            line.Set(eSlot, c.pszAmount);
            std::string strText;
            int* pTable = bLu ? iLU_SICHERUNG : iGLAB_SICHERUNG;
            ASSERT_TRUE(line.ToText(pTable, strText));
            CStatLines back;
            CString strError;
            EXPECT_EQ(back.FromText(strText, pTable, strError), c.bGood) << c.pszAmount;
            if (c.bGood)
                EXPECT_EQ(back, line);
            else
                EXPECT_THAT(strError, ::testing::HasSubstr("ist kein Betrag")) << c.pszAmount;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(StatTables, StatRoundTrip,
                         ::testing::Values(TableCase{iLU_SICHERUNG, "L"},
                                           TableCase{iGLAB_SICHERUNG, "W"}),
                         [](const auto& info) { return std::string(info.param.pszKind); });

} // namespace
