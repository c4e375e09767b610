// A large hit file read in pieces on several threads gives the same rows and the
// same errors, with the same line numbers, as read in one piece: rows of many
// lines across the places where the file is split, bad and "E" lines, CR LF line
// ends, an overlong line and a last line without line end. Cancelling and an
// exception in a piece end the read without waiting for the rest.
#include "stat_support.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <random>
#include <stdexcept>

namespace {

using S = CStatLines;
using ::testing::HasSubstr;

// Joins lines with the same patient number that follow each other into a row, as
// the evaluations join theirs.
class CRowReader : public CFile2Stat<CDBStdioFile> {
public:
    using Row = std::pair<CString, std::vector<CString>>; // key, texts of its lines

    CRowReader() : CFile2Stat(nullptr) { m_strFileName = "vx_test"; }
    int* SetLineStruct() override { return iLU_SICHERUNG; }
    bool MoveDataFromFile(CStatLines& line) override {
        if (line.Get(S::SatzArt) == "E") {
            CBehErrors err;
            line.MoveFile2Error(err);
            m_pAccu->m_vecErrors.push_back(err);
            return false;
        }
        if (line.Get(S::HitText) == "wirf") throw std::runtime_error("wirf");
        ++s_nTaken;
        // Slow enough that the other threads get pieces of a small file too.
        for (const auto end = std::chrono::steady_clock::now() + m_lineTime;
             std::chrono::steady_clock::now() < end;) {
        }
        if (m_rows.empty() || m_rows.back().first != line.Get(S::PatNr))
            m_rows.push_back({line.Get(S::PatNr), {}});
        m_rows.back().second.push_back(line.Get(S::HitText));
        return true;
    }
    std::unique_ptr<CStatReader> NewPiece(std::int64_t /*nBytes*/) override {
        auto pPiece = std::make_unique<CRowReader>();
        pPiece->m_lineTime = m_lineTime;
        return pPiece;
    }
    std::size_t RowCount() const override { return m_rows.size(); }
    void JoinPiece(CStatReader& piece) override {
        std::vector<Row>& rows = static_cast<CRowReader&>(piece).m_rows;
        m_rows.insert(m_rows.end(), rows.begin(), rows.end());
        ++m_nJoined;
    }

    bool OnlyForProgBeforeMoveDataFromFile() override {
        if (m_replace) m_replace();
        return true;
    }

    std::vector<Row> m_rows;
    int m_nJoined = 0;
    std::function<void()> m_replace; // called before the first line
    std::chrono::nanoseconds m_lineTime{0};
    static inline std::atomic<int> s_nTaken{0}; // lines taken by all readers
};

std::string LineText(const CStatLines& line, int* pTable) {
    std::string text;
    EXPECT_TRUE(line.ToText(pTable, text));
    return text;
}

class StatPieces : public StatFolderTest {
protected:
    // nLines lines: runs of one patient number, mostly short, some of hundreds of
    // lines; between them bad lines and "E" lines.
    void WriteFile(unsigned nSeed, int nLines, bool bOverlong, const char* pszThrowAt = nullptr) {
        std::mt19937 rng(nSeed);
        std::string content = std::string(CStatEval::kHeader) + "\n";
        int nKey = 0, nRunLeft = 0;
        for (int n = 0; n < nLines; ++n) {
            const char* pszEnd = rng() % 4 == 0 ? "\r\n" : "\n";
            const unsigned nKind = rng() % 100;
            if (nKind < 3) {
                content += std::string("L\tzu kurz") + pszEnd;
                continue;
            }
            if (nKind < 5) {
                CBehErrors err;
                err.m_strText = "Fehler " + std::to_string(n);
                CStatLines line;
                line.MoveError2File(err);
                content += LineText(line, iERR_SICHERUNG) + pszEnd;
                continue;
            }
            if (nRunLeft-- <= 0) {
                ++nKey;
                nRunLeft = rng() % 10 == 0 ? 200 + static_cast<int>(rng() % 400)
                                           : static_cast<int>(rng() % 4);
            }
            CStatLines line;
            line.Set(S::SatzArt, "L");
            line.Set(S::PatNr, std::to_string(nKey));
            line.Set(S::HitText, "Zeile " + std::to_string(n));
            if (pszThrowAt && n == nLines * 7 / 8) line.Set(S::HitText, pszThrowAt);
            if (bOverlong && n == nLines / 2) line.Set(S::HitText, CString((1 << 20) + 10, 'x'));
            content += LineText(line, iLU_SICHERUNG) + (n + 1 < nLines ? pszEnd : "");
        }
        WriteRaw("vx_test.txt", content);
    }

