#pragma once
// Memory for the rows of a lab-turnover list. A row holds some kilobytes and a list
// of a year many thousand rows, so the room is taken at once instead of growing
// step by step (each step copies every row), in huge pages where the system offers
// them: that saves most of the cost of touching the memory for the first time.
#include "core/LULabRech.h"

#include <cstddef>
#include <vector>

// Room for at least nRows rows; the vector stays as it is otherwise.
void ReserveLuRows(std::vector<CLULabRech>& rows, std::size_t nRows);
