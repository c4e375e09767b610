#pragma once
// Writing the lab-turnover accumulator into the hit file of the data folder and
// reading it back: the framework runs of CLU2File and CFile2LU as the host calls them.
#include "app/LuMode.h"
#include "host/CString.h"

#include <string>

class CLUDefault;
class CLUSum;
class CStatAccu;

// Writes the rows of sum and the errors of accu as "vx_slu" with its selection
// file, which also names the practice owner of accu. The rows are handed to the writer and back instead of being copied; sum is
// unchanged afterwards. False with a German strError; the previous files then stay.
bool WriteLuHitFile(CLUSum& sum, CStatAccu& accu, LuMode eMode, const CLUDefault& settings,
                    const std::string& strDataDir, CString& strError);

// Reads "vx_slu" into sum and accu (errors, plan kinds, the practice owner of the
// run, "" for all); eMode is the mode the
// selection file names. False with a German strError when the file is missing or
// unreadable.
bool ReadLuHitFile(CLUSum& sum, CStatAccu& accu, const std::string& strDataDir, LuMode& eMode,
                   CString& strError);
