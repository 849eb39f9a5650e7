#pragma once

#include <cstdint>

namespace paginor {

// 32-bit shifts on signed values without overflow.
class Operator {
 public:
  // The 32-bit pattern of d shifted left by b positions, zeros shifted in and bits beyond bit 31
  // dropped, read as a signed value; 0 for b of 32 or more.
  int32_t ShiftLeft(int32_t d, uint8_t b) const;
};

}  // namespace paginor
