#include "services/resize.h"

#include "services/failure.h"

namespace paginor {

namespace {

// side × box / other, the product in 32 bits and the quotient in double precision, rounded to 16 bits;
// the value stays as it was when that fails.
void Scale(int16_t& side, int16_t box, int16_t other) {
  try {
    const int32_t product = CheckedInt32(int64_t{side} * box);
    side = RoundInt16(static_cast<double>(product) / other);
  } catch (const Failure&) {
  }
}

}  // namespace

void Resize::Calculate(int16_t maxwidth, int16_t maxheight, int16_t sourcewidth, int16_t sourceheight,
                       int16_t& destinationwidth, int16_t& destinationheight) const {
  destinationwidth = sourcewidth;
  destinationheight = sourceheight;
  if (destinationwidth > maxwidth) {
    Scale(destinationheight, maxwidth, destinationwidth);
    destinationwidth = maxwidth;
  }
  if (destinationheight > maxheight) {
    Scale(destinationwidth, maxheight, destinationheight);
    destinationheight = maxheight;
  }
  if (destinationwidth == 0) destinationwidth = 1;
  if (destinationheight == 0) destinationheight = 1;
}

}  // namespace paginor
