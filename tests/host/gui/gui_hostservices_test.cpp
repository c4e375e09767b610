#include "host/gui/QtHostServices.h"

#include "support/GuiTestApp.h"

#include <QApplication>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QStringList ButtonTexts(const QMessageBox& box) {
    QStringList texts;
    for (const QAbstractButton* pButton : box.buttons())
        texts.append(pButton->text());
    texts.sort();
    return texts;
}

// Presses the button with the text in the next modal box that opens.
void AnswerNextBox(const QString& strButton) {
    QTimer::singleShot(0, [strButton] {
        auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(pBox, nullptr);
        for (QAbstractButton* pButton : pBox->buttons())
            if (pButton->text() == strButton) pButton->click();
    });
}

class QtHostServicesTest : public ::testing::Test {
protected:
    void SetUp() override { GuiTestApp(); }
    CQtHostServices m_services;
};

TEST_F(QtHostServicesTest, BoxesHaveGermanButtonsAndSafeEscapes) {
    const auto pQuestion = CQtHostServices::CreateQuestionBox("Frage", "Speichern?", false);
    EXPECT_EQ(ButtonTexts(*pQuestion), (QStringList{"Ja", "Nein"}));
    EXPECT_EQ(pQuestion->defaultButton()->text(), "Ja");
    EXPECT_EQ(pQuestion->escapeButton()->text(), "Nein");

    const auto pCancel = CQtHostServices::CreateQuestionBox("Frage", "Speichern?", true);
    EXPECT_EQ(ButtonTexts(*pCancel), (QStringList{"Abbrechen", "Ja", "Nein"}));
    EXPECT_EQ(pCancel->escapeButton()->text(), "Abbrechen");

    const auto pError = CQtHostServices::CreateMessageBox(
        IHostServices::Art::HaltE, "Export", "Fehler beim Speichern der Datei:\n\nc:\\a\xE4.xlsx");
    EXPECT_EQ(ButtonTexts(*pError), QStringList{"OK"});
    EXPECT_EQ(pError->icon(), QMessageBox::Critical);
    EXPECT_EQ(pError->text(), QString::fromUtf8("Fehler beim Speichern der Datei:\n\nc:\\aä.xlsx"));
}

TEST_F(QtHostServicesTest, QuestionsReturnTheChosenAnswer) {
    AnswerNextBox("Ja");
    EXPECT_EQ(m_services.Question("Frage", "Weiter?", false), kAntwortJa);
    AnswerNextBox("Abbrechen");
    EXPECT_EQ(m_services.Question("Frage", "Speichern?", true), kAntwortAbbruch);
    AnswerNextBox("Nein");
    EXPECT_EQ(m_services.Question("Frage", "Speichern?", true), kAntwortNein);
    AnswerNextBox("OK");
    m_services.Message(IHostServices::Art::HaltI, "Hinweis", "gespeichert");
}

TEST_F(QtHostServicesTest, ProgressBoxReportsCancel) {
    m_services.OpenProgress("Bitte ein wenig Geduld...");
    ASSERT_NE(m_services.GetProgressBox(), nullptr);
    EXPECT_TRUE(m_services.UpdateProgress(500, 1000));
    EXPECT_EQ(m_services.GetProgressBox()->value(), 50);
    m_services.GetProgressBox()->cancel();
    EXPECT_FALSE(m_services.UpdateProgress(501, 1000));
    m_services.CloseProgress();
    EXPECT_EQ(m_services.GetProgressBox(), nullptr);
    EXPECT_TRUE(m_services.UpdateProgress(1, 2)); // no box: nothing to cancel
}

} // namespace
