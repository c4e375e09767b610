#pragma once
// The screen edge of the module's texts: Windows-1252 bytes to and from Qt's strings.
#include "host/CString.h"

#include <QString>
#include <string_view>

// Every byte has its character (see Cp1252.h); pure ASCII texts take a fast path,
// since list cells are converted whenever a view paints them.
QString ToQString(std::string_view cp1252);
// Characters Windows-1252 cannot hold become "?" (counted as in Utf8ToCp1252).
CString FromQString(const QString& text);
