#pragma once
// "Stand" of the printed list: the day the hit file of the lab-turnover statistics
// was last written, in display form; today when there is no such file.
#include "host/CString.h"

#include <string>

CString LUStandDatum(const std::string& strDataDir);
