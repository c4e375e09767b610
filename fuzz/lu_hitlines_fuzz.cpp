// The lab-turnover reader on arbitrary hit lines: no crash, no undefined
// behaviour.
#include "FeedHitLines.h"
#include "core/File2LU.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CLUSum sum;
    CStatAccu accu;
    CFile2LU reader(&sum, nullptr);
    FeedHitLines(reader, accu, FuzzText(data, size));
    return 0;
}
