#include "app/UngueltigeDaten.h"

// Only February 29 of a leap year matches without being wrong, so the caller sees
// little more than the dates it has to report.
std::string SqlVielleichtKeinTag(const std::string& strSpalte) {
    const std::string& c = strSpalte;
    const std::string monat = "substr(" + c + ", 5, 2)";
    const std::string tag = "substr(" + c + ", 7, 2)";
    // Eight digits: nothing is left when every digit is taken out.
    std::string ohneZiffern = c;
    for (char d = '0'; d <= '9'; ++d)
        ohneZiffern = "replace(" + ohneZiffern + ", '" + d + "', '')";
    return "(" + c + " <> '' AND (length(" + c + ") <> 8 OR " + ohneZiffern + " <> '' OR " + monat +
           " NOT BETWEEN '01' AND '12' OR " + tag + " NOT BETWEEN '01' AND '31' OR (" + tag +
           " > '28' AND " + monat + " = '02') OR (" + tag + " = '31' AND " + monat +
           " IN ('04', '06', '09', '11'))))";
}
