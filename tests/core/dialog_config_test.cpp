// The lab-turnover settings dialog against a real practice database, driven
// headless through its controls, keys and host buttons.
#include "core/LUDefault.h"
#include "core/diaLUConfig.h"
#include "host/Cp1252.h"
#include "host/HostServices.h"
#include "host/ScriptedHostServices.h"
#include "host/VxStrings.h"
#include "host/db/Database.h"
#include "host/db/ZParPool.h"
#include "host/gui/QtText.h"
#include "host/gui/TKButtonClass.h"
#include "support/GuiTestApp.h"
#include "support/StoredSettings.h"
#include "support/TempPracticeDb.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <set>

namespace {

using Element = CWPFFrameworkElement;
using Names = std::set<CString>;

// The layout loses one of its elements before the dialog binds them.
class CdiaOhneRechNr : public CdiaLUConfig {
public:
    using CdiaLUConfig::CdiaLUConfig;
    QWidget* OnInitDialog() override {
        delete FindNode("CheckRechNr");
        return CdiaLUConfig::OnInitDialog();
    }
};

class ConfigDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        GuiTestApp();
        m_previous = InstallHostServices(m_scripted);
    }
    void TearDown() override { InstallHostServices(m_previous); }

    // Reads the stored settings and builds the dialog on them.
    CdiaLUConfig& Open(const CString& strStored) {
        StoreSettingsText(strStored);
        m_pDialog.reset(); // an open dialog works on the settings until it is gone
        m_pDef = std::make_unique<CLUDefault>();
        m_pDialog = std::make_unique<CdiaLUConfig>(m_pDef.get(), nullptr);
        EXPECT_TRUE(m_pDialog->Create());
        return *m_pDialog;
    }

    void Show(CdiaLUConfig& dialog) {
        dialog.GetDialog()->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.GetDialog()));
    }

    static Names Visible(CdiaLUConfig& d) {
        const Element* apElements[] = {
            &d.m_chkMitName,      &d.m_cbListeInit,   &d.m_cbSelDatum,      &d.m_chkOhneMaterial,
            &d.m_chkRechNr,       &d.m_chkStorno,     &d.m_chkStornoTypYes, &d.m_chkStornoTypZero,
            &d.m_chkStornoTypNo,  &d.m_chkMitTechMat, &d.m_chkMit100PoEA,   &d.m_chkStetsLstDatum,
            &d.m_chkMitFestzGeEA, &d.m_chkFortlRgNr};
        Names names;
        for (const Element* p : apElements)
            if (p->GetVisibility() == Element::kVisible) names.insert(p->GetName());
        return names;
    }

    // Space on a check box: the user's click, with its click event.
    static void Toggle(CWPFTKCheckBox& box) { QTest::keyClick(box.GetWidget(), Qt::Key_Space); }

    TempPracticeDb m_db;
    std::shared_ptr<CScriptedHostServices> m_scripted = std::make_shared<CScriptedHostServices>();
    std::shared_ptr<IHostServices> m_previous;
    std::unique_ptr<CLUDefault> m_pDef;
    std::unique_ptr<CdiaLUConfig> m_pDialog;
};

const Names kBasis = {"CheckMitName", "ListeInit", "CheckOhneMaterial", "CheckFortlRgNr"};

Names With(Names names, std::initializer_list<const char*> more) {
    names.insert(more.begin(), more.end());
    return names;
}

