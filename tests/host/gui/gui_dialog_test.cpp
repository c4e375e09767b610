#include "host/ScriptedHostServices.h"
#include "host/gui/ListViewMatrixSort.h"
#include "host/gui/QtText.h"
#include "host/gui/WPFColorCodes.h"
#include "host/gui/WPFDataSet.h"
#include "host/gui/WPFDataTable.h"
#include "host/gui/WPFEventCall.h"
#include "host/gui/WPFGroupBox.h"
#include "host/gui/WPFTKCheckBox.h"
#include "host/gui/WPFTKLComboBox.h"
#include "host/gui/WPFTKLListView.h"
#include "host/gui/WPFTKLXceedDataGrid.h"
#include "host/gui/WPFTKTabControl.h"
#include "host/gui/WPFTKTextBlock.h"
#include "host/gui/diaWPFAw.h"
#include "host/stat/StatAccu.h"

#include "support/GuiTestApp.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTreeView>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

// A small evaluation dialog on the test layout "vxtest/diaTest".
class CdiaTest : public CdiaWPFAw {
public:
    explicit CdiaTest(CStatAccu* pAccu) : CdiaWPFAw("vxtest/diaTest", pAccu, nullptr) {
        m_sort.Init(m_lvListe, m_matListe, 4, "1321");
    }

    QWidget* OnInitDialog() override {
        QWidget* pRoot = CdiaWPFAw::OnInitDialog();
        m_cbMandant.Attach(this, "cbAuswahl");
        m_lvListe.Attach(this, "Liste");
        m_chkStorno.Attach(this, "CheckA");
        m_tbSumme.Attach(this, "Summe");
        m_gbSummen.Attach(this, "Gruppe");
        m_tabs.Attach(this, "Tabs");
        m_grid.Attach(this, "Ranking");
        m_lvListe.AddClickHandler(CWPFEventCall(this, &CdiaTest::OnClickListe));
        m_lvListe.AddHeaderClickHandler(CWPFEventCall(this, &CdiaTest::OnHeaderClick));
        m_lvListe.BindMatrix(m_matListe);
        m_lvListe.SetForegroundColumn(4);
        m_lvListe.AddCheckBoxColumn("", 0, "");
        m_lvListe.AddTextBlockColumn("Datum", 1, TKLeft, "");
        m_lvListe.AddTextBlockColumn("Gesamt", 2, TKRight, "Zeilensumme-Brutto");
        m_lvListe.AddTextBlockColumn("Patient", 3, TKLeft, "");
        m_cbMandant.BindMatrix(m_matMandant, 1);
        FillMandant({"1", "2"}, "", m_matMandant, m_cbMandant);
        SetTitle("Laborumsatzliste (in " + GetWaehrungText() + ")");
        return pRoot;
    }

    void AddRow(const CString& strDatum, const CString& strBetrag, const CString& strName,
                const CString& strFarbe = "") {
        const int nRow = m_matListe.DoAdd();
        m_matListe[nRow][0] = "False";
        m_matListe[nRow][1] = strDatum;
        m_matListe[nRow][2] = strBetrag;
        m_matListe[nRow][3] = strName;
        m_matListe[nRow][4] = strFarbe;
    }

    void OnClickListe(CWPFRoutedEvent& event) {
        m_nClickRow = m_nClickCol = -1;
        event.GetClickRowAndCol(m_matListe, m_nClickRow, m_nClickCol);
        ++m_nClicks;
    }
    void OnHeaderClick(CWPFRoutedEvent& event) {
        m_nHeaderCol = event.GetGridViewColumnHeaderClickCol();
        if (m_nHeaderCol > 0)
            m_sort.SortMatrixForClickedHeader(m_lvListe.GetColumnMatrixCol(m_nHeaderCol));
    }
    void OnPrint() override { ++m_nPrint; }
    void OnUnSelect() override { ++m_nUnSelect; }
    void OnCTRL_A() override { ++m_nExport; }

