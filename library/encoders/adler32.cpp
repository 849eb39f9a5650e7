#include "encoders/adler32.h"

#include <zlib.h>

#include "encoders/shift_operator.h"

namespace paginor {

int32_t Adler32::Calculate(std::span<const uint8_t> buffer) const {
  const uLong checksum = adler32_z(adler32_z(0, Z_NULL, 0), buffer.data(), buffer.size());
  const auto low = static_cast<int32_t>(checksum & 0xFFFF);
  const auto high = static_cast<int32_t>(checksum >> 16);
  return Operator().ShiftLeft(high, 16) | low;
}

}  // namespace paginor
