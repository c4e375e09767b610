#include "host/HostServices.h"

#include "host/ScriptedHostServices.h"
#include "host/TerminalHostServices.h"
#include "host/VxStrings.h"

#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

namespace {

using Art = IHostServices::Art;

class HostServicesTest : public ::testing::Test {
protected:
    void SetUp() override { m_previous = InstallHostServices(m_scripted); }
    void TearDown() override { InstallHostServices(m_previous); }

    std::shared_ptr<CScriptedHostServices> m_scripted = std::make_shared<CScriptedHostServices>();
    std::shared_ptr<IHostServices> m_previous;
};

TEST_F(HostServicesTest, MessagesReachTheInstalledServiceInOrder) {
    Halt(kVxStrLaborumsatz, "Plan-Nr. nicht verf\xFCgbar!", 0);
    HaltE("Export", "Fehler beim Speichern");
    HaltI(kVxStrLaborumsatz, "gespeichert");
    TkHaltE(99999, "unbekannte Nummer");
    Halt(99999, "unbekannte Nummer");

    struct Expected {
        Art art;
        CString titel, text;
    };
    const Expected expected[] = {
        {Art::Halt, "Laborumsatzliste", "Plan-Nr. nicht verf\xFCgbar!"},
        {Art::HaltE, "Export", "Fehler beim Speichern"},
        {Art::HaltI, "Laborumsatzliste", "gespeichert"},
        {Art::TkHaltE, "Fehler", "unbekannte Nummer"}, // unknown caption: generic one
        {Art::Halt, "Hinweis", "unbekannte Nummer"},
    };
    ASSERT_EQ(m_scripted->m_vecAufrufe.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const auto& call = m_scripted->m_vecAufrufe[i];
        EXPECT_FALSE(call.bFrage);
        EXPECT_EQ(call.art, expected[i].art) << i;
        EXPECT_EQ(call.strTitel, expected[i].titel) << i;
        EXPECT_EQ(call.strText, expected[i].text) << i;
    }
}

TEST_F(HostServicesTest, QuestionsTakePresetAnswersThenSayNo) {
    m_scripted->m_deqAntworten = {kAntwortJa, kAntwortAbbruch};
    EXPECT_EQ(SollIch("Drucken", "Nur markierte?", 0), kAntwortJa);
    Halt("Zwischen", "durch");
    EXPECT_EQ(SollIchAbbruch(kVxStrLaborumsatz, VxString(kVxStrAenderungenSpeichern), 0),
              kAntwortAbbruch);
    EXPECT_EQ(SollIch(99999, "leer"), kAntwortNein);

    const auto& calls = m_scripted->m_vecAufrufe;
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_TRUE(calls[0].bFrage);
    EXPECT_FALSE(calls[0].bMitAbbruch);
    EXPECT_FALSE(calls[1].bFrage);
    EXPECT_TRUE(calls[2].bMitAbbruch);
    EXPECT_EQ(calls[2].strTitel, "Laborumsatzliste");
    EXPECT_EQ(calls[2].nAntwort, kAntwortAbbruch);
    EXPECT_EQ(calls[3].strTitel, "Frage");
    EXPECT_EQ(calls[3].nAntwort, kAntwortNein);
}

TEST_F(HostServicesTest, ProgressIsRecordedAndCanBeCancelled) {
    m_scripted->m_nAbbruchNachUpdates = 2;
    VxOpenProgressBox(kVxStrJournalDruck);
    EXPECT_TRUE(VxUpdateProgressBox2(1, 10));
    EXPECT_TRUE(VxUpdateProgressBox2(2, 10));
    EXPECT_FALSE(VxUpdateProgressBox2(3, 10));
    EXPECT_FALSE(VxUpdateProgressBox2(4, 10));
    VxCloseProgressBox();
    EXPECT_EQ(m_scripted->m_strProgressText, "Journal wird gedruckt ...");
    EXPECT_EQ(m_scripted->m_nProgressOpened, 1);
    EXPECT_EQ(m_scripted->m_nProgressUpdates, 4);
    EXPECT_EQ(m_scripted->m_nProgressDone, 4);
    EXPECT_EQ(m_scripted->m_nProgressTotal, 10);
    EXPECT_EQ(m_scripted->m_nProgressClosed, 1);

    VxOpenProgressBox(99999);
    EXPECT_EQ(m_scripted->m_strProgressText, "Bitte warten ...");
}

TEST(VxStrings, KnownTextsAreWindows1252AndUnknownLeaveTheTextAlone) {
    for (int nId : {kVxStrHinweis, kVxStrFehler, kVxStrFrage, kVxStrBitteWarten, kVxStrLaborumsatz,
                    kVxStrAenderungenSpeichern, kVxStrLuLeistungen, kVxStrLuRechnungen,
                    kVxStrLuBezahlt, kVxStrLuStorniert, kVxStrLuFiktiv, kVxStrJournalDruck}) {
        CString text = "alt";
        EXPECT_TRUE(LoadVxString(nId, text)) << nId;
        EXPECT_FALSE(text.empty() || text == "alt") << nId;
    }
    EXPECT_NE(VxString(kVxStrAenderungenSpeichern).find("\xC4nderungen"), CString::npos);

    CString text = "alt";
    EXPECT_FALSE(LoadVxString(99999, text));
    EXPECT_EQ(text, "alt");
    EXPECT_EQ(VxString(-1), "");
}

TEST(HostServicesRegistry, InstallReturnsPreviousAndNullMeansTerminal) {
    auto first = std::make_shared<CScriptedHostServices>();
    auto second = std::make_shared<CScriptedHostServices>();
    const auto original = InstallHostServices(first);
    EXPECT_EQ(InstallHostServices(second), first);
    EXPECT_EQ(&HostServices(), second.get());
    EXPECT_EQ(InstallHostServices(nullptr), second);
    EXPECT_NE(dynamic_cast<CTerminalHostServices*>(&HostServices()), nullptr);
    InstallHostServices(original);
}

// The terminal service against files (no terminal) and against a pseudo-terminal.
std::string ReadAll(std::FILE* pFile) {
    std::rewind(pFile);
    std::string text;
    for (int c = std::fgetc(pFile); c != EOF; c = std::fgetc(pFile))
        text += static_cast<char>(c);
    return text;
}

TEST(TerminalHostServices, WithoutTerminalAnswersCarefullyAndWritesUtf8) {
    std::FILE* pIn = std::tmpfile();
    std::FILE* pOut = std::tmpfile();
    ASSERT_TRUE(pIn && pOut);
    std::fputs("j\n", pIn); // a file is no user: its content is never taken as consent
    std::rewind(pIn);
    CTerminalHostServices terminal(pIn, pOut);
    EXPECT_EQ(terminal.Question("Frage", "L\xF6schen?", false), kAntwortNein);
    EXPECT_EQ(terminal.Question("Frage", "Speichern?", true), kAntwortAbbruch);
    terminal.Message(Art::HaltE, "Fehler",
                     "Gr\xF6\xDF"
                     "e \x80");
    terminal.OpenProgress("Bitte warten");
    EXPECT_TRUE(terminal.UpdateProgress(5, 10));
    terminal.CloseProgress();

    const std::string out = ReadAll(pOut);
    EXPECT_NE(out.find("Löschen?"), std::string::npos);
    EXPECT_NE(out.find("Fehler - Fehler: Größe €\n"), std::string::npos);
    EXPECT_EQ(out.find("Bitte warten"), std::string::npos); // no progress into files
    std::fclose(pIn);
    std::fclose(pOut);
}

// A pseudo-terminal stands in for the user's terminal.
struct PseudoTerminal {
    int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    std::FILE* pSlave = master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0
                            ? std::fopen(::ptsname(master), "r+")
                            : nullptr;
    ~PseudoTerminal() {
        if (pSlave) std::fclose(pSlave);
        if (master >= 0) ::close(master);
    }
    void Type(const std::string& text) const {
        ASSERT_GT(::write(master, text.data(), text.size()), 0);
    }
    std::string Output() const { // what the program wrote, with the echo of the input
        std::string text;
        char buffer[4096];
        for (pollfd pfd{master, POLLIN, 0}; ::poll(&pfd, 1, 50) > 0;) {
            const ssize_t n = ::read(master, buffer, sizeof(buffer));
            if (n <= 0) break;
            text.append(buffer, static_cast<std::size_t>(n));
        }
        return text;
    }
};

TEST(TerminalHostServices, OnATerminalAsksUntilValidAndShowsOneThrottledLine) {
    PseudoTerminal pty;
    if (!pty.pSlave) GTEST_SKIP() << "no pseudo-terminal available";
    CTerminalHostServices terminal(pty.pSlave, pty.pSlave);
    pty.Type("vielleicht\n Ja \na\na\nn\n");
    EXPECT_EQ(terminal.Question("Frage", "Drucken?", false), kAntwortJa);
    EXPECT_EQ(terminal.Question("Frage", "Speichern?", true), kAntwortAbbruch);
    EXPECT_EQ(terminal.Question("Frage", "Beenden?", false), kAntwortNein); // 'a' is no answer
    pty.Output();

    terminal.OpenProgress("Journal");
    for (long i = 1; i <= 1000; ++i)
        terminal.UpdateProgress(i, 1000);
    terminal.CloseProgress();
    const std::string out = pty.Output();
    std::size_t nLines = 0;
    for (auto p = out.find("Journal"); p != std::string::npos; p = out.find("Journal", p + 1))
        ++nLines;
    EXPECT_GE(nLines, 2u); // the first and the final state
    EXPECT_LE(nLines, 5u);
    EXPECT_NE(out.find("Journal 100 %"), std::string::npos);
}

} // namespace
