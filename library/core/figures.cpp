// Fit tests of the six figures: every argument but the arc angles must be non-negative and the figure
// must lie inside the available area. A refused figure appends nothing.
#include <cmath>

#include "core/document_writer.h"
#include "services/failure.h"

namespace paginor {
namespace {

bool NonNegative(std::initializer_list<int16_t> values) {
  for (const int16_t value : values) {
    if (value < 0) return false;
  }
  return true;
}

// Runs a figure's output; a failure part way ends the figure with false.
template <typename Output>
bool Draw(Output&& output) {
  try {
    return output();
  } catch (const Failure&) {
    return false;
  }
}

}  // namespace

bool DocumentWriter::DrawLine(int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
  if (!NonNegative({x1, y1, x2, y2})) return false;
  const int32_t width = AvailableWidth(), height = AvailableHeight();
  if (x1 > width || x2 > width || y1 > height || y2 > height) return false;
  return Draw([&] { EmitLine(x1, y1, x2, y2); return true; });
}

bool DocumentWriter::DrawRectangle(int16_t x, int16_t y, int16_t width, int16_t height) {
  if (!NonNegative({x, y, width, height})) return false;
  const int32_t available = AvailableWidth(), availableHeight = AvailableHeight();
  if (x > available || y > availableHeight || x + width > available || y + height > availableHeight) return false;
  return Draw([&] { EmitRectangle(x, y, width, height); return true; });
}

bool DocumentWriter::DrawCircle(int16_t x, int16_t y, int16_t r) {
  if (!NonNegative({x, y, r})) return false;
  if (r > x || r > y || x + r > AvailableWidth() || y + r > AvailableHeight()) return false;
  return Draw([&] { EmitCircle(x, y, r); return true; });
}

bool DocumentWriter::DrawEllipse(int16_t x, int16_t y, int16_t rx, int16_t ry) {
  if (!NonNegative({x, y, rx, ry})) return false;
  if (rx > x || ry > y || x + rx > AvailableWidth() || y + ry > AvailableHeight()) return false;
  return Draw([&] { EmitEllipse(x, y, rx, ry); return true; });
}

bool DocumentWriter::DrawArc(int16_t x, int16_t y, int16_t r, float th1, float th2) {
  // Angles that cannot be reduced to a circle's range are refused before anything is written.
  if (!std::isfinite(th1) || !std::isfinite(th2)) return false;
  if (!NonNegative({x, y, r})) return false;
  if (r > x || r > y || x + r > AvailableWidth() || y + r > AvailableHeight()) return false;
  return Draw([&] { return EmitArc(x, y, r, th1, th2); });
}

bool DocumentWriter::DrawCurve(int16_t x1, int16_t y1, int16_t x2, int16_t y2, int16_t x3, int16_t y3) {
  if (!NonNegative({x1, y1, x2, y2, x3, y3})) return false;
  const int32_t width = AvailableWidth(), height = AvailableHeight();
  if (x1 > width || x2 > width || x3 > width || y1 > height || y2 > height || y3 > height) return false;
  return Draw([&] { EmitCurve(x1, y1, x2, y2, x3, y3); return true; });
}

}  // namespace paginor
