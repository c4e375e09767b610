// "vxstat glab print" and "vxstat glab chart": the dialog's journal as a PDF that
// reads back as text, its chart as a PNG, wrong calls, targets that cannot be
// written and a hit file with bad lines.
#include "app/CommandHelp.h"

#include "support/RunVxstat.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

class GlabDialogCommand : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::random_device rd;
        s_dir = fs::temp_directory_path() / ("vxstat-glabdialog-" + std::to_string(rd()));
        fs::create_directories(s_dir);
        ASSERT_EQ(Run({"demo-db", Db(), "--invoices", "300", "--seed", "2"}).nExit, kExitOk);
        const VxstatResult r = Run({"glab", "pass", "--db", Db(), "--from", "2023-01-01", "--to",
                                    "2023-12-31", "--data", Data()});
        ASSERT_EQ(r.nExit, kExitOk) << r.strErr;
        // The customer of the first invoice, as the reader shows it.
        const VxstatResult tsv = Run({"glab", "read", "--data", Data(), "--format", "tsv"});
        const std::size_t nZeile = tsv.strOut.find('\n') + 1;
        s_strKunde = tsv.strOut.substr(nZeile, tsv.strOut.find('\t', nZeile) - nZeile);
        ASSERT_FALSE(s_strKunde.empty()) << tsv.strOut;
    }
    static void TearDownTestSuite() {
        std::error_code ec;
        fs::remove_all(s_dir, ec);
    }
    static std::string Db() { return (s_dir / "praxis.db").string(); }
    static std::string Data() { return (s_dir / "data").string(); }
    static std::string In(const std::string& strName) { return (s_dir / strName).string(); }
    static VxstatResult Run(const std::vector<std::string>& args) { return RunVxstat(args, s_dir); }
    static std::string PdfText(const std::string& strPdf) {
        const std::string strTxt = strPdf + ".txt";
        EXPECT_EQ(std::system(("pdftotext -layout '" + strPdf + "' '" + strTxt + "'").c_str()), 0);
        return ReadWholeFile(strTxt);
    }

    static inline fs::path s_dir;
    static inline std::string s_strKunde;
};

TEST_F(GlabDialogCommand, PrintWritesTheJournalOfAllOrOneCustomer) {
    const std::string pdf = In("journal.pdf");
    VxstatResult r = Run({"glab", "print", "--data", Data(), "--db", Db(), "--pdf", pdf});
    ASSERT_EQ(r.nExit, kExitOk) << r.strErr;
    EXPECT_NE(r.strOut.find(pdf), std::string::npos);
    EXPECT_TRUE(fs::exists(fs::path(Data()) / "vx_glabjournal.dat"));
    std::string text = PdfText(pdf);
    for (const char* sz :
         {"Vx Gewerbelaborrechnung - Statistik", "Laborkunde: alle", "Gesamtwerte", "Rng.-Nr."})
        EXPECT_NE(text.find(sz), std::string::npos) << sz << "\n" << text;

    r = Run({"glab", "print", "--data", Data(), "--db", Db(), "--kunde", s_strKunde, "--storno",
             "1", "--marked-only", "--pdf", pdf});
    ASSERT_EQ(r.nExit, kExitOk) << r.strErr;
    text = PdfText(pdf);
    EXPECT_NE(text.find("Laborkunde: " + s_strKunde + " - Zahnarztpraxis"), std::string::npos)
        << text;

    // Leading zeros name the same customer.
    r = Run({"glab", "print", "--data", Data(), "--db", Db(), "--kunde", "00" + s_strKunde,
             "--pdf", pdf});
    ASSERT_EQ(r.nExit, kExitOk) << r.strErr;
    EXPECT_NE(PdfText(pdf).find("Laborkunde: " + s_strKunde + " - "), std::string::npos);
}