    CWPFTKLComboBox m_cbMandant;
    CWPFTKLListView m_lvListe;
    CWPFTKCheckBox m_chkStorno;
    CWPFTKTextBlock m_tbSumme;
    CWPFGroupBox m_gbSummen;
    CWPFTKTabControl m_tabs;
    CWPFTKLXceedDataGrid m_grid;
    CWPFMatrix<5> m_matListe;
    CListViewMatrixSort m_sort;
    int m_nClickRow = -1, m_nClickCol = -1, m_nClicks = 0, m_nHeaderCol = -1;
    int m_nPrint = 0, m_nUnSelect = 0, m_nExport = 0;
};

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        GuiTestApp();
        m_previous = InstallHostServices(m_scripted);
        m_accu.SetPeriod("20240101", "20241231");
    }
    void TearDown() override { InstallHostServices(m_previous); }

    // Creates and shows the dialog with three rows, the window active.
    void Open(CdiaTest& dialog) {
        ASSERT_TRUE(dialog.Create());
        dialog.AddRow("31.01.2024", "1.234,56", "Meier");
        dialog.AddRow("02.01.2024", "-0,50", "Schulz", "113");
        dialog.AddRow("15.01.2024", "", "Braun", "114");
        dialog.GetDialog()->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.GetDialog()));
        QCoreApplication::processEvents();
    }

    QTableView& Table(CdiaTest& dialog) {
        return *static_cast<QTableView*>(dialog.m_lvListe.GetWidget());
    }

    void ClickCell(CdiaTest& dialog, int nRow, int nViewCol, Qt::KeyboardModifiers modifiers = {}) {
        QTableView& table = Table(dialog);
        const QRect rect = table.visualRect(table.model()->index(nRow, nViewCol));
        QTest::mouseClick(table.viewport(), Qt::LeftButton, modifiers, rect.center());
    }

    std::shared_ptr<CScriptedHostServices> m_scripted = std::make_shared<CScriptedHostServices>();
    std::shared_ptr<IHostServices> m_previous;
    CStatAccu m_accu;
};

TEST_F(DialogTest, MissingOrMistypedElementsAreNamedAndLeaveAHarmlessWrapper) {
    CdiaTest dialog(&m_accu);
    ASSERT_TRUE(dialog.Create());
    EXPECT_TRUE(m_scripted->m_vecAufrufe.empty());

    CWPFTKTextBlock missing;
    CWPFTKCheckBox mistyped;
    EXPECT_FALSE(missing.Attach(dialog, "Sum11"));
    EXPECT_FALSE(mistyped.Attach(dialog, "cbAuswahl"));
    ASSERT_EQ(m_scripted->m_vecAufrufe.size(), 2u);
    EXPECT_EQ(m_scripted->m_vecAufrufe[0].art, IHostServices::Art::HaltE);
    EXPECT_EQ(m_scripted->m_vecAufrufe[0].strText,
              "Im Dialog \"vxtest/diaTest\" fehlt das Element \"Sum11\".");
    EXPECT_NE(m_scripted->m_vecAufrufe[1].strText.find(
                  "\"cbAuswahl\" im Dialog \"vxtest/diaTest\" ist ein QComboBox"),
              CString::npos);

    // Unbound wrappers do nothing and read empty.
    missing.SetText("x");
    missing.SetVisibility(CWPFFrameworkElement::kVisible);
    mistyped.SetIsChecked(true);
    EXPECT_EQ(missing.GetText(), "");
    EXPECT_FALSE(mistyped.GetIsChecked());
    EXPECT_EQ(missing.GetVisibility(), CWPFFrameworkElement::kCollapsed);

    // Names are case-exact, for elements and for layouts.
    EXPECT_FALSE(missing.Attach(dialog, "summe"));
    CWPFDialog unknown("VXTEST/diaTest", nullptr);
    EXPECT_EQ(unknown.DoModal(), CWPFDialog::kEndFailed);
    EXPECT_NE(
        m_scripted->m_vecAufrufe.back().strText.find("\"VXTEST/diaTest\" ist nicht vorhanden"),
        CString::npos);
    const std::size_t nMessages = m_scripted->m_vecAufrufe.size();
    EXPECT_FALSE(missing.Attach(unknown, "Summe")); // the missing layout was told once
    EXPECT_EQ(m_scripted->m_vecAufrufe.size(), nMessages);
}

