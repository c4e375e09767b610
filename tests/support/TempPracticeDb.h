#pragma once
// A new, empty practice database in a temporary folder, opened as the host's two
// connections for the lifetime of the object.
#include "host/CString.h"
#include "host/db/Database.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

class TempPracticeDb {
public:
    TempPracticeDb() {
        std::random_device rd;
        m_dir = std::filesystem::temp_directory_path() /
                ("vxstat-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(m_dir);
        CString strError;
        if (!CreatePracticeDatabase(Path(), strError)) ADD_FAILURE() << strError;
    }
    ~TempPracticeDb() {
        ClosePracticeDatabase();
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    TempPracticeDb(const TempPracticeDb&) = delete;
    TempPracticeDb& operator=(const TempPracticeDb&) = delete;

    std::string Path() const { return (m_dir / "praxis.db").string(); }
    const std::filesystem::path& Dir() const { return m_dir; }

private:
    std::filesystem::path m_dir;
};
