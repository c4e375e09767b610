#pragma once
// The demo practice database: a new SQLite file (or an empty database on a server)
// filled with invented but realistic
// data (practice owners, technicians, dentists, patients, plans, lab invoices with
// their treatment hits, bills, and a commercial lab with customers, customer
// invoices and blocs), spread over 2019-01-01 .. 2025-12-31. The same options give
// the same content on every machine.
#include "host/CString.h"

#include <functional>
#include <string>

struct DemoOptions {
    int nInvoices = 2000; // lab invoices (fakt rows); about four treatment hits each
    unsigned nSeed = 1;   // seed of the generator
};

// Writes a new practice database at strPath. A server location (IsServerLocation)
// names an existing database that must hold no practice database yet; schema and
// data are written in one transaction. An existing file is refused and left
// as it is. The file is written as "<strPath>.<process id>.unfertig" in the same
// folder and renamed to strPath when complete; temporaries of killed runs are
// removed. On failure returns false with a German message naming the file in
// strError (Windows-1252) and removes the partly written file. progress, when given,
// is called now and then with the records done so far and their total; an exception
// it throws aborts the writing like any other failure.
bool WriteDemoDatabase(const std::string& strPath, const DemoOptions& opt, CString& strError,
                       std::function<void(long done, long total)> progress = {});
