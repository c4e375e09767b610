#pragma once
// A writer and a reader built on the statistics framework the way the
// evaluations use it, and a temporary data folder for their files.
#include "host/DBIniFile.h"
#include "host/ScriptedHostServices.h"
#include "host/stat/DBStdioFile.h"
#include "host/stat/File2Stat.h"
#include "host/stat/Stat2File.h"
#include "host/stat/StatLineTables.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

class CTestWriter : public CStat2File<CDBStdioFile> {
public:
    explicit CTestWriter(int* pTable = iLU_SICHERUNG) : CStat2File(nullptr), m_pTable(pTable) {
        m_strFileName = "vx_test";
        m_strTitel = "Testauswertung";
    }
    int* SetLineStruct() override { return m_pTable; }
    // The errors of the accumulator, then m_vecLines, with progress per line.
    int DoData(CDBStdioFile& file, int& nCount) override {
        CStatLines line;
        for (const CBehErrors& err : m_pAccu->m_vecErrors) {
            line.MoveError2File(err);
            WriteErrorLines(file, line);
            ++nCount;
        }
        for (CStatLines& hit : m_vecLines) {
            WriteLines(file, hit);
            ++nCount;
            DoProgress(++m_nPos, m_nTotal);
        }
        return m_nResult;
    }
    bool CreateMoreSelektions(const CString& strPath) override {
        return m_bSelektionOk &&
               CDBIniFile::WriteOneString(strPath, "Selektion", "Wert", m_strSelektion);
    }

    int* m_pTable;
    std::vector<CStatLines> m_vecLines;
    CString m_strSelektion = "neu";
    int m_nResult = 0;
    bool m_bSelektionOk = true;
};

class CTestReader : public CFile2Stat<CDBStdioFile> {
public:
    explicit CTestReader(int* pTable = iLU_SICHERUNG) : CFile2Stat(nullptr), m_pTable(pTable) {
        m_strFileName = "vx_test";
    }
    int* SetLineStruct() override { return m_pTable; }
    bool ReadMoreSelektions(const CString& strPath) override {
        m_strSelektion = CDBIniFile(strPath).ReadString("Selektion", "Wert", "");
        return true;
    }
    bool OnlyForProgBeforeMoveDataFromFile() override {
        ++m_nPrepared;
        return true;
    }
    bool MoveDataFromFile(CStatLines& line) override {
        if (line.Get(CStatLines::SatzArt) == "E") {
            CBehErrors err;
            line.MoveFile2Error(err);
            m_pAccu->m_vecErrors.push_back(err);
            return false;
        }
        m_vecLines.push_back(line);
        return true;
    }

    int* m_pTable;
    std::vector<CStatLines> m_vecLines;
    CString m_strSelektion;
    int m_nPrepared = 0;
};

class StatFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        static std::atomic<int> nCounter{0};
        m_dir = std::filesystem::temp_directory_path() /
                ("vx_stat_" + std::to_string(::getpid()) + "_" + std::to_string(nCounter++));
        std::filesystem::create_directories(m_dir);
        m_pOldServices = InstallHostServices(m_pHost);
    }
    void TearDown() override {
        InstallHostServices(m_pOldServices);
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }

    std::string Dir() const { return m_dir.string(); }
    std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }

    std::string ReadRaw(const std::string& name) const {
        std::ifstream in(PathOf(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void WriteRaw(const std::string& name, const std::string& content) const {
        std::ofstream(PathOf(name), std::ios::binary) << content;
    }
    std::vector<std::string> FileNames() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_dir))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::filesystem::path m_dir;
    std::shared_ptr<CScriptedHostServices> m_pHost = std::make_shared<CScriptedHostServices>();
    std::shared_ptr<IHostServices> m_pOldServices;
};
