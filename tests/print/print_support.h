#pragma once
// The surroundings of a print test: a data folder of its own, a fixed date, the
// scripted host services, the PDF target, reading a PDF back as text, and the
// comparison of a print-variable file with its reference copy.
#include "host/HostServices.h"
#include "host/ScriptedHostServices.h"
#include "host/TextUtil.h"
#include "host/print/PrintFile.h"
#include "host/stat/DataPath.h"

#include "support/GuiTestApp.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

inline std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The text of a PDF as pdftotext reads it (UTF-8, layout kept).
inline std::string PdfText(const fs::path& pdf) {
    const std::string cmd = std::string(VX_PDFTOTEXT) + " -layout '" + pdf.string() + "' - 2>&1";
    std::string text;
    if (FILE* p = ::popen(cmd.c_str(), "r")) {
        char buf[4096];
        for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;)
            text.append(buf, n);
        ::pclose(p);
    }
    return text;
}

// Compares a written print-variable file line by line with its reference copy
// under tests/data/print. With VXSTAT_UPDATE_PRINT_REFS=1 the copy is written anew.
inline void ExpectSameAsReference(const fs::path& written, const std::string& strRef) {
    const fs::path ref = fs::path(VX_PRINT_REF_DIR) / strRef;
    const std::string strWritten = ReadFile(written);
    if (const char* sz = std::getenv("VXSTAT_UPDATE_PRINT_REFS"); sz && std::string(sz) == "1") {
        std::ofstream(ref, std::ios::binary) << strWritten;
        return;
    }
    ASSERT_TRUE(fs::exists(ref)) << ref << " fehlt (VXSTAT_UPDATE_PRINT_REFS=1 legt sie an)";
    std::istringstream a(strWritten), b(ReadFile(ref));
    std::string la, lb;
    for (int nLine = 1;; ++nLine) {
        const bool bA = static_cast<bool>(std::getline(a, la));
        const bool bB = static_cast<bool>(std::getline(b, lb));
        if (!bA && !bB) return;
        ASSERT_EQ(la, lb) << strRef << ", Zeile " << nLine;
    }
}

// A data folder of its own for one print test, today fixed at 15.03.2024 and the
// print going to a PDF in that folder; all put back when it goes.
class PrintFolder {
public:
    PrintFolder(const std::string& strPrefix, const std::string& strPdf) {
        std::random_device rd;
        m_dir = fs::temp_directory_path() / (strPrefix + std::to_string(rd()));
        m_pdf = m_dir / strPdf;
        fs::create_directories(m_dir);
        SetDataDir(m_dir.string());
        SetTKDateOverride("20240315");
        SetPrintPdfTarget(m_pdf.string());
    }
    ~PrintFolder() {
        SetPrintPdfTarget("");
        SetTKDateOverride("");
        SetDataDir("");
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }
    PrintFolder(const PrintFolder&) = delete;
    PrintFolder& operator=(const PrintFolder&) = delete;
    const fs::path& Dir() const { return m_dir; }
    const fs::path& Pdf() const { return m_pdf; }

private:
    fs::path m_dir, m_pdf;
};

class PrintTestBase : public ::testing::Test {
protected:
    void SetUp() override {
        GuiTestApp();
        m_previous = InstallHostServices(m_scripted);
        m_folder.emplace("vxstat-print-", "liste.pdf");
        m_dir = m_folder->Dir();
    }
    void TearDown() override {
        m_folder.reset();
        InstallHostServices(m_previous);
    }
    fs::path Pdf() const { return m_folder->Pdf(); }
    // The messages shown so far, one text.
    std::string Meldungen() const {
        std::string s;
        for (const auto& a : m_scripted->m_vecAufrufe)
            s += a.strTitel + ": " + a.strText + "\n";
        return s;
    }

    std::shared_ptr<CScriptedHostServices> m_scripted = std::make_shared<CScriptedHostServices>();
    std::shared_ptr<IHostServices> m_previous;
    std::optional<PrintFolder> m_folder;
    fs::path m_dir;
};
