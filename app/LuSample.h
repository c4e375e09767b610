#pragma once
// A first look at the lab-turnover rows: the first lab invoices of the practice
// database merged into rows and printed.
#include <cstdio>

// Prints up to nCount invoices of the open practice database to out.
void PrintLuSample(int nCount, std::FILE* out);
