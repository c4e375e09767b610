#pragma once
// A new, empty practice database, opened as the host's two connections for the
// lifetime of the object, with a temporary folder beside it. The database is a
// file in that folder, or, when the environment has VX_TEST_DB=postgresql, a new
// database on the test program's PostgreSQL server (support/PgServer.h): the
// same tests then run against the server.
#include "host/CString.h"
#include "host/db/Database.h"
#include "support/PgServer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

// Whether the tests of this run use the PostgreSQL server.
inline bool TestsOnServer() {
    const char* szDb = std::getenv("VX_TEST_DB");
    return szDb && std::string(szDb) == "postgresql";
}

// The location of a new, empty database for the tests: strFile in the file
// case, a new database on the server otherwise ("" with a failure when there is
// no server).
inline std::string NewTestDbLocation(const std::string& strFile) {
    if (!TestsOnServer()) return strFile;
    PgServer* pServer = PgServer::Shared();
    if (!pServer) {
        ADD_FAILURE() << PgServer::Problem();
        return {};
    }
    return pServer->NewDatabase();
}

class TempPracticeDb {
public:
    TempPracticeDb() {
        std::random_device rd;
        m_dir = std::filesystem::temp_directory_path() /
                ("vxstat-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(m_dir);
        m_strLocation = NewTestDbLocation((m_dir / "praxis.db").string());
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

    // The database's location: a file path or a server location.
    std::string Path() const { return m_strLocation; }
    const std::filesystem::path& Dir() const { return m_dir; }

private:
    std::filesystem::path m_dir;
    std::string m_strLocation;
};
