#pragma once
// Hands fuzz input to a reader of hit lines the way the reading framework does:
// line by line, each decoded by the reader's line table and, when it decodes,
// given to the reader. Bad lines are skipped, as the framework skips them.
#include "host/stat/StatAccu.h"
#include "host/stat/StatLines.h"
#include "host/stat/StatReader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

inline std::string_view FuzzText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

inline void FeedHitLines(CStatReader& reader, CStatAccu& accu, std::string_view input) {
    reader.m_pAccu = &accu;
    if (!reader.OnlyForProgBeforeMoveDataFromFile()) return;
    const int* pTable = reader.SetLineStruct();
    CStatLines line;
    CString strWhy;
    while (!input.empty()) {
        const std::size_t nEnd = input.find('\n');
        std::string_view text = input.substr(0, nEnd);
        input = nEnd == std::string_view::npos ? std::string_view() : input.substr(nEnd + 1);
        if (text.ends_with('\r')) text.remove_suffix(1);
        if (line.FromText(text, pTable, strWhy)) reader.MoveDataFromFile(line);
    }
}
