#pragma once
// The colour codes of the list views' foreground and background columns. A code
// is the decimal text of a host colour number; these are the ones in use:
//   "113"  cancelled before the period, shown with inverted sign   red
//   "114"  cancelled within the period, shown in parentheses       grey
//   "48"   cancelled commercial-lab invoice                        dark orange
// Empty or unknown codes keep the list's own colours.
#include "host/CString.h"

#include <QColor>

class CWPFColorCodes {
public:
    // The text colour of a code; false when the code has none.
    static bool Foreground(const CString& strCode, QColor& color);
    // The row background of a code: a light tint of its colour.
    static bool Background(const CString& strCode, QColor& color);
};
