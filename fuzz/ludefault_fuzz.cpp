// The stored settings text of the lab-turnover statistics, whatever it holds:
// no crash, no undefined behaviour, and the settings it gives are stored and
// read back unchanged.
#include "core/LUDefault.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CLUDefault settings; // no practice database open: the defaults
    settings.Par2Def(CString(reinterpret_cast<const char*>(data), size));
    const CString strStored = settings.Def2Par();
    CLUDefault back;
    back.Par2Def(strStored);
    if (back.Def2Par() != strStored) std::abort();
    return 0;
}
