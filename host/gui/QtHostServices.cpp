#include "host/gui/QtHostServices.h"

#include "host/gui/QtText.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <algorithm>

namespace {

constexpr const char* kAnswerProperty = "vxAntwort";

QMessageBox::Icon IconOf(IHostServices::Art art) {
    switch (art) {
    case IHostServices::Art::HaltI:
        return QMessageBox::Information;
    case IHostServices::Art::HaltE:
    case IHostServices::Art::TkHaltE:
        return QMessageBox::Critical;
    default:
        return QMessageBox::Warning;
    }
}

QPushButton* AddAnswer(QMessageBox& box, const char* szText, QMessageBox::ButtonRole role,
                       int nAntwort) {
    QPushButton* pButton = box.addButton(QString::fromUtf8(szText), role);
    pButton->setProperty(kAnswerProperty, nAntwort);
    return pButton;
}

std::unique_ptr<QMessageBox> MakeBox(QMessageBox::Icon icon, const CString& strTitel,
                                     const CString& strText) {
    auto pBox = std::make_unique<QMessageBox>(icon, ToQString(strTitel), ToQString(strText),
                                              QMessageBox::NoButton, QApplication::activeWindow());
    pBox->setTextFormat(Qt::PlainText);
    return pBox;
}

} // namespace

CQtHostServices::CQtHostServices() = default;

CQtHostServices::~CQtHostServices() {
    delete m_pProgress.data();
}

std::unique_ptr<QMessageBox> CQtHostServices::CreateMessageBox(Art art, const CString& strTitel,
                                                               const CString& strText) {
    auto pBox = MakeBox(IconOf(art), strTitel, strText);
    QPushButton* pOk = AddAnswer(*pBox, "OK", QMessageBox::AcceptRole, 0);
    pBox->setDefaultButton(pOk);
    pBox->setEscapeButton(pOk);
    return pBox;
}

std::unique_ptr<QMessageBox> CQtHostServices::CreateQuestionBox(const CString& strTitel,
                                                                const CString& strText,
                                                                bool bMitAbbruch) {
    auto pBox = MakeBox(QMessageBox::Question, strTitel, strText);
    QPushButton* pJa = AddAnswer(*pBox, "Ja", QMessageBox::YesRole, kAntwortJa);
    QPushButton* pNein = AddAnswer(*pBox, "Nein", QMessageBox::NoRole, kAntwortNein);
    pBox->setDefaultButton(pJa);
    pBox->setEscapeButton(pNein);
    if (bMitAbbruch)
        pBox->setEscapeButton(
            AddAnswer(*pBox, "Abbrechen", QMessageBox::RejectRole, kAntwortAbbruch));
    return pBox;
}

int CQtHostServices::AnswerOf(const QMessageBox& box) {
    const QAbstractButton* pClicked = box.clickedButton();
    if (!pClicked) return kAntwortNein;
    return pClicked->property(kAnswerProperty).toInt();
}

void CQtHostServices::Message(Art art, const CString& strTitel, const CString& strText) {
    CreateMessageBox(art, strTitel, strText)->exec();
}

int CQtHostServices::Question(const CString& strTitel, const CString& strText, bool bMitAbbruch) {
    auto pBox = CreateQuestionBox(strTitel, strText, bMitAbbruch);
    pBox->exec();
    return AnswerOf(*pBox);
}

void CQtHostServices::OpenProgress(const CString& strText) {
    CloseProgress();
    m_pProgress = new QProgressDialog(ToQString(strText), QStringLiteral("Abbrechen"), 0, 100,
                                      QApplication::activeWindow());
    m_pProgress->setWindowModality(Qt::WindowModal);
    m_pProgress->setMinimumDuration(400); // short runs show no box at all
    m_pProgress->setAutoReset(false);
    m_pProgress->setAutoClose(false);
    m_pProgress->setValue(0);
    m_nLastPercent = 0;
    m_lastEvents.start();
}

bool CQtHostServices::UpdateProgress(long nDone, long nTotal) {
    if (!m_pProgress) return true;
    const int nPercent =
        nTotal > 0 ? static_cast<int>(std::clamp(nDone * 100 / nTotal, 0L, 100L)) : 0;
    if (nPercent != m_nLastPercent) {
        m_nLastPercent = nPercent;
        m_pProgress->setValue(nPercent);
    }
    if (m_lastEvents.elapsed() >= m_nEventIntervalMs) { // lets the user press "Abbrechen"
        m_lastEvents.restart();
        QApplication::processEvents();
    }
    return !m_pProgress->wasCanceled();
}

QProgressDialog* CQtHostServices::GetProgressBox() const {
    return m_pProgress;
}

void CQtHostServices::CloseProgress() {
    delete m_pProgress.data();
    m_pProgress = nullptr;
}