TEST_F(GlabDialogCommand, ChartSavesAPngOfAllOrOneCustomer) {
    for (const std::vector<std::string>& kunde :
         {std::vector<std::string>{}, std::vector<std::string>{"--kunde", s_strKunde}}) {
        const std::string png = In("grafik.png");
        fs::remove(png);
        std::vector<std::string> args = {"glab", "chart", "--data", Data(),
                                         "--db", Db(),    "--png",  png};
        args.insert(args.end(), kunde.begin(), kunde.end());
        const VxstatResult r = Run(args);
        ASSERT_EQ(r.nExit, kExitOk) << r.strErr;
        EXPECT_EQ(r.strErr.find("propagateSizeHints"), std::string::npos);
        EXPECT_EQ(ReadWholeFile(png).substr(0, 8), "\x89PNG\r\n\x1a\n");
    }
}

TEST_F(GlabDialogCommand, WrongCallsAndTargetsThatCannotBeWrittenLeaveNothing) {
    const std::string pdf = In("nie.pdf"), png = In("nie.png");
    struct Fall {
        std::vector<std::string> args;
        int nExit;
        const char* szErr;
    };
    const Fall faelle[] = {
        {{"glab", "print", "--data", Data(), "--kunde", "12x", "--pdf", pdf}, kExitAufruf, "12x"},
        {{"glab", "print", "--data", Data(), "--kunde", "Alle", "--pdf", pdf}, kExitAufruf, "Alle"},
        {{"glab", "print", "--data", Data(), "--storno", "3", "--pdf", pdf}, kExitAufruf, "storno"},
        {{"glab", "print", "--data", Data()}, kExitAufruf, "--pdf"},
        {{"glab", "chart", "--data", Data(), "--pdf", pdf}, kExitAufruf, "pdf"},
        {{"glab", "chart", "--data", Data()}, kExitAufruf, "--png"},
        {{"glab", "print", "--data", Data(), "--db", Db(), "--kunde", "999", "--pdf", pdf},
         kExitFehler,
         "Laborkunde 999"},
        {{"glab", "chart", "--data", Data(), "--kunde", s_strKunde, "--png", png},
         kExitFehler,
         "--db"}, // without the database no customer to choose
        {{"glab", "print", "--data", In("fehlt"), "--pdf", pdf}, kExitFehler, "fehlt"},
        {{"glab", "print", "--data", Data(), "--pdf", In("fehlt/j.pdf")},
         kExitFehler,
         "Fehler beim Speichern"},
        {{"glab", "print", "--data", Data(), "--pdf", Data()}, kExitFehler, "Speichern"},
        {{"glab", "chart", "--data", Data(), "--png", Data()}, kExitFehler, ""},
    };
    for (const Fall& f : faelle) {
        const VxstatResult r = Run(f.args);
        EXPECT_EQ(r.nExit, f.nExit) << f.args[1] << " " << f.args.back() << "\n" << r.strErr;
        EXPECT_NE(r.strErr.find(f.szErr), std::string::npos) << r.strErr;
        EXPECT_FALSE(fs::exists(pdf));
        EXPECT_FALSE(fs::exists(png));
    }
    EXPECT_TRUE(fs::is_directory(Data()));
}

TEST_F(GlabDialogCommand, BadLinesOfTheHitFileAreNamedAndTheGoodOnesPrint) {
    const fs::path data = s_dir / "kaputt";
    fs::create_directories(data);
    for (const char* sz : {"vx_gla.txt", "vx_gla.sel"})
        fs::copy_file(fs::path(Data()) / sz, data / sz, fs::copy_options::overwrite_existing);
    std::ofstream(data / "vx_gla.txt", std::ios::app) << "W\tkaputt\nX\n";
    const std::string pdf = In("kaputt.pdf");
    const VxstatResult r = Run({"glab", "print", "--data", data.string(), "--pdf", pdf});
    ASSERT_EQ(r.nExit, kExitOk) << r.strErr;
    EXPECT_NE(r.strErr.find("vx_gla.txt, Zeile"), std::string::npos) << r.strErr;
    EXPECT_NE(PdfText(pdf).find("Gesamtwerte"), std::string::npos);
}

} // namespace
