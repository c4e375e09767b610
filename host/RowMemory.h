#pragma once
// Memory for long lists of large rows. A list of a year holds many thousand rows
// of some kilobytes each, so its room is taken at once instead of growing step by
// step (each step copies every row), in huge pages where the system offers them:
// that saves most of the cost of touching the memory for the first time.
#include <cstddef>
#include <vector>

// Asks the system to back the whole huge pages inside [p, p + nBytes) with huge
// pages; a refusal changes nothing but speed.
void AdviseHugePages(void* p, std::size_t nBytes);

// Room for at least nRows rows; the vector stays as it is otherwise.
template <class T> void ReserveRows(std::vector<T>& rows, std::size_t nRows) {
    if (nRows <= rows.capacity()) return;
    rows.reserve(nRows);
    AdviseHugePages(rows.data(), rows.capacity() * sizeof(T));
}
