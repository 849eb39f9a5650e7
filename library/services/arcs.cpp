#include "services/arcs.h"

#include <cmath>
#include <utility>

namespace paginor {
namespace {

// Reduces an angle above 360 into (0, 360] the way repeated subtraction of 360 does: for angles whose
// float spacing is at most 8 every subtraction is exact, so the remainder gives the same value; larger
// angles, where the subtraction would round or no longer change the value, are reduced the same way.
float ReduceAngle(float angle) {
  if (!(angle > 360.0f)) return angle;
  const double remainder = std::fmod(static_cast<double>(angle), 360.0);
  return remainder == 0.0 ? 360.0f : static_cast<float>(remainder);
}

}  // namespace

bool NormalizeArc(float& first, float& second) {
  if (!std::isfinite(first) || !std::isfinite(second)) return false;
  if (first > second) std::swap(first, second);
  first = ReduceAngle(first);
  second = ReduceAngle(second);
  return true;
}

bool ArcSlice(float& first, float& second) {
  if (!NormalizeArc(first, second)) return false;
  if (first > second) second += 360;
  return true;
}

}  // namespace paginor
