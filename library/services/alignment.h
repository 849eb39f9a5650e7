#pragma once

#include <cstdint>

#include "paginor/enumerations.h"

namespace paginor {

// Whether an alignment is one of the constants.
bool IsAlignment(AlignmentConstants alignment);

// Offset of an item of width used inside a space of width available: half the free width (truncated)
// for Center, all of it for RightAlign, 0 for the others. Failure when the free width overflows 16 bits.
int16_t AlignmentOffset(int16_t available, int16_t used, AlignmentConstants alignment);

}  // namespace paginor
