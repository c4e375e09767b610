#pragma once
// Messages, questions and the progress box of the host as Qt dialogs, with German
// buttons. Installed by the program once a QApplication exists:
//     InstallHostServices(std::make_shared<CQtHostServices>());
#include "host/HostServices.h"

#include <QElapsedTimer>
#include <QPointer>
#include <memory>

class QMessageBox;
class QProgressDialog;

class CQtHostServices : public IHostServices {
public:
    CQtHostServices();
    ~CQtHostServices() override;

    void Message(Art art, const CString& strTitel, const CString& strText) override;
    int Question(const CString& strTitel, const CString& strText, bool bMitAbbruch) override;
    void OpenProgress(const CString& strText) override;
    bool UpdateProgress(long nDone, long nTotal) override;
    void CloseProgress() override;

    // The boxes as they are shown, for the program and its tests: a message with
    // "OK"; a question with "Ja" (default), "Nein" and, with bMitAbbruch,
    // "Abbrechen" (Esc gives "Abbrechen", without it "Nein").
    static std::unique_ptr<QMessageBox> CreateMessageBox(Art art, const CString& strTitel,
                                                         const CString& strText);
    static std::unique_ptr<QMessageBox> CreateQuestionBox(const CString& strTitel,
                                                          const CString& strText, bool bMitAbbruch);
    // The kAntwort value of the button the user chose.
    static int AnswerOf(const QMessageBox& box);

    QProgressDialog* GetProgressBox() const;
    // How often the progress box lets the application handle input (default 100 ms).
    void SetEventInterval(int nMs) { m_nEventIntervalMs = nMs; }

private:
    QPointer<QProgressDialog> m_pProgress;
    QElapsedTimer m_lastEvents; // the box handles input at most every m_nEventIntervalMs
    int m_nEventIntervalMs = 100;
    int m_nLastPercent = -1;
};