TEST_F(ConfigDialogTest, OpensOnTheStoredSettings) {
    // Lab invoices by print date; every flag set, types -1 and 1.
    CdiaLUConfig& d = Open("1011111111115");
    EXPECT_EQ(FromQString(d.GetDialog()->windowTitle()),
              Utf8ToCp1252("Konfiguration Laborumsätze"));
    EXPECT_EQ(d.GetHelpName(), "diaLUConfig");
    EXPECT_TRUE(m_scripted->m_vecAufrufe.empty());

    ASSERT_EQ(d.m_matListeInit.Count(), 5);
    const int anTexte[] = {4351, 4352, 4355, 8182, 8184};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(d.m_matListeInit.GetValue(i, 0), std::to_string(i));
        EXPECT_EQ(d.m_matListeInit.GetValue(i, 1), VxString(anTexte[i]));
    }
    EXPECT_EQ(d.m_cbListeInit.GetSelectedIndex(), 1);
    EXPECT_EQ(d.m_cbSelDatum.GetSelectedIndex(), 1);
    EXPECT_EQ(d.m_cbSelDatum.GetData(), "Druckdatum");

    EXPECT_EQ(Visible(d),
              With(kBasis, {"SelDatum", "CheckRechNr", "CheckStorno", "CheckStornoTypYes",
                            "CheckStornoTypZero", "CheckStornoTypNo"}));
    EXPECT_TRUE(d.m_chkMitName.GetIsChecked());
    EXPECT_TRUE(d.m_chkOhneMaterial.GetIsChecked());
    EXPECT_TRUE(d.m_chkRechNr.GetIsChecked());
    EXPECT_TRUE(d.m_chkStorno.GetIsChecked());
    EXPECT_EQ(d.m_chkStorno.GetContent(), "stornierte Laborrechnungen ausgeben?");
    EXPECT_EQ(d.m_chkStorno.GetToolTip(), "Sollen stornierte Laborrechnungen ausgegeben werden?");
    EXPECT_TRUE(d.m_chkStornoTypYes.GetIsChecked());
    EXPECT_FALSE(d.m_chkStornoTypZero.GetIsChecked());
    EXPECT_TRUE(d.m_chkStornoTypNo.GetIsChecked());
    EXPECT_FALSE(d.m_chkMitTechMat.GetIsChecked()); // collapsed and cleared for the print date
    EXPECT_TRUE(d.NoChanges());                     // the rules ran before the snapshot

    // Captions and tool tips come from the layout, in the host's code page.
    EXPECT_EQ(d.m_chkMitFestzGeEA.GetContent(),
              Utf8ToCp1252("Festzuschuss größer gleich Eigenanteil berücksichtigen: "));
    EXPECT_EQ(d.m_chkStornoTypNo.GetToolTip(),
              "Rechnungen im Zeitraum anzeigen, die nach dem Aufbereitungszeitraum storniert "
              "wurden (Betrag positiv).");
    QDialog& window = *d.GetDialog();
    ASSERT_NE(window.findChild<QPushButton*>("TKButton90"), nullptr);
    EXPECT_EQ(window.findChild<QPushButton*>("TKButton91")->text(), "Abbrechen");
}

TEST_F(ConfigDialogTest, SelectionListDecidesWhichOptionsAreOffered) {
    // Every flag but technical material stored, type 0 only, invoice date.
    CdiaLUConfig& d = Open("1000111011112");
    EXPECT_EQ(Visible(d), With(kBasis, {"CheckStetsLstDatum"}));

    struct Fall {
        int nIndex;
        Names visible;
    } faelle[] = {
        {1, With(kBasis, {"SelDatum", "CheckMitTechMat", "CheckStorno", "CheckStornoTypYes",
                          "CheckStornoTypZero", "CheckStornoTypNo"})},
        {2, With(kBasis, {"CheckMit100PoEA"})},
        {3, kBasis},
        {4, kBasis},
        {0, With(kBasis, {"CheckStetsLstDatum"})},
    };
    for (const Fall& f : faelle) {
        d.m_cbListeInit.SetSelectedIndex(f.nIndex);
        EXPECT_EQ(Visible(d), f.visible) << f.nIndex;
        EXPECT_TRUE(d.m_chkOhneMaterial.GetIsChecked()) << f.nIndex;
    }
    // The entry that offers the 100 % cases is the list of paid invoices.
    d.m_cbListeInit.SetSelectedIndex(2);
    EXPECT_EQ(d.m_cbListeInit.GetData(), "Bezahlte Laborrechnungen");
    d.m_cbListeInit.SetSelectedIndex(0);
    // The fixed-subsidy box is never offered, yet holds the setting.
    EXPECT_TRUE(d.m_chkMitFestzGeEA.GetIsChecked());

    // The user's arrow key runs the same rules.
    QTest::keyClick(d.m_cbListeInit.GetWidget(), Qt::Key_Down);
    EXPECT_EQ(d.m_cbListeInit.GetSelectedIndex(), 1);
    EXPECT_EQ(d.m_chkStorno.GetContent(), "stornierte Rechnungen ausgeben?");
    EXPECT_EQ(d.m_chkStorno.GetToolTip(), "Sollen stornierte Rechnungen ausgegeben werden?");
    EXPECT_TRUE(d.m_chkStornoTypZero.GetIsChecked());
    EXPECT_FALSE(d.m_chkStornoTypNo.GetIsChecked());
}

