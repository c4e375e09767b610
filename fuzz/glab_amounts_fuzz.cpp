// The commercial-lab amount texts: two texts (split at the first newline) through
// the list amount, the sum and the product. No crash, no undefined behaviour;
// the product does not depend on the order of its factors.
#include "glab/GlabBetragText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t nSplit = input.find('\n');
    const CString strA(input.substr(0, nSplit));
    const CString strB(nSplit == std::string_view::npos ? std::string_view()
                                                        : input.substr(nSplit + 1));
    GlabListBetrag(strA);
    GlabAddBetrag(strA, strB);
    if (GlabMulFix2(strA, strB) != GlabMulFix2(strB, strA)) std::abort();
    return 0;
}
