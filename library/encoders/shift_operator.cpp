#include "encoders/shift_operator.h"

namespace paginor {

int32_t Operator::ShiftLeft(int32_t d, uint8_t b) const {
  if (b >= 32) return 0;
  return static_cast<int32_t>(static_cast<uint32_t>(d) << b);
}

}  // namespace paginor
