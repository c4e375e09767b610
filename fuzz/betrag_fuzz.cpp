// An amount from any text: no crash, no undefined behaviour; an amount that was
// read comes back unchanged from its stored form, and its display forms can be
// made.
#include "host/Betrag.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const CDBetrag amount(std::string_view(reinterpret_cast<const char*>(data), size));
    if (amount.IsEmpty()) return 0;
    if (!CDBetrag(amount.ToDb()).SameAs(amount)) std::abort();
    amount.ToExt(0, true);
    amount.ToExtLong(12, false);
    amount.ToW(CDBetrag::kDM);
    return 0;
}
