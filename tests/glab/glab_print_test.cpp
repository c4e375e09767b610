// The journal print of the commercial-lab dialog: the whole journal file against
// its reference copy, the question for the checked rows and its answers, the
// marks afterwards, cancelling, a journal that cannot be written, and the PDF
// read back.
#include "GlabTestDialog.h"

#include "print/print_support.h"

#include <gtest/gtest.h>

namespace {

class GlabPrintTest : public ::testing::Test, public GlabDialogFixture {
protected:
    void SetUp() override {
        m_folder.emplace("vxstat-glabprint-", "journal.pdf");
        m_dir = m_folder->Dir();
    }
    void TearDown() override { m_folder.reset(); }
    fs::path Pdf() const { return m_folder->Pdf(); }
    fs::path Journal() const { return m_dir / "vx_glabjournal.dat"; }
    // The printed lines of the journal ("Spalteninhalt"), in order.
    std::vector<std::string> Zeilen() const {
        std::vector<std::string> vec;
        std::istringstream in(ReadFile(Journal()));
        for (std::string line; std::getline(in, line);)
            if (line.starts_with("S\tSpalteninhalt\t")) vec.push_back(line.substr(16));
        return vec;
    }
    int Fragen() const {
        int n = 0;
        for (const auto& a : m_scripted->m_vecAufrufe)
            n += a.bFrage;
        return n;
    }

    std::optional<PrintFolder> m_folder;
    fs::path m_dir;
};

TEST_F(GlabPrintTest, EveryRowCheckedPrintsAllWithoutAskingLikeTheReference) {
    // A customer name longer than its column, a cancelled row, a chosen customer.
    AddKunde("104", "GL4", {"Zahnarztpraxis am Marktplatz", "Dr. Maximilian Mustermann", "", ""});
    m_sum.m_vecFakt.push_back(
        GlabTestFakt("104", "230005", "20231201", 123456, 7890, 1200, 23456, false));
    auto d = Open("104");
    d->OnPrint();
    EXPECT_EQ(Fragen(), 0);
    EXPECT_EQ(d->m_strLetzterDruck, Journal().string());
    ExpectSameAsReference(Journal(), "glab_journal.dat");
    const std::vector<std::string> zeilen = Zeilen();
    ASSERT_EQ(zeilen.size(), 5u + 3u);
    EXPECT_EQ(zeilen[4].substr(0, 39), "01.12.2023 104 - Zahnarztpraxis am Mark");
    EXPECT_EQ(m_scripted->m_nProgressOpened, 1);
    EXPECT_EQ(m_scripted->m_nProgressClosed, 1);

    const std::string text = PdfText(Pdf());
    EXPECT_NE(text.find("Vx Gewerbelaborrechnung - Statistik"), std::string::npos) << text;
    EXPECT_NE(text.find("Laborkunde: 104 - Zahnarztpraxis am Marktplatz Dr. Maximilian "
                        "Mustermann"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("Gesamtwerte"), std::string::npos);
    EXPECT_NE(text.find("1.234,56"), std::string::npos);
}

TEST_F(GlabPrintTest, SomeRowsCheckedAndTheAnswerDecidesWhatPrints) {
    struct Fall {
        int nAntwort;
        std::size_t nZeilen;     // printed rows (a checked cancelled one among them)
        const char* szSumBrutto; // in the totals line
    };
    for (const Fall& f : {Fall{kAntwortJa, 3, "248,70"}, Fall{kAntwortNein, 4, "383,70"}}) {
        m_scripted->m_vecAufrufe.clear();
        m_scripted->m_deqAntworten = {f.nAntwort};
        auto d = Open();
        ClickCell(*d, RowOf(*d, "230001"), kGlabColCheck);
        ClickCell(*d, RowOf(*d, "230002"), kGlabColCheck);
        ClickCell(*d, RowOf(*d, "230002"), kGlabColCheck); // checked again
        const CString strMarks = Marks(*d), strBrutto = d->m_tbSumBrutto.GetText();
        d->OnPrint();
        ASSERT_EQ(Fragen(), 1);
        EXPECT_EQ(m_scripted->m_vecAufrufe[0].strTitel, "Nur markierte Datens\xE4tze drucken");
        const std::vector<std::string> zeilen = Zeilen();
        ASSERT_EQ(zeilen.size(), f.nZeilen + 3) << f.nAntwort;
        const std::string& summen = zeilen[f.nZeilen + 1];
        EXPECT_EQ(summen.substr(summen.size() - 6), f.szSumBrutto) << f.nAntwort;
        const auto nMitA =
            std::count_if(zeilen.begin(), zeilen.begin() + f.nZeilen, [](const std::string& z) {
                return z.find("230001") != std::string::npos;
            });
        EXPECT_EQ(nMitA, f.nAntwort == kAntwortJa ? 0 : 1); // the unchecked one
        // Marks, count and totals are back as they were.
        EXPECT_EQ(Marks(*d), strMarks);
        EXPECT_EQ(d->m_tbSumBrutto.GetText(), strBrutto);
        EXPECT_EQ(d->m_tbAnzSelektiert.GetText(), "3");
        EXPECT_TRUE(fs::exists(Pdf()));
    }
}

TEST_F(GlabPrintTest, NothingCheckedPrintsNothing) {
    auto d = Open();
    fs::remove(Pdf());
    d->OnUnSelect();
    d->OnPrint();
    ASSERT_EQ(m_scripted->m_vecAufrufe.size(), 1u);
    EXPECT_EQ(m_scripted->m_vecAufrufe[0].strTitel, "Keine Datens\xE4tze markiert!");
    EXPECT_FALSE(fs::exists(Journal()));
    EXPECT_FALSE(fs::exists(Pdf()));
    EXPECT_EQ(Marks(*d), "----");
}

TEST_F(GlabPrintTest, CancelInTheProgressBoxLeavesNoJournalAndPrintsNothing) {
    auto d = Open();
    m_scripted->m_nAbbruchNachUpdates = 2;
    d->OnPrint();
    EXPECT_EQ(m_scripted->m_nProgressUpdates, 3);
    EXPECT_EQ(m_scripted->m_nProgressClosed, 1);
    EXPECT_FALSE(fs::exists(Journal()));
    EXPECT_FALSE(fs::exists(Pdf()));
    EXPECT_TRUE(d->m_strLetzterDruck.empty());
}

TEST_F(GlabPrintTest, AJournalThatCannotBeWrittenIsReportedAndAnOldOneIsNotPrinted) {
    auto d = Open();
    d->OnPrint(); // a journal of an earlier print stays in the folder
    ASSERT_TRUE(fs::exists(Journal()));
    fs::remove(Pdf());
    // The data folder is now a file: nothing can be written into it.
    SetDataDir((m_dir / "vx_glabjournal.dat" / "ordner").string());
    m_scripted->m_vecAufrufe.clear();
    d->OnPrint();
    ASSERT_EQ(m_scripted->m_vecAufrufe.size(), 1u);
    EXPECT_NE(m_scripted->m_vecAufrufe[0].strText.find("Fehler beim Speichern der Datei"),
              CString::npos);
    EXPECT_FALSE(fs::exists(Pdf()));
    EXPECT_TRUE(d->m_strLetzterDruck.empty());
    EXPECT_EQ(Marks(*d), "xxxx");
}

} // namespace