TEST_F(DialogTest, CheckBoxCellsTurnAndTheClickTellsRowAndColumn) {
    CdiaTest dialog(&m_accu);
    Open(dialog);

    ClickCell(dialog, 1, 0);
    EXPECT_EQ(dialog.m_matListe.GetValue(1, 0), "True");
    EXPECT_EQ(dialog.m_nClicks, 1);
    EXPECT_EQ(dialog.m_nClickRow, 1);
    EXPECT_EQ(dialog.m_nClickCol, 0);
    ClickCell(dialog, 1, 0);
    EXPECT_EQ(dialog.m_matListe.GetValue(1, 0), "False");

    // A click on a text cell selects and reports the matrix column.
    ClickCell(dialog, 2, 2);
    EXPECT_EQ(dialog.m_nClickRow, 2);
    EXPECT_EQ(dialog.m_nClickCol, 2);
    EXPECT_EQ(dialog.m_matListe.GetValue(2, 0), "False");

    // A check box click keeps a multiple selection; space turns the current row.
    ClickCell(dialog, 0, 3, Qt::ControlModifier);
    std::vector<int> vecSelected;
    ASSERT_EQ(dialog.m_lvListe.GetSelectedItems(vecSelected), 2);
    ClickCell(dialog, 2, 0);
    EXPECT_EQ(dialog.m_lvListe.GetSelectedItems(vecSelected), 2);
    EXPECT_EQ(dialog.m_matListe.GetValue(2, 0), "True");
    dialog.m_lvListe.SetSelectedIndex(1);
    QTest::keyClick(&Table(dialog), Qt::Key_Space);
    EXPECT_EQ(dialog.m_matListe.GetValue(1, 0), "True");
    EXPECT_EQ(dialog.m_nClickRow, 1);
    const QModelIndex box = Table(dialog).model()->index(1, 0);
    EXPECT_EQ(box.data(Qt::CheckStateRole).toInt(), static_cast<int>(Qt::Checked));
}

TEST_F(DialogTest, HeaderClicksSortAndRowsKeepTheirColourAndMark) {
    CdiaTest dialog(&m_accu);
    Open(dialog);
    dialog.m_matListe[0][0] = "True";
    QHeaderView& header = *Table(dialog).horizontalHeader();
    const auto ClickHeader = [&](int nViewCol) {
        QTest::mouseClick(
            header.viewport(), Qt::LeftButton, {},
            QPoint(header.sectionViewportPosition(nViewCol) + 10, header.height() / 2));
    };
    dialog.m_lvListe.SetSelectedIndex(2); // "Braun"
    ClickHeader(2);
    EXPECT_EQ(dialog.m_nHeaderCol, 2);
    EXPECT_EQ(dialog.m_matListe.GetValue(0, 2), "-0,50");
    EXPECT_EQ(dialog.m_matListe.GetValue(2, 2), "1.234,56");
    EXPECT_EQ(dialog.m_matListe.GetValue(2, 0), "True"); // the mark went with its row
    EXPECT_EQ(header.sortIndicatorSection(), 2);
    EXPECT_EQ(header.sortIndicatorOrder(), Qt::AscendingOrder);
    EXPECT_EQ(dialog.m_matListe.GetValue(dialog.m_lvListe.GetSelectedIndex(), 3),
              "Braun"); // selection followed
    ClickHeader(0);     // the check-box column does not sort
    EXPECT_EQ(dialog.m_nHeaderCol, 0);
    EXPECT_EQ(header.sortIndicatorSection(), 2);
    ClickHeader(1);
    EXPECT_EQ(dialog.m_matListe.GetValue(0, 1), "02.01.2024");

    // Colour codes, the amount column right-aligned, the column's tool tip.
    const QAbstractItemModel& model = *Table(dialog).model();
    QColor red;
    ASSERT_TRUE(CWPFColorCodes::Foreground("113", red));
    EXPECT_EQ(model.index(0, 1).data(Qt::ForegroundRole).value<QBrush>().color(), red);
    EXPECT_FALSE(model.index(2, 1).data(Qt::ForegroundRole).isValid());
    QColor grey, orange;
    ASSERT_TRUE(CWPFColorCodes::Foreground("114", grey));
    ASSERT_TRUE(CWPFColorCodes::Foreground("48", orange));
    EXPECT_NE(red, grey);
    EXPECT_FALSE(CWPFColorCodes::Foreground("", red));
    EXPECT_TRUE(model.index(0, 2).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight);
    EXPECT_EQ(model.headerData(2, Qt::Horizontal, Qt::ToolTipRole).toString(),
              "Zeilensumme-Brutto");
}

