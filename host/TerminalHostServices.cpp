#include "host/TerminalHostServices.h"

#include "host/Cp1252.h"
#include "host/TextUtil.h"

#include <unistd.h>

namespace {

// At most about ten progress lines a second; more only costs time on slow terminals.
constexpr auto kProgressInterval = std::chrono::milliseconds(100);

const char* ArtLabel(IHostServices::Art art) {
    switch (art) {
    case IHostServices::Art::HaltE:
    case IHostServices::Art::TkHaltE:
        return "Fehler";
    case IHostServices::Art::HaltI:
        return "Info";
    case IHostServices::Art::Halt:
        break;
    }
    return "Hinweis";
}

bool IsTerminal(std::FILE* pFile) {
    return pFile && ::isatty(::fileno(pFile)) == 1;
}

// The answer a line typed by the user means, or 0 when it means none.
int ParseAnswer(CString strLine, bool bMitAbbruch) {
    if (!strLine.empty() && strLine.back() == '\r') strLine.pop_back();
    strLine = Trim(strLine);
    for (char& c : strLine)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (strLine == "j" || strLine == "ja") return kAntwortJa;
    if (strLine == "n" || strLine == "nein") return kAntwortNein;
    if (bMitAbbruch && (strLine == "a" || strLine == "abbrechen")) return kAntwortAbbruch;
    return 0;
}

bool ReadLine(std::FILE* pIn, CString& strLine) {
    strLine.clear();
    for (int c = std::fgetc(pIn); c != EOF; c = std::fgetc(pIn)) {
        if (c == '\n') return true;
        strLine += static_cast<char>(c);
    }
    return !strLine.empty();
}

int Percent(long nDone, long nTotal) {
    if (nTotal <= 0) return 0;
    const double d = 100.0 * static_cast<double>(nDone) / static_cast<double>(nTotal);
    return d < 0 ? 0 : d > 100 ? 100 : static_cast<int>(d);
}

} // namespace

CTerminalHostServices::CTerminalHostServices(std::FILE* pIn, std::FILE* pOut)
    : m_pIn(pIn), m_pOut(pOut) {}

void CTerminalHostServices::Print(const CString& strCp1252) {
    const std::string utf8 = Cp1252ToUtf8(strCp1252);
    std::fwrite(utf8.data(), 1, utf8.size(), m_pOut);
    std::fflush(m_pOut);
}

void CTerminalHostServices::Message(Art art, const CString& strTitel, const CString& strText) {
    // A message must not end up inside a progress line.
    if (m_bProgressShown) Print("\n");
    m_bProgressShown = false;
    Print(CString(ArtLabel(art)) + " - " + strTitel + ": " + strText + "\n");
}

int CTerminalHostServices::Question(const CString& strTitel, const CString& strText,
                                    bool bMitAbbruch) {
    if (m_bProgressShown) Print("\n");
    m_bProgressShown = false;
    Print("Frage - " + strTitel + ": " + strText + "\n");
    const int nVorsicht = bMitAbbruch ? kAntwortAbbruch : kAntwortNein;
    if (!IsTerminal(m_pIn)) {
        Print(bMitAbbruch ? "(ohne Eingabe: abbrechen)\n" : "(ohne Eingabe: nein)\n");
        return nVorsicht;
    }
    const int nAntwort = AskTerminal(bMitAbbruch);
    return nAntwort ? nAntwort : nVorsicht;
}

// Asks until the user gives a valid answer; 0 at the end of the input.
int CTerminalHostServices::AskTerminal(bool bMitAbbruch) {
    CString strLine;
    for (;;) {
        Print(bMitAbbruch ? "[j/n/a] " : "[j/n] ");
        if (!ReadLine(m_pIn, strLine)) return 0;
        if (const int nAntwort = ParseAnswer(strLine, bMitAbbruch)) return nAntwort;
    }
}

void CTerminalHostServices::OpenProgress(const CString& strText) {
    m_strProgressText = strText;
    m_bProgressShown = false;
    m_lastProgress = {};
}

bool CTerminalHostServices::UpdateProgress(long nDone, long nTotal) {
    if (!IsTerminal(m_pOut)) return true;
    const auto now = std::chrono::steady_clock::now();
    const bool bLast = nTotal > 0 && nDone >= nTotal;
    if (m_bProgressShown && !bLast && now - m_lastProgress < kProgressInterval) return true;
    m_lastProgress = now;
    m_bProgressShown = true;
    // "\r" and the erase-to-end sequence redraw the one line in place.
    Print("\r" + m_strProgressText + Format(" %3d %%\x1b[K", Percent(nDone, nTotal)));
    return true;
}

void CTerminalHostServices::CloseProgress() {
    if (m_bProgressShown) Print("\n");
    m_bProgressShown = false;
}
