#pragma once
// Text inside the statistics module: Windows-1252 bytes, one byte per character.
// UTF-8 appears only at the edges (database, user interface, files other programs
// read) and is converted there with the functions of Cp1252.h.
#include <string>

using CString = std::string;