TEST_F(ConfigDialogTest, TechnicalMaterialTakesMaterialOutOfTheTotalChoice) {
    // Lab invoices by invoice date, technical material and "without material" stored.
    CdiaLUConfig& d = Open("0110100100100");
    EXPECT_TRUE(d.m_chkMitTechMat.GetIsChecked());
    EXPECT_FALSE(d.m_chkOhneMaterial.GetIsEnabled());
    EXPECT_FALSE(d.m_chkOhneMaterial.GetIsChecked());

    Toggle(d.m_chkMitTechMat);
    EXPECT_TRUE(d.m_chkOhneMaterial.GetIsEnabled());
    EXPECT_TRUE(d.m_chkOhneMaterial.GetIsChecked()); // the stored choice comes back
    Toggle(d.m_chkMitTechMat);
    EXPECT_FALSE(d.m_chkOhneMaterial.GetIsEnabled());

    // The print date offers the invoice number instead and frees the material choice.
    d.m_cbSelDatum.SetSelectedIndex(1);
    EXPECT_TRUE(d.m_chkOhneMaterial.GetIsEnabled());
    EXPECT_TRUE(d.m_chkOhneMaterial.GetIsChecked());
    EXPECT_EQ(Visible(d), With(kBasis, {"SelDatum", "CheckRechNr", "CheckStorno"}));
    d.m_cbSelDatum.SetSelectedIndex(0);
    EXPECT_FALSE(d.m_chkOhneMaterial.GetIsEnabled());

    d.RunCommand(TKSpeichern);
    EXPECT_EQ(d.GetEndCode(), CdiaLUConfig::kEndGespeichert);
    EXPECT_EQ(StoredSettingsText(),
              "0110000100100"); // OhneMaterial given up for technical material
}

