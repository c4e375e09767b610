#pragma once
// Stored dates that are no calendar day ("2023-07-07", "20230230", "2023061"). The
// walks select by comparing stored dates as text with the period, so such a date
// would decide by chance whether its record counts. The walks look for them first,
// report each record with one and leave it out.
#include <string>

// An SQL condition true for every non-empty text of the column that is no
// calendar day, and for February 29 of leap years: the caller checks what it finds
// with IsDbDate. The empty text means "no date" and does not match.
std::string SqlVielleichtKeinTag(const std::string& strSpalte);
