#pragma once
// The PostgreSQL driver behind IDbConnection. A location is a libpq URI
// ("postgresql://host:port/db?user=...") or a keyword text ("host=... dbname=...");
// passwords come from libpq's password file or the environment, never from the
// location, which is shown in messages.
#include "host/db/DbConnection.h"

#include <memory>
#include <string>

// True for a location of a database server rather than a file path.
bool IsServerLocation(const std::string& strLocation);

// False with a German reason in strProblem when the location cannot be read or
// carries a password.
bool CheckPgLocation(const std::string& strLocation, std::string& strProblem);

// The German reason to refuse a location that carries a password; "" for one that
// carries none (or that cannot be read: CheckPgLocation tells why).
std::string PgPasswordProblem(const std::string& strLocation);

// The requests sent to database servers since the program started, each a round
// trip: what a walk costs on a server beyond the rows it reads.
long PgRoundTrips();

// The location for messages: host, port, database and user, in quotes.
std::string DescribePgLocation(const std::string& strLocation);

// Connects to the server. bReadOnly makes every transaction of the connection
// read-only. Throws DbError with a German message naming the server.
std::unique_ptr<IDbConnection> OpenPgConnection(const std::string& strLocation, bool bReadOnly,
                                                int nWaitMs = kDbWaitMs);
