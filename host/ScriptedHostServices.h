#pragma once
// Host services for tests: records every message and question, answers from a
// prepared queue and counts the progress calls, all in public members so that a
// test can set and inspect them directly.
#include "host/HostServices.h"

#include <deque>
#include <vector>

class CScriptedHostServices : public IHostServices {
public:
    struct Aufruf {  // one message or question, in the order of the calls
        bool bFrage; // a question (SollIch, SollIchAbbruch), else a message
        Art art;     // kind of message; Art::Halt for questions
        CString strTitel;
        CString strText;
        bool bMitAbbruch; // question with a cancel button
        int nAntwort;     // answer given to the question, 0 for messages
    };

    std::vector<Aufruf> m_vecAufrufe;
    std::deque<int> m_deqAntworten; // answers in order; kAntwortNein when used up

    CString m_strProgressText; // text of the last opened progress box
    int m_nProgressOpened = 0;
    int m_nProgressUpdates = 0;
    int m_nProgressClosed = 0;
    long m_nProgressDone = 0; // arguments of the last update
    long m_nProgressTotal = 0;
    // The first n updates report success, every later one "cancelled"; -1 never.
    int m_nAbbruchNachUpdates = -1;

    void Message(Art art, const CString& strTitel, const CString& strText) override;
    int Question(const CString& strTitel, const CString& strText, bool bMitAbbruch) override;
    void OpenProgress(const CString& strText) override;
    bool UpdateProgress(long nDone, long nTotal) override;
    void CloseProgress() override;
};