    std::vector<CString> ErrorTexts(const CStatAccu& accu) {
        std::vector<CString> texts;
        for (const CBehErrors& err : accu.m_vecErrors)
            texts.push_back(err.m_strText);
        return texts;
    }
};

TEST_F(StatPieces, PiecesGiveTheRowsAndErrorsOfOnePiece) {
    int nJoined = 0;
    for (unsigned nSeed = 1; nSeed <= 6; ++nSeed) {
        WriteFile(nSeed, 4000, nSeed == 3);
        CRowReader whole;
        whole.m_nMaxThreads = 1;
        CStatAccu wholeAccu;
        CString strError;
        ASSERT_TRUE(whole.Run(wholeAccu, Dir(), strError)) << strError;
        EXPECT_EQ(whole.m_nJoined, 0);

        for (int nThreads : {2, 3, 8}) {
            SCOPED_TRACE("seed " + std::to_string(nSeed) + ", " + std::to_string(nThreads));
            CRowReader pieces;
            pieces.m_nMaxThreads = nThreads;
            pieces.m_nMinPieceBytes = 1;
            pieces.m_lineTime = std::chrono::microseconds(2);
            CStatAccu accu;
            ASSERT_TRUE(pieces.Run(accu, Dir(), strError)) << strError;
            EXPECT_EQ(pieces.m_rows, whole.m_rows);
            EXPECT_EQ(ErrorTexts(accu), ErrorTexts(wholeAccu));
            nJoined += pieces.m_nJoined;
        }
    }
    EXPECT_GT(nJoined, 0); // the other threads did read pieces
}

TEST_F(StatPieces, BadLinesKeepTheirNumbersInTheFile) {
    std::string content = std::string(CStatEval::kHeader) + "\n";
    for (int n = 2; n <= 3001; ++n) {
        CStatLines line;
        line.Set(S::SatzArt, "L");
        line.Set(S::PatNr, std::to_string(n));
        content +=
            (n % 500 == 0 ? std::string("L\tzu kurz") : LineText(line, iLU_SICHERUNG)) + "\n";
    }
    WriteRaw("vx_test.txt", content);
    CRowReader reader;
    reader.m_nMaxThreads = 4;
    reader.m_nMinPieceBytes = 1;
    CStatAccu accu;
    CString strError;
    ASSERT_TRUE(reader.Run(accu, Dir(), strError)) << strError;
    const std::vector<CString> texts = ErrorTexts(accu);
    ASSERT_EQ(texts.size(), 6u);
    for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_THAT(texts[i], ::testing::StartsWith("vx_test.txt, Zeile " +
                                                    std::to_string(500 * (i + 1)) + ": "));
    EXPECT_EQ(reader.m_rows.size(), 3000u - 6u);
}

// A pass that ends while the file is being read puts a new file in its place:
// every piece still reads the file that was opened.
TEST_F(StatPieces, AFileThatTakesTheNameMeanwhileIsNotRead) {
    WriteFile(9, 4000, false);
    CRowReader whole;
    whole.m_nMaxThreads = 1;
    CStatAccu wholeAccu;
    CString strError;
    ASSERT_TRUE(whole.Run(wholeAccu, Dir(), strError)) << strError;

    WriteFile(10, 4000, false);
    std::filesystem::rename(PathOf("vx_test.txt"), PathOf("neu.txt"));
    WriteFile(9, 4000, false);
    CRowReader reader;
    reader.m_nMaxThreads = 3;
    reader.m_nMinPieceBytes = 1;
    reader.m_lineTime = std::chrono::microseconds(2);
    reader.m_replace = [&] { std::filesystem::rename(PathOf("neu.txt"), PathOf("vx_test.txt")); };
    CStatAccu accu;
    ASSERT_TRUE(reader.Run(accu, Dir(), strError)) << strError;
    EXPECT_EQ(reader.m_rows, whole.m_rows);
    EXPECT_EQ(ErrorTexts(accu), ErrorTexts(wholeAccu));
}

TEST_F(StatPieces, CancelStopsEveryPiece) {
    WriteFile(7, 120'000, false);
    m_pHost->m_nAbbruchNachUpdates = 2;
    CRowReader::s_nTaken = 0;
    CRowReader reader;
    reader.m_nMaxThreads = 2;
    reader.m_nMinPieceBytes = 1;
    CStatAccu accu;
    CString strError;
    EXPECT_FALSE(reader.Run(accu, Dir(), strError));
    EXPECT_THAT(strError, HasSubstr("abgebrochen"));
    EXPECT_EQ(reader.m_nJoined, 0);
    // The first piece stops after about 3000 lines; the second would read 60,000.
    EXPECT_LT(CRowReader::s_nTaken, 40'000);
    EXPECT_EQ(m_pHost->m_nProgressClosed, 1);
    EXPECT_LE(m_pHost->m_nProgressDone, m_pHost->m_nProgressTotal);
}

TEST_F(StatPieces, ExceptionOfAPieceReachesTheCaller) {
    WriteFile(8, 20'000, false, "wirf");
    CRowReader reader;
    reader.m_nMaxThreads = 4;
    reader.m_nMinPieceBytes = 1;
    CStatAccu accu;
    CString strError;
    EXPECT_THROW(reader.Run(accu, Dir(), strError), std::runtime_error);
    EXPECT_EQ(m_pHost->m_nProgressClosed, 1);
}

} // namespace