TEST_F(ConfigDialogTest, CancelledInvoicesNeedAtLeastOneType) {
    CdiaLUConfig& d = Open("0110000000100"); // lab invoices by invoice date, no type stored
    Show(d);
    EXPECT_EQ(d.m_chkStornoTypYes.GetVisibility(), Element::kCollapsed);
    Toggle(d.m_chkStorno);
    EXPECT_EQ(Visible(d).count("CheckStornoTypYes"), 1u);
    EXPECT_FALSE(d.m_chkStornoTypYes.GetIsChecked());
    EXPECT_FALSE(d.m_chkStornoTypZero.GetIsChecked());
    EXPECT_TRUE(d.m_chkStornoTypNo.GetIsChecked()); // preset without a stored choice

    Toggle(d.m_chkStornoTypNo);
    QTest::keyClick(d.GetDialog(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(m_scripted->m_vecAufrufe.size(), 1u);
    const auto& halt = m_scripted->m_vecAufrufe[0];
    EXPECT_EQ(halt.art, IHostServices::Art::Halt);
    EXPECT_EQ(halt.strTitel, "Konfiguration speichern");
    EXPECT_EQ(halt.strText, Utf8ToCp1252("Wenn Sie Stornos anzeigen lassen wollen, müssen Sie "
                                         "mindestens einen Stornotyp auswählen!"));
    EXPECT_TRUE(d.GetDialog()->isVisible());
    EXPECT_EQ(StoredSettingsText(), "0110000000100");

    Toggle(d.m_chkStornoTypZero);
    QTest::keyClick(d.GetDialog(), Qt::Key_Return); // Enter saves
    EXPECT_FALSE(d.GetDialog()->isVisible());
    EXPECT_EQ(d.GetEndCode(), 99);
    EXPECT_EQ(StoredSettingsText(), "0110001000102");

    // Unchecking the cancelled invoices hides the types, which are then not stored.
    CdiaLUConfig& again = Open(StoredSettingsText());
    Toggle(again.m_chkStorno);
    EXPECT_EQ(again.m_chkStornoTypZero.GetVisibility(), Element::kCollapsed);
    again.RunCommand(TKSpeichern);
    EXPECT_EQ(StoredSettingsText(), "0110000000100");
}

TEST_F(ConfigDialogTest, SaveStoresOnlyWhatIsOfferedAndEndsWith99) {
    // Selection by lab services, every flag stored, print date, all types.
    CdiaLUConfig& d = Open("1001111111117");
    Toggle(d.m_chkMitName);
    QTimer::singleShot(0, [&] { d.RunCommand(TKSpeichern); });
    EXPECT_EQ(d.DoModal(), 99);

    // Hidden options are stored as off; the date choice and MitMaterial keep their value.
    EXPECT_EQ(StoredSettingsText(), "0001100001110");
    EXPECT_FALSE(m_pDef->GetMitPatName());
    EXPECT_FALSE(m_pDef->GetMitFestzGeEA()); // never offered, so off until read again
    EXPECT_FALSE(m_pDef->GetMitMaterial());
    const CLUDefault reread;
    EXPECT_EQ(reread.Def2Par(), "0001100001110");
    EXPECT_TRUE(reread.GetMitFestzGeEA());
}

TEST_F(ConfigDialogTest, LeavingAsksOnlyAfterChanges) {
    CdiaLUConfig& d = Open("0100000000100");
    Show(d);
    QTest::keyClick(d.GetDialog(), Qt::Key_Escape);
    EXPECT_EQ(d.GetEndCode(), CWPFDialog::kEndExit);
    EXPECT_TRUE(m_scripted->m_vecAufrufe.empty());

    CdiaLUConfig& changed = Open("0100000000100");
    Show(changed);
    Toggle(changed.m_chkFortlRgNr);
    m_scripted->m_deqAntworten = {kAntwortAbbruch, kAntwortNein};
    QTest::keyClick(changed.GetDialog(), Qt::Key_Escape);
    ASSERT_EQ(m_scripted->m_vecAufrufe.size(), 1u);
    EXPECT_TRUE(m_scripted->m_vecAufrufe[0].bMitAbbruch);
    EXPECT_EQ(m_scripted->m_vecAufrufe[0].strTitel, VxString(kVxStrLaborumsatz));
    EXPECT_EQ(m_scripted->m_vecAufrufe[0].strText, VxString(kVxStrAenderungenSpeichern));
    EXPECT_TRUE(changed.GetDialog()->isVisible()); // cancel: back to the dialog

    changed.RunCommand(TKSchliessen); // no: leave without saving
    EXPECT_FALSE(changed.GetDialog()->isVisible());
    EXPECT_EQ(changed.GetEndCode(), CWPFDialog::kEndExit);
    EXPECT_EQ(StoredSettingsText(), "0100000000100");
    EXPECT_FALSE(m_pDef->GetMitFortlRgNr());

    CdiaLUConfig& saved = Open("0100000000100");
    Toggle(saved.m_chkFortlRgNr);
    m_scripted->m_deqAntworten = {kAntwortJa};
    saved.RunCommand(TKSchliessen); // yes: save and leave
    EXPECT_EQ(saved.GetEndCode(), 99);
    EXPECT_EQ(StoredSettingsText(), "0100000000110");
}

TEST_F(ConfigDialogTest, OutOfRangeIndexesOpenOnTheFirstEntry) {
    CdiaLUConfig& d = Open("0179000000100");
    EXPECT_EQ(d.m_cbListeInit.GetSelectedIndex(), 0);
    EXPECT_EQ(d.m_cbSelDatum.GetSelectedIndex(), 0);
    d.RunCommand(TKSpeichern);
    EXPECT_EQ(StoredSettingsText(), "0100000000100");
}

TEST_F(ConfigDialogTest, AMissingElementIsNamedAndTheDialogStillWorks) {
    StoreSettingsText("0111010000100"); // lab invoices by print date, invoice number stored
    CLUDefault def;
    CdiaOhneRechNr d(&def, nullptr);
    ASSERT_TRUE(d.Create());
    ASSERT_EQ(m_scripted->m_vecAufrufe.size(), 1u);
    EXPECT_EQ(m_scripted->m_vecAufrufe[0].art, IHostServices::Art::HaltE);
    EXPECT_EQ(m_scripted->m_vecAufrufe[0].strText,
              "Im Dialog \"vxstatlu/diaLUConfig\" fehlt das Element \"CheckRechNr\".");
    EXPECT_TRUE(Visible(d).count("CheckStorno"));
    d.RunCommand(TKSpeichern);
    EXPECT_EQ(d.GetEndCode(), 99);
    EXPECT_EQ(StoredSettingsText(), "0111000000100");
}

TEST_F(ConfigDialogTest, Screenshot) {
    CdiaLUConfig& d = Open("1010101100115"); // the most options at once
    Show(d);
    QCoreApplication::processEvents();
    EXPECT_FALSE(SaveScreenshot(*d.GetDialog(), QStringLiteral("core_dialog_config")).isEmpty());
    d.m_cbListeInit.SetSelectedIndex(0);
    QCoreApplication::processEvents();
    EXPECT_FALSE(
        SaveScreenshot(*d.GetDialog(), QStringLiteral("core_dialog_config_leistungen")).isEmpty());
}

} // namespace
