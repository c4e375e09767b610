#pragma once
// An error found while an evaluation walks the practice database or reads a hit
// file. The errors travel as "E" lines of the hit file and are shown with the
// evaluation.
#include "host/CString.h"

class CBehErrors {
public:
    CString m_strMandant; // practice owner the error belongs to, "" when unknown
    CString m_strPatNr;   // patient number, "" when unknown
    CString m_strDatum;   // database date "YYYYMMDD", "" when unknown
    CString m_strText;    // German description

    void Clear() { *this = CBehErrors(); }

    bool operator==(const CBehErrors&) const = default;
};
