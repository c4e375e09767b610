// The evaluation dialog base on a practice database: owner and technician
// lists, names, currency; and the modal run of a dialog with its close path.
#include "host/HostServices.h"
#include "host/ScriptedHostServices.h"
#include "host/db/ZLeb.h"
#include "host/db/ZMandant.h"
#include "host/gui/WPFTKCheckBox.h"
#include "host/gui/WPFTKLComboBox.h"
#include "host/gui/diaWPFAw.h"
#include "host/stat/StatAccu.h"

#include "support/GuiTestApp.h"
#include "support/TempPracticeDb.h"

#include <QComboBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class CdiaAwTest : public CdiaWPFAw {
public:
    explicit CdiaAwTest(CStatAccu* pAccu) : CdiaWPFAw("vxtest/diaTest", pAccu, nullptr) {}
    QWidget* OnInitDialog() override {
        QWidget* pRoot = CdiaWPFAw::OnInitDialog();
        m_cbAuswahl.Attach(this, "cbAuswahl");
        m_chkStorno.Attach(this, "CheckA");
        return pRoot;
    }
    // Leaving with changes asks first, as the settings dialogs do.
    void OnExit() override {
        if (NoChanges() || SollIchAbbruch(6, "Speichern?") != kAntwortAbbruch) CdiaWPFAw::OnExit();
    }
    CWPFTKLComboBox m_cbAuswahl;
    CWPFTKCheckBox m_chkStorno;
};

class AwBaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        GuiTestApp();
        m_previous = InstallHostServices(m_scripted);
        WriteMandant("1", "Praxis Huber");
        WriteMandant("2", "Praxis Kunz");
        WriteLeb(" T7", "Berger", "Anna", "");
        WriteLeb("T9", "Adler", "", "");
        WriteLeb("T3", "Alt", "Otto", "20000101"); // no longer valid
        m_accu.SetPeriod("20240101", "20241231");
    }
    void TearDown() override { InstallHostServices(m_previous); }

    static void WriteMandant(const CString& strId, const CString& strName) {
        CZMandant mandant(&dbDatabase);
        mandant.m_strMdId = strId;
        mandant.m_strName = strName;
        ASSERT_EQ(mandant.Write(), 0) << mandant.GetLastError();
    }
    static void WriteLeb(const CString& strId, const CString& strName, const CString& strVorname,
                         const CString& strBis) {
        CZLeb leb(&dbDatabase);
        leb.m_strLebId = strId;
        leb.m_strArt = "T";
        leb.m_strName = strName;
        leb.m_strVorname = strVorname;
        leb.m_strGueltigBis = strBis;
        ASSERT_EQ(leb.Write(), 0) << leb.GetLastError();
    }

    TempPracticeDb m_db;
    std::shared_ptr<CScriptedHostServices> m_scripted = std::make_shared<CScriptedHostServices>();
    std::shared_ptr<IHostServices> m_previous;
    CStatAccu m_accu;
};

TEST_F(AwBaseTest, OwnerAndTechnicianListsComeWithTheirNames) {
    CdiaAwTest dialog(&m_accu);
    ASSERT_TRUE(dialog.Create());
    dialog.m_cbAuswahl.BindMatrix(dialog.m_matMandant, 1);
    dialog.FillMandant({"1", "2"}, "", dialog.m_matMandant, dialog.m_cbAuswahl);
    ASSERT_EQ(dialog.m_matMandant.Count(), 3);
    EXPECT_EQ(dialog.m_matMandant.GetValue(0, 0), "");
    EXPECT_EQ(dialog.m_matMandant.GetValue(2, 1), "Praxis Kunz (2)");
    EXPECT_EQ(dialog.m_cbAuswahl.GetData(), "Alle Mandanten");
    dialog.FillMandant({"1", "2"}, "2", dialog.m_matMandant,
                       dialog.m_cbAuswahl); // the run was for one owner
    ASSERT_EQ(dialog.m_matMandant.Count(), 1);
    EXPECT_EQ(dialog.m_cbAuswahl.GetData(), "Praxis Kunz (2)");
    dialog.FillMandant({"5"}, "", dialog.m_matMandant, dialog.m_cbAuswahl);
    EXPECT_EQ(dialog.m_matMandant.GetValue(0, 1), "5"); // unknown owner: its id

    // No technicians in the run: the valid ones of the database, by name.
    EXPECT_EQ(dialog.m_vecTechnikerIds, (std::vector<CString>{"T9", " T7"}));
    EXPECT_EQ(dialog.m_vecTechniker, (std::vector<CString>{"Adler", "Berger, Anna"}));
    dialog.m_cbAuswahl.BindMatrix2(dialog.m_matLeb, 1, 2);
    dialog.FillLeb(dialog.m_vecTechniker, dialog.m_vecTechnikerIds, dialog.m_matLeb,
                   dialog.m_cbAuswahl, false);
    EXPECT_EQ(dialog.m_cbAuswahl.GetSelectedIndex(), -1);
    ASSERT_TRUE(DoSetMember(dialog.m_cbAuswahl, dialog.m_matLeb, " T7", 0));
    EXPECT_EQ(dialog.m_cbAuswahl.GetData(), "Berger, Anna (T7)");

    EXPECT_EQ(dialog.GetLebName(" T7"), "Berger, Anna");
    EXPECT_EQ(dialog.GetLebName("T3"), "Alt, Otto"); // names also of former technicians
    EXPECT_EQ(dialog.GetLebName("T7"), "");
    EXPECT_EQ(dialog.GetLebName(""), "");
    EXPECT_EQ(dialog.GetWaehrungText(), "\x80");
    m_accu.SetPeriod("20010101", "20011231");
    EXPECT_EQ(CdiaAwTest(&m_accu).GetWaehrungText(), "DM");
}

TEST_F(AwBaseTest, ModalRunEndsWithItsCodeAndCloseAsksAboutChanges) {
    CdiaAwTest dialog(&m_accu);
    QTimer::singleShot(0, [&] { dialog.EndDialog(2); });
    EXPECT_EQ(dialog.DoModal(), 2);

    // A change, then Esc: the question is cancelled and the dialog stays open.
    CdiaAwTest asking(&m_accu);
    ASSERT_TRUE(asking.Create());
    asking.GetDialog()->show();
    asking.m_chkStorno.SetIsChecked(true);
    m_scripted->m_deqAntworten = {kAntwortAbbruch, kAntwortNein};
    QTest::keyClick(asking.GetDialog(), Qt::Key_Escape);
    EXPECT_TRUE(asking.GetDialog()->isVisible());
    ASSERT_EQ(m_scripted->m_vecAufrufe.size(), 1u);
    EXPECT_EQ(m_scripted->m_vecAufrufe[0].strTitel, "Laborumsatzliste");
    asking.GetDialog()->close(); // the window's close button takes the same path
    EXPECT_FALSE(asking.GetDialog()->isVisible());
    EXPECT_EQ(asking.GetEndCode(), CWPFDialog::kEndExit);
}

} // namespace
