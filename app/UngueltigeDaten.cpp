#include "app/UngueltigeDaten.h"

std::string SqlVielleichtKeinTag(const std::string& strSpalte) {
    const std::string& c = strSpalte;
    return "(" + c + " <> '' AND (" + c +
           " NOT GLOB '[0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9]' OR substr(" + c +
           ", 5, 2) NOT BETWEEN '01' AND '12' OR substr(" + c +
           ", 7, 2) NOT BETWEEN '01' AND '28'))";
}
