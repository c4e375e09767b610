#pragma once
// A throwaway PostgreSQL server for the tests: a new cluster in a temporary folder,
// listening on 127.0.0.1 at a free port and on a socket in that folder, with trust
// authentication. It is stopped and removed when the object goes, and servers left
// by test programs that were killed are removed by the next start. As root the
// server runs as the user "postgres" (or "nobody"): it refuses to run as root.
#include <string>

class PgServer {
public:
    // Starts a server; IsRunning() tells whether that worked, Problem() why not.
    PgServer();
    ~PgServer();
    PgServer(const PgServer&) = delete;
    PgServer& operator=(const PgServer&) = delete;

    // The server of the test program, started on first use and stopped at its
    // end; nullptr when it cannot be started (Problem() says why).
    static PgServer* Shared();
    // Whether a test must fail rather than skip without a server (CI=true).
    static bool Required();
    static const std::string& Problem();

    bool IsRunning() const { return m_nPort != 0; }
    int Port() const { return m_nPort; }
    // A new, empty database with byte-wise text order; its location for --db.
    std::string NewDatabase();
    // The location of a database of this server in libpq's keyword form.
    std::string Location(const std::string& strDb) const;
    // Stops the server; bImmediate without letting the clients finish.
    void Stop(bool bImmediate);

private:
    bool Start();
    int RunAsServerUser(const std::string& strCommand) const;

    std::string m_strDir; // the cluster lives in m_strDir + "/data"
    int m_nPort = 0;
    int m_nDatabases = 0;
};

// In a test: the shared server as pServer, else skip (locally) or fail (CI).
#define VX_PG_SERVER(pServer)                                                                      \
    PgServer* pServer = PgServer::Shared();                                                        \
    if (!pServer) {                                                                                \
        if (PgServer::Required()) FAIL() << PgServer::Problem();                                   \
        GTEST_SKIP() << PgServer::Problem();                                                       \
    }
