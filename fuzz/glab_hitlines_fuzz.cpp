// The commercial-lab reader on arbitrary hit lines: no crash, no undefined
// behaviour.
#include "FeedHitLines.h"
#include "glab/File2Glab.h"
#include "glab/GlabSum.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CGlabSum sum;
    CStatAccu accu;
    CFile2Glab reader(&sum, nullptr);
    FeedHitLines(reader, accu, FuzzText(data, size));
    return 0;
}