TEST_F(DialogTest, ButtonsFollowTheirStateAndTheirShortcuts) {
    CdiaTest dialog(&m_accu);
    Open(dialog);
    QDialog& window = *dialog.GetDialog();
    ASSERT_NE(window.findChild<QPushButton*>("TKButton5"), nullptr);
    EXPECT_EQ(window.findChild<QPushButton*>("TKButton2"), nullptr); // not listed by the layout
    EXPECT_EQ(window.findChild<QPushButton*>("TKButton48")->text(), "Excel-Export");

    QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
    QTest::keyClick(&window, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&window, Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(dialog.m_nPrint, 1);
    EXPECT_EQ(dialog.m_nExport, 1);
    EXPECT_EQ(dialog.m_nUnSelect, 1);

    dialog.SetIsEnabled(TKDrucken, false);
    EXPECT_FALSE(dialog.GetIsEnabled(TKDrucken));
    EXPECT_FALSE(window.findChild<QPushButton*>("TKButton5")->isEnabled());
    QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
    dialog.RunCommand(TKDrucken);
    EXPECT_EQ(dialog.m_nPrint, 1);
    dialog.SetIsEnabled(TKDrucken, true);
    QTest::mouseClick(window.findChild<QPushButton*>("TKButton5"), Qt::LeftButton);
    EXPECT_EQ(dialog.m_nPrint, 2);

    dialog.SetIsEnabled(TKZeileGewaehlt, false); // a number without a button keeps its state
    EXPECT_FALSE(dialog.GetIsEnabled(TKZeileGewaehlt));
    EXPECT_TRUE(dialog.GetIsEnabled(TKGrafik));

    QTest::keyClick(&window, Qt::Key_Escape); // OnClosing -> OnExit -> EndDialog(0)
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(dialog.GetEndCode(), CWPFDialog::kEndExit);
}

// A wheel passing over a combo box changes its choice only once the box has the focus.
TEST_F(DialogTest, ComboBoxTakesTheWheelOnlyWithTheFocus) {
    CdiaTest dialog(&m_accu);
    Open(dialog);
    auto* pCombo = static_cast<QComboBox*>(dialog.m_cbMandant.GetWidget());
    int nChanges = 0;
    dialog.m_cbMandant.AddSelectionChangedHandler([&](CWPFRoutedEvent&) { ++nChanges; });
    const auto wheel = [&] {
        const QPointF pos(5, 5);
        QWheelEvent event(pos, pCombo->mapToGlobal(pos), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(pCombo, &event);
    };
    dialog.m_lvListe.GetWidget()->setFocus();
    wheel();
    EXPECT_EQ(pCombo->currentIndex(), 0);
    EXPECT_EQ(nChanges, 0);
    EXPECT_EQ(pCombo->focusPolicy(), Qt::StrongFocus);
    pCombo->setFocus();
    ASSERT_TRUE(pCombo->hasFocus());
    wheel();
    EXPECT_EQ(pCombo->currentIndex(), 1);
    EXPECT_EQ(nChanges, 1);
}

// While blocked the window drops keys, clicks, shortcuts and commands; afterwards
// they work again.
TEST_F(DialogTest, BlockedInputReachesNoCommandAndNoControl) {
    CdiaTest dialog(&m_accu);
    Open(dialog);
    QDialog& window = *dialog.GetDialog();
    dialog.BlockInput(true);
    EXPECT_TRUE(dialog.IsInputBlocked());
    QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
    QTest::mouseClick(window.findChild<QPushButton*>("TKButton5"), Qt::LeftButton);
    dialog.RunCommand(TKDrucken);
    ClickCell(dialog, 1, 0);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_EQ(dialog.m_nPrint, 0);
    EXPECT_EQ(dialog.m_nClicks, 0);
    EXPECT_EQ(dialog.m_matListe.GetValue(1, 0), "False");
    EXPECT_TRUE(window.isVisible());
    dialog.BlockInput(false);
    EXPECT_FALSE(dialog.IsInputBlocked());
    QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
    ClickCell(dialog, 1, 0);
    EXPECT_EQ(dialog.m_nPrint, 1);
    EXPECT_EQ(dialog.m_matListe.GetValue(1, 0), "True");
}

TEST_F(DialogTest, ControlsVisibilityChangesAndScreenshot) {
    CdiaTest dialog(&m_accu);
    Open(dialog);
    EXPECT_EQ(FromQString(dialog.GetDialog()->windowTitle()), "Laborumsatzliste (in \x80)");
    EXPECT_EQ(dialog.m_matMandant.Count(), 3); // "Alle Mandanten" and the two owners
    EXPECT_EQ(dialog.m_cbMandant.GetSelectedIndex(), 0);
    EXPECT_EQ(dialog.m_cbMandant.GetData(), "Alle Mandanten");
    CString strId = "x";
    ASSERT_TRUE(DoSetMember(dialog.m_cbMandant, dialog.m_matMandant, "2", 0));
    ASSERT_TRUE(DoGetMember(dialog.m_cbMandant, dialog.m_matMandant, strId, 0));
    EXPECT_EQ(strId, "2");
    EXPECT_FALSE(DoSetMember(dialog.m_cbMandant, dialog.m_matMandant, "9", 0));
    EXPECT_EQ(dialog.m_cbMandant.GetSelectedIndex(), 2);

    // Changes are the user's input since the initialisation, not text shown.
    EXPECT_FALSE(dialog.NoChanges()); // the owner choice above
    dialog.m_cbMandant.SetSelectedIndex(0);
    dialog.m_tbSumme.SetText("1.234,06");
    EXPECT_TRUE(dialog.NoChanges());
    dialog.m_chkStorno.SetIsChecked(true);
    EXPECT_FALSE(dialog.NoChanges(dialog.m_chkStorno));
    EXPECT_TRUE(dialog.NoChanges(dialog.m_gbSummen));

    dialog.m_gbSummen.SetVisibility(CWPFFrameworkElement::kHidden);
    EXPECT_EQ(dialog.m_gbSummen.GetVisibility(), CWPFFrameworkElement::kHidden);
    dialog.m_gbSummen.SetVisibility(CWPFFrameworkElement::kCollapsed);
    EXPECT_EQ(dialog.m_gbSummen.GetVisibility(), CWPFFrameworkElement::kCollapsed);
    dialog.m_gbSummen.SetVisibility(CWPFFrameworkElement::kVisible);
    EXPECT_EQ(dialog.m_gbSummen.GetVisibility(), CWPFFrameworkElement::kVisible);
    dialog.m_gbSummen.SetContent("Summen (markiert)");
    EXPECT_EQ(dialog.m_gbSummen.GetContent(), "Summen (markiert)");

    dialog.m_lvListe.SetSelectedIndex(0);
    dialog.m_matListe[0][0] = "True";
    QCoreApplication::processEvents();
    const QString strPath = SaveScreenshot(*dialog.GetDialog(), QStringLiteral("gui_testdialog"));
    EXPECT_FALSE(strPath.isEmpty());
}

TEST_F(DialogTest, GridShowsParentRowsWithTheirDetails) {
    CdiaTest dialog(&m_accu);
    Open(dialog);
    CWPFDataSet dataSet;
    CWPFDataTable techniker, behandler;
    dataSet.AddTable(techniker, "Ranking1");
    dataSet.AddTable(behandler, "Ranking2");
    for (CWPFDataTable* pTable : {&techniker, &behandler})
        pTable->AddColumns({"Id", "Folge", "Name", "TechnLst", "Proz"});
    ASSERT_TRUE(techniker.SetPrimaryKey("Id"));
    ASSERT_TRUE(dataSet.AddChildRelation("Relation5", techniker, behandler, "Id", "Id"));
    techniker.AddRow({"1", "1", "Huber (T1)", "1.200,00", "75.00"});
    techniker.AddRow({"2", "2", "Kunz (T2)", "400,00", "25.00"});
    behandler.AddRow({"1", "1", "Dr. A (Z1)", "900,00", "75.00"});
    behandler.AddRow({"2", "1", "Dr. B (Z2)", "400,00", "100.00"});
    behandler.AddRow({"1", "2", "Dr. B (Z2)", "300,00", "25.00"});
    std::vector<const CWPFDataRow*> vecRows;
    EXPECT_EQ(behandler.Select(vecRows, "Id='1'", "Folge DESC"), 2);
    EXPECT_EQ(vecRows.front()->GetValue("Name"), "Dr. B (Z2)");

    dialog.m_grid.BindDataTable(techniker);
    dialog.m_grid.SetColumnTitle(1, "Techniker");
    dialog.m_grid.ExpandAllDetails(1, false, false);
    dialog.m_grid.SetCurrentIndex(0);
    const QAbstractItemModel& model = *static_cast<QTreeView*>(dialog.m_grid.GetWidget())->model();
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.columnCount(), 4); // without the key "Id"
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Techniker");
    EXPECT_EQ(model.rowCount(model.index(0, 0)), 2);
    EXPECT_EQ(model.index(1, 0, model.index(0, 0)).sibling(1, 1).data().toString(), "Dr. B (Z2)");
    EXPECT_EQ(dialog.m_grid.GetCurrentIndex(), 0);
    techniker.Clear();
    dialog.m_grid.Refresh();
    EXPECT_EQ(model.rowCount(), 0);
}

} // namespace
