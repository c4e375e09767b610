#include "host/ScriptedHostServices.h"

void CScriptedHostServices::Message(Art art, const CString& strTitel, const CString& strText) {
    m_vecAufrufe.push_back(Aufruf{false, art, strTitel, strText, false, 0});
}

int CScriptedHostServices::Question(const CString& strTitel, const CString& strText,
                                    bool bMitAbbruch) {
    int nAntwort = kAntwortNein;
    if (!m_deqAntworten.empty()) {
        nAntwort = m_deqAntworten.front();
        m_deqAntworten.pop_front();
    }
    m_vecAufrufe.push_back(Aufruf{true, Art::Halt, strTitel, strText, bMitAbbruch, nAntwort});
    return nAntwort;
}

void CScriptedHostServices::OpenProgress(const CString& strText) {
    m_strProgressText = strText;
    ++m_nProgressOpened;
}

bool CScriptedHostServices::UpdateProgress(long nDone, long nTotal) {
    m_nProgressDone = nDone;
    m_nProgressTotal = nTotal;
    ++m_nProgressUpdates;
    return m_nAbbruchNachUpdates < 0 || m_nProgressUpdates <= m_nAbbruchNachUpdates;
}

void CScriptedHostServices::CloseProgress() {
    ++m_nProgressClosed;
}
