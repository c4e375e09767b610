// The commercial-lab dialog driven headless: the customer combo, both filters,
// check marks in the displayed and the full list, totals, sorting, the button
// states, the edit call-out and the chart's items.
#include "GlabTestDialog.h"

#include "glab/Glab2Grafik.h"

#include "host/LibraryCall.h"
#include "host/ModulEinstiege.h"
#include "host/gui/TKButtonClass.h"

#include <gtest/gtest.h>

namespace {

class GlabDialogTest : public ::testing::Test, public GlabDialogFixture {
protected:
    void SetUp() override {
        CLibraryCall(kModulGewerbelabor, VX_TEST_MODUL_DIR).Find<void()>("VxTestLoeschen")();
    }
    static CString Aufrufe() {
        return CLibraryCall(kModulGewerbelabor, VX_TEST_MODUL_DIR)
            .Find<const char*()>("VxTestAufrufe")();
    }
    struct Summen {
        CString tech, material, metall, ust, netto, brutto;
    };
    static Summen SummenVon(CdiaAwGlab& d) {
        return {d.m_tbSumTech.GetText(), d.m_tbSumMaterial.GetText(), d.m_tbSumMetall.GetText(),
                d.m_tbSumUSt.GetText(),  d.m_tbSumNetto.GetText(),    d.m_tbSumBrutto.GetText()};
    }
};

TEST_F(GlabDialogTest, OpensSortedByDateEveryRowCheckedWithTheTotalsOfTheInvoicesNotCancelled) {
    auto d = Open();
    EXPECT_EQ(d->GetTitle(), "Gewerbelaborstatistik vom 01.01.2023 bis 31.12.2023");
    EXPECT_EQ(RechNrn(*d), "230004 230001 230002 230003");
    EXPECT_EQ(Marks(*d), "xxxx");
    EXPECT_EQ(d->m_tbAnzTreffer.GetText(), "4");
    EXPECT_EQ(d->m_tbAnzSelektiert.GetText(), "4");
    const Summen s = SummenVon(*d);
    EXPECT_EQ(s.tech, "309,00");
    EXPECT_EQ(s.material, " 21,00");
    EXPECT_EQ(s.metall, "  5,00");
    EXPECT_EQ(s.ust, " 48,70");
    EXPECT_EQ(s.brutto, "383,70");
    EXPECT_EQ(s.netto, "335,00"); // gross less VAT, not the rows' nets (334,99)
    // Row cells: date, customer, the name from the address, colour of a cancellation.
    const int nA = RowOf(*d, "230001");
    EXPECT_EQ(d->m_matListe.GetValue(nA, kGlabColDatum), "06.03.2023");
    EXPECT_EQ(d->m_matListe.GetValue(nA, kGlabColName), "Dr. Anna Berg Gemeinschaftspraxis");
    EXPECT_EQ(d->m_matListe.GetValue(RowOf(*d, "230004"), kGlabColName), ""); // no address
    EXPECT_EQ(d->m_matListe.GetValue(RowOf(*d, "230003"), kGlabColVordergrund), "48");
    EXPECT_EQ(d->m_matListe.GetValue(nA, kGlabColVordergrund), "");
    // Records follow their rows.
    for (int n = 0; n < 4; ++n)
        EXPECT_EQ(d->m_Sum.m_vecFakt[n].m_strRechNr, d->m_matListe.GetValue(n, kGlabColRechNr));
    EXPECT_TRUE(d->GetIsEnabled(TKDrucken));
    EXPECT_TRUE(d->GetIsEnabled(TKAlleMarkieren));
    // The customer combo: the customers with an address, blank name fields left out.
    ASSERT_EQ(d->m_matLabKu.Count(), 3);
    EXPECT_EQ(d->m_matLabKu.GetValue(0, 1), "Alle");
    EXPECT_EQ(d->m_matLabKu.GetValue(1, 1),
              "101 - Zahnarztpraxis Dr. Anna Berg Gemeinschaftspraxis");
    EXPECT_EQ(d->m_matLabKu.GetValue(2, 1), "102 - Praxis ");
    EXPECT_EQ(d->m_matLabKu.GetValue(2, 2), "");
    EXPECT_TRUE(d->m_cbLaborkunde.GetIsEnabled());
    EXPECT_EQ(d->m_cbStorno.GetSelectedIndex(), kAlleRechnungen);
    ASSERT_EQ(d->m_matStorno.Count(), 3);
    EXPECT_EQ(d->m_matStorno.GetValue(0, 0), "nur stornierte Rechnungen");
    EXPECT_FALSE(SaveScreenshot(*d->GetDialog(), "diaAwGlab").isEmpty());
}

TEST_F(GlabDialogTest, EvaluationOfOneCustomerFixesTheCombo) {
    struct Fall {
        const char* szLaborkunde; // as the selection file gives it
        int nRows;
        bool bEnabled;
    };
    for (const Fall& f : {Fall{" 102", 1, false}, Fall{" 999", 0, true}, Fall{"   0", 0, true}}) {
        m_accu.SetLaborkunde(f.szLaborkunde);
        auto d = Open();
        EXPECT_EQ(d->m_matLabKu.Count(), f.nRows) << f.szLaborkunde;
        EXPECT_EQ(d->m_cbLaborkunde.GetIsEnabled(), f.bEnabled) << f.szLaborkunde;
        // Without a customer row nothing is filtered away.
        d->m_cbStorno.SetSelectedIndex(kOhneStornierte);
        EXPECT_EQ(RechNrn(*d), "230004 230001 230002") << f.szLaborkunde;
    }
}

TEST_F(GlabDialogTest,
       FiltersRebuildTheListWithEveryRowCheckedAndKeepTheEarlierMarksInTheFullList) {
    auto d = Open();
    // The full list starts unchecked; B's check (off and on again) reaches it, A's
    // uncheck too, check-all never does.
    ClickCell(*d, RowOf(*d, "230002"), kGlabColCheck);
    ClickCell(*d, RowOf(*d, "230002"), kGlabColCheck);
    ClickCell(*d, RowOf(*d, "230001"), kGlabColCheck);
    ASSERT_EQ(Marks(*d), "x-xx");
    struct Fall {
        int nKunde, nStorno;
        const char* szRechNrn;
    };
    const Fall faelle[] = {{0, kNurStornierte, "230003"},
                           {0, kOhneStornierte, "230004 230001 230002"},
                           {1, kAlleRechnungen, "230001 230003"},
                           {2, kAlleRechnungen, "230002"},
                           {0, kAlleRechnungen, "230004 230001 230002 230003"}};
    for (const Fall& f : faelle) {
        d->m_cbLaborkunde.SetSelectedIndex(f.nKunde);
        d->m_cbStorno.SetSelectedIndex(f.nStorno);
        EXPECT_EQ(RechNrn(*d), f.szRechNrn) << f.nKunde << "/" << f.nStorno;
        EXPECT_EQ(Marks(*d), CString(d->m_matListe.Count(), 'x'));
        EXPECT_EQ(d->m_tbAnzSelektiert.GetText(), d->m_tbAnzTreffer.GetText());
    }
    for (const CGlabFakt& f : d->m_Sum.m_vecFaktSave)
        EXPECT_EQ(f.m_bChecked, f.m_strRechNr == "230002") << f.m_strRechNr;
    EXPECT_EQ(d->m_strLabKu, ""); // "Alle" chosen again
    d->m_cbLaborkunde.SetSelectedIndex(1);
    EXPECT_EQ(d->m_strLabKu, "101");
}

TEST_F(GlabDialogTest, AnEmptyListDisablesItsCommandsAndShowsZeroTotals) {
    auto d = Open();
    d->m_cbLaborkunde.SetSelectedIndex(2); // 102: no cancellation
    d->m_cbStorno.SetSelectedIndex(kNurStornierte);
    EXPECT_EQ(d->m_matListe.Count(), 0);
    EXPECT_EQ(d->m_tbAnzTreffer.GetText(), "0");
    for (int nButton : {TKBearbeiten, TKAlleMarkieren})
        EXPECT_FALSE(d->GetIsEnabled(nButton)) << nButton;
    const Summen s = SummenVon(*d);
    for (const CString& text : {s.tech, s.material, s.metall, s.ust, s.netto, s.brutto})
        EXPECT_EQ(text, "  0,00");
    d->OnBearbeiten();
    d->OnUnSelect();
    d->OnPrint();
    EXPECT_EQ(Aufrufe(), "");
}

TEST_F(GlabDialogTest, ChecksChangeCountAndTotalsButACancelledRowNeverCounts) {
    auto d = Open();
    ClickCell(*d, RowOf(*d, "230001"), kGlabColCheck); // A: 135,00 gross, 10,00 VAT
    EXPECT_EQ(d->m_tbAnzSelektiert.GetText(), "3");
    EXPECT_EQ(d->m_tbSumBrutto.GetText(), "248,70");
    EXPECT_EQ(d->m_tbSumNetto.GetText(), "210,00");
    ClickCell(*d, RowOf(*d, "230003"), kGlabColCheck); // the cancelled row
    EXPECT_EQ(d->m_tbAnzSelektiert.GetText(), "2");
    EXPECT_EQ(d->m_tbSumBrutto.GetText(), "248,70");
    EXPECT_TRUE(d->GetIsEnabled(TKDrucken));
    // Check all / none in turn; the first press after the fill unchecks.
    d->OnUnSelect();
    EXPECT_EQ(Marks(*d), "----");
    EXPECT_EQ(d->m_tbSumBrutto.GetText(), "  0,00");
    EXPECT_FALSE(d->GetIsEnabled(TKDrucken));
    d->OnUnSelect();
    EXPECT_EQ(Marks(*d), "xxxx");
    EXPECT_EQ(d->m_tbSumBrutto.GetText(), "383,70");
}

TEST_F(GlabDialogTest, ACheckInsideASelectionOfRowsAppliesToEveryOne) {
    auto d = Open();
    ClickCell(*d, 0, kGlabColDatum);
    ClickCell(*d, 2, kGlabColDatum, Qt::ControlModifier);
    ClickCell(*d, 2, kGlabColCheck);
    EXPECT_EQ(Marks(*d), "-x-x");
    EXPECT_EQ(d->m_tbAnzSelektiert.GetText(), "2");
    EXPECT_EQ(d->m_tbSumBrutto.GetText(), "135,00"); // A only; C is cancelled
    // Checked again together: the full list takes the marks of these two only.
    ClickCell(*d, 0, kGlabColCheck);
    EXPECT_EQ(Marks(*d), "xxxx");
    for (const CGlabFakt& f : d->m_Sum.m_vecFaktSave)
        EXPECT_EQ(f.m_bChecked, f.m_strRechNr == "230004" || f.m_strRechNr == "230002")
            << f.m_strRechNr;
    ClickCell(*d, 0, kGlabColCheck);
    // A click on another cell only selects.
    ClickCell(*d, 1, kGlabColBrutto);
    EXPECT_EQ(Marks(*d), "-x-x");
}

TEST_F(GlabDialogTest, SortingKeepsMarksAndTheEditCommandOnTheirRecords) {
    auto d = Open();
    ClickCell(*d, RowOf(*d, "230002"), kGlabColCheck);
    ClickHeader(*d, kGlabColBrutto); // ascending by gross
    EXPECT_EQ(RechNrn(*d), "230004 230003 230001 230002");
    EXPECT_EQ(Marks(*d), "xxx-");
    ClickHeader(*d, kGlabColBrutto); // turned round
    EXPECT_EQ(RechNrn(*d), "230002 230001 230003 230004");
    EXPECT_EQ(Marks(*d), "-xxx");
    ClickHeader(*d, kGlabColName);
    EXPECT_EQ(d->m_matListe.GetValue(0, kGlabColName), "");
    for (int n = 0; n < 4; ++n) {
        const CGlabFakt& f = d->m_Sum.m_vecFakt[n];
        EXPECT_EQ(f.m_strRechNr, d->m_matListe.GetValue(n, kGlabColRechNr));
        EXPECT_EQ(f.m_bChecked, f.m_strRechNr != "230002");
    }
    ClickCell(*d, RowOf(*d, "230002"), kGlabColDatum);
    EXPECT_TRUE(d->GetIsEnabled(TKBearbeiten));
    QTest::keyClick(d->GetDialog(), Qt::Key_F2);
    const CString strAufruf =
        "vxglab:StartGlabRechJournalFromStatistic(102|230002|I3-230002|I5-230002)\n";
    EXPECT_EQ(Aufrufe(), strAufruf);
    // Not on a cancelled invoice.
    ClickCell(*d, RowOf(*d, "230003"), kGlabColDatum);
    EXPECT_FALSE(d->GetIsEnabled(TKBearbeiten));
    EXPECT_TRUE(d->GetIsEnabled(TKZeileGewaehlt));
    d->OnBearbeiten();
    EXPECT_EQ(Aufrufe(), strAufruf);
}

// The chart command with the chart filled, not shown: its rows are kept.
class CdiaGrafikTest : public CdiaAwGlabTest {
public:
    using CdiaAwGlabTest::CdiaAwGlabTest;
    std::vector<CRows> m_vecRows;
    std::vector<CCols> m_vecCols;
    CString m_strTitel, m_strStatistikTitel;
    int m_nGezeigt = 0;

protected:
    void ShowGrafik(CGlab2Grafik& grafik) override {
        ++m_nGezeigt;
        CString strError;
        const std::string strPng =
            VX_SCREENSHOT_DIR "/Glab2Grafik_" + std::to_string(m_nGezeigt) + ".png";
        QDir().mkpath(VX_SCREENSHOT_DIR);
        EXPECT_TRUE(grafik.SavePng(strPng, strError)) << strError; // fills the data
        m_vecRows = grafik.GetRows();
        m_vecCols = grafik.GetCols();
        m_strTitel = grafik.GetTitel();
        m_strStatistikTitel = grafik.GetStatistikTitel();
    }
};

TEST_F(GlabDialogTest, ChartRowsOfAllCustomersAndOfOne) {
    CdiaGrafikTest d(m_sum, &m_accu, "", nullptr);
    ASSERT_TRUE(d.Create());
    d.GetDialog()->show();
    QCoreApplication::processEvents();
    QTest::keyClick(d.GetDialog(), Qt::Key_Y, Qt::ControlModifier);
    ASSERT_EQ(d.m_nGezeigt, 1);
    EXPECT_EQ(d.m_strTitel, "Gesamtumsatz");
    EXPECT_EQ(d.m_strStatistikTitel, "Gewerbelaborstatistik vom 01.01.2023 bis 31.12.2023");
    ASSERT_EQ(d.m_vecCols.size(), 1u);
    EXPECT_EQ(d.m_vecCols[0].m_strKey, "");
    EXPECT_EQ(d.m_vecCols[0].m_strTitel, "Gesamtumsatz pro Laborkunde");
    struct Zeile {
        const char* szKey;
        const char* szWert;
    };
    const Zeile alle[] = {{"101", "135,00"}, {"102", "238,00"}, {"Alle", "373,00"}};
    ASSERT_EQ(d.m_vecRows.size(), std::size(alle));
    for (std::size_t n = 0; n < std::size(alle); ++n) {
        const CRows& r = d.m_vecRows[n];
        EXPECT_EQ(r.m_strKey, alle[n].szKey);
        EXPECT_EQ(r.m_strTitel, alle[n].szKey);
        EXPECT_EQ(r.m_strKey2, "");
        EXPECT_EQ(r.m_strColKey, "");
        EXPECT_EQ(r.m_strColTitel, "Gesamtumsatz pro Laborkunde");
        EXPECT_EQ(r.m_strWert, alle[n].szWert) << r.m_strKey;
    }
    EXPECT_EQ(d.m_pGrafik, nullptr); // gone after the command

    d.m_cbLaborkunde.SetSelectedIndex(2);
    d.OnCTRL_Y();
    ASSERT_EQ(d.m_vecRows.size(), 1u);
    EXPECT_EQ(d.m_vecRows[0].m_strKey, "102");
    EXPECT_EQ(d.m_vecRows[0].m_strWert, "238,00");
    // Only the displayed invoices count, and cancelled ones never: 101 shows only C.
    d.m_cbLaborkunde.SetSelectedIndex(1);
    d.m_cbStorno.SetSelectedIndex(kNurStornierte);
    d.OnCTRL_Y();
    ASSERT_EQ(d.m_vecRows.size(), 1u);
    EXPECT_EQ(d.m_vecRows[0].m_strWert, "0,00");
    EXPECT_EQ(m_scripted->m_nProgressOpened, 1); // only "Alle" collects with the box
    EXPECT_EQ(m_scripted->m_strProgressText, "Die anzuzeigenden Daten werden aufbereitet.");

    // Cancelled while collecting: no chart.
    d.m_cbLaborkunde.SetSelectedIndex(0);
    m_scripted->m_nAbbruchNachUpdates = 1;
    d.OnCTRL_Y();
    EXPECT_EQ(d.m_nGezeigt, 3);
    EXPECT_EQ(m_scripted->m_nProgressClosed, m_scripted->m_nProgressOpened);
}

} // namespace
