#pragma once
// Messages, questions and progress of the command-line program: texts on stderr in
// UTF-8, answers from the terminal. Without a terminal on the input every question
// gets the careful answer (no, or cancel), so unattended runs never block and never
// agree to anything.
#include "host/HostServices.h"

#include <chrono>
#include <cstdio>

class CTerminalHostServices : public IHostServices {
public:
    explicit CTerminalHostServices(std::FILE* pIn = stdin, std::FILE* pOut = stderr);

    void Message(Art art, const CString& strTitel, const CString& strText) override;
    int Question(const CString& strTitel, const CString& strText, bool bMitAbbruch) override;
    void OpenProgress(const CString& strText) override;
    bool UpdateProgress(long nDone, long nTotal) override;
    void CloseProgress() override;

private:
    int AskTerminal(bool bMitAbbruch);
    void Print(const CString& strCp1252);

    std::FILE* m_pIn;
    std::FILE* m_pOut;
    CString m_strProgressText;
    bool m_bProgressShown = false; // a progress line is on the screen
    std::chrono::steady_clock::time_point m_lastProgress;
};
