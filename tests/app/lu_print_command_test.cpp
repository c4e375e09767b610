// "vxstat lu print": the list of the hit file as a PDF that reads back as text,
// the views, wrong calls and a PDF that cannot be written.
#include "app/CommandHelp.h"

#include "support/RunVxstat.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Result = VxstatResult;

class LuPrintCommand : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::random_device rd;
        s_dir = fs::temp_directory_path() / ("vxstat-luprint-" + std::to_string(rd()));
        fs::create_directories(s_dir);
        ASSERT_EQ(Run({"demo-db", Db(), "--invoices", "80", "--seed", "3"}).nExit, kExitOk);
        const Result r = Run({"lu", "pass", "--db", Db(), "--from", "2023-01-01", "--to",
                              "2023-12-31", "--mode", "invoices", "--data", Data()});
        ASSERT_EQ(r.nExit, kExitOk) << r.strErr;
    }
    static void TearDownTestSuite() {
        std::error_code ec;
        fs::remove_all(s_dir, ec);
    }
    static std::string Db() { return (s_dir / "praxis.db").string(); }
    static std::string Data() { return (s_dir / "data").string(); }
    static std::string In(const char* szName) { return (s_dir / szName).string(); }

    static Result Run(const std::vector<std::string>& args) { return RunVxstat(args, s_dir); }
    static std::string PdfText(const std::string& strPdf) {
        const std::string strTxt = strPdf + ".txt";
        const std::string cmd = "pdftotext -layout '" + strPdf + "' '" + strTxt + "'";
        EXPECT_EQ(std::system(cmd.c_str()), 0);
        return ReadWholeFile(strTxt);
    }

    static inline fs::path s_dir;
};

TEST_F(LuPrintCommand, PrintsEveryViewAsAPdfThatReadsBack) {
    struct Fall {
        const char* szView;
        const char* szKopf; // a piece of the heading
    };
    const Fall faelle[] = {// The period of the pass, not the span of the rows' dates (cancellations
                           // of invoices dated before it belong to the list too).
                           {"0", "Laborrechnungen: Rechnungsdatum von 01.01.2023 bis 31.12.2023"},
                           {"1", "(mit USt.)"},
                           {"4", "(mit 7% USt.)"}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.szView);
        const std::string strPdf = In((std::string("liste") + f.szView + ".pdf").c_str());
        const Result r = Run({"lu", "print", "--data", Data(), "--db", Db(), "--view", f.szView,
                              "--marked-only", "--pdf", strPdf});
        ASSERT_EQ(r.nExit, kExitOk) << r.strErr;
        EXPECT_NE(r.strOut.find(strPdf), std::string::npos);
        const std::string strText = PdfText(strPdf);
        EXPECT_NE(strText.find(f.szKopf), std::string::npos) << strText.substr(0, 300);
        EXPECT_NE(strText.find("Plan bzw. Rechnung"), std::string::npos);
        EXPECT_NE(strText.find("Gesamt:"), std::string::npos);
        EXPECT_NE(strText.find("Seite 1"), std::string::npos);
    }
    // The technician ranking, from the technicians the hit file carries.
    const std::string strRanking = In("ranking.pdf");
    const Result r =
        Run({"lu", "print", "--data", Data(), "--db", Db(), "--view", "7", "--pdf", strRanking});
    ASSERT_EQ(r.nExit, kExitOk) << r.strErr;
    EXPECT_NE(PdfText(strRanking).find("Techniker"), std::string::npos);
    EXPECT_TRUE(fs::exists(fs::path(Data()) / "vx_stati.dat"));
    // The print file stays in the data folder.
    EXPECT_TRUE(fs::exists(fs::path(Data()) / "vx_liste.dat"));
}

TEST_F(LuPrintCommand, WrongCallsAndUnwritablePdf) {
    struct Fall {
        std::vector<std::string> args;
        int nExit;
        const char* szErr;
    };
    const std::string strMissing = In("fehlt/liste.pdf");
    const Fall faelle[] = {
        {{"lu", "print", "--data", Data()}, kExitAufruf, "--pdf DATEI"},
        {{"lu", "print", "--data", Data(), "--view", "9", "--pdf", In("x.pdf")},
         kExitAufruf,
         "--view erwartet eine Zahl von 0 bis 7"},
        {{"lu", "print", "--data", Data(), "--view", "7", "--pdf", In("x.pdf")},
         kExitAufruf,
         "braucht --db"},
        {{"lu", "print", "--data", Data(), "--pdf", In("x.pdf"), "wort"},
         kExitAufruf,
         "Unerwartetes Argument"},
        {{"lu", "print", "--data", In("keiner"), "--pdf", In("x.pdf")},
         kExitFehler,
         "existiert nicht"},
        {{"lu", "print", "--data", Data(), "--pdf", strMissing},
         kExitFehler,
         "Fehler beim Speichern der Datei"},
        {{"lu", "print", "--help"}, kExitOk, ""},
        // The demo's invoices of 2023 have no VAT at 16 %.
        {{"lu", "print", "--data", Data(), "--view", "5", "--pdf", In("x.pdf")},
         kExitFehler,
         "keine Zeilen"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.args.back());
        const Result r = Run(f.args);
        EXPECT_EQ(r.nExit, f.nExit) << r.strErr;
        EXPECT_NE(r.strErr.find(f.szErr), std::string::npos) << r.strErr;
    }
    EXPECT_FALSE(fs::exists(In("x.pdf")));
    EXPECT_FALSE(fs::exists(In("fehlt")));
    EXPECT_NE(Run({"help", "lu", "print"}).strOut.find("--marked-only"), std::string::npos);
}

} // namespace
