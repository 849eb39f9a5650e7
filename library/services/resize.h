#pragma once

#include <cstdint>

namespace paginor {

// Fits a picture into the box SetPictureDimensions set.
class Resize {
 public:
  // The picture's size scaled down, keeping its proportions, until it fits maxwidth by maxheight; never
  // enlarged, never below 1 by 1. Quotients are rounded halves to even. Never fails: a step that cannot
  // be computed (only possible with negative sizes) leaves its value as it was.
  void Calculate(int16_t maxwidth, int16_t maxheight, int16_t sourcewidth, int16_t sourceheight,
                 int16_t& destinationwidth, int16_t& destinationheight) const;
};

}  // namespace paginor
