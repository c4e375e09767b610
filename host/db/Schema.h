#pragma once
// The practice database's schema: created by the program, versioned in the table
// vx_schema. Amount columns ending in _cent hold whole cents (INTEGER) in the
// currency of the row's waehrung column ('e' euro, 'd' Deutsche Mark). Dates are
// database dates "YYYYMMDD", empty when unknown. Texts are UTF-8.
#include "host/db/DbConnection.h"

constexpr int kSchemaVersion = 1;

// Creates every table and index on an empty database, inside one transaction.
void CreateSchema(IDbConnection& db);
// The same inside the caller's transaction (the server can take back tables).
void WriteSchema(IDbConnection& db);

// The version stored in the database; 0 when the database has no schema table.
int ReadSchemaVersion(IDbConnection& db);
