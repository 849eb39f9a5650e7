// The six figures: fit tests (every argument but the arc angles must be non-negative and the figure
// must lie inside the available area; a refused figure appends nothing), then the path in page space.
#include <cmath>
#include <string>
#include <utility>

#include "layout/page_layout.h"
#include "services/arcs.h"
#include "services/failure.h"

namespace paginor {
namespace {

// An argument by its name, for the fit tests and their messages.
using Argument = std::pair<const char*, int16_t>;

// The first negative argument, or nullptr.
const Argument* FirstNegative(std::initializer_list<Argument> arguments) {
  for (const Argument& argument : arguments) {
    if (argument.second < 0) return &argument;
  }
  return nullptr;
}

std::string Listed(std::initializer_list<Argument> arguments) {
  std::string text;
  for (const Argument& argument : arguments) {
    if (!text.empty()) text += ", ";
    text.append(argument.first).append(" ").append(std::to_string(argument.second));
  }
  return text;
}

}  // namespace

// Refuses a figure with a negative argument, or one that leaves the available area.
bool PageLayout::FigureFits(std::initializer_list<std::pair<const char*, int16_t>> arguments, bool inside) {
  if (NoPageOpen()) return false;
  if (const Argument* negative = FirstNegative(arguments)) {
    return Refuse(FailureConstants::InvalidArgument,
                  std::string(negative->first) + " is " + std::to_string(negative->second) + ", below 0");
  }
  if (inside) return true;
  const char* area = ContentHeight() == AvailableHeight() ? " leaves the available area of "
                                                           : " leaves the available area above the footer band, ";
  return Refuse(FailureConstants::DoesNotFit, "the figure at " + Listed(arguments) + area +
                                                  std::to_string(AvailableWidth()) + " by " +
                                                  std::to_string(ContentHeight()) + " points");
}

bool PageLayout::Draw(Path path) {
  // A failure part way ends the figure with false.
  try {
    PathPaint paint;
    paint.stroke = Color;
    paint.dash = Dash;
    paint.thickness = Thickness;
    paint.filled = FillStyle;
    paint.fill = FillColor;
    return Format.DrawPath(path, paint);
  } catch (const Failure&) {
    return false;
  }
}

bool PageLayout::DrawLine(int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
  const int32_t width = AvailableWidth(), height = ContentHeight();
  if (!FigureFits({{"x1", x1}, {"y1", y1}, {"x2", x2}, {"y2", y2}},
                  x1 <= width && x2 <= width && y1 <= height && y2 <= height)) {
    return false;
  }
  Path path;
  path.points[0] = PagePointOf(x1, y1);
  path.points[1] = PagePointOf(x2, y2);
  return Draw(path);
}

Path PageLayout::ShapeAt(PathShape shape, int16_t x, int16_t y, int16_t width, int16_t height) const {
  Path path;
  path.shape = shape;
  path.points[0] = PagePointOf(x, y);
  path.width = width;
  path.height = height;
  return path;
}

bool PageLayout::CircleFits(int16_t x, int16_t y, int16_t r) {
  return FigureFits({{"x", x}, {"y", y}, {"r", r}},
                    r <= x && r <= y && x + r <= AvailableWidth() && y + r <= ContentHeight());
}

bool PageLayout::DrawRectangle(int16_t x, int16_t y, int16_t width, int16_t height) {
  const int32_t available = AvailableWidth(), availableHeight = ContentHeight();
  if (!FigureFits({{"x", x}, {"y", y}, {"width", width}, {"height", height}},
                  x + width <= available && y + height <= availableHeight)) {
    return false;
  }
  return Draw(ShapeAt(PathShape::Rectangle, x, y, width, height));
}

bool PageLayout::DrawCircle(int16_t x, int16_t y, int16_t r) {
  return CircleFits(x, y, r) && Draw(ShapeAt(PathShape::Circle, x, y, r, r));
}

bool PageLayout::DrawEllipse(int16_t x, int16_t y, int16_t rx, int16_t ry) {
  if (!FigureFits({{"x", x}, {"y", y}, {"rx", rx}, {"ry", ry}},
                  rx <= x && ry <= y && x + rx <= AvailableWidth() && y + ry <= ContentHeight())) {
    return false;
  }
  return Draw(ShapeAt(PathShape::Ellipse, x, y, rx, ry));
}

bool PageLayout::DrawArc(int16_t x, int16_t y, int16_t r, float th1, float th2) {
  // Angles that cannot be reduced to a circle's range are refused before anything is written.
  if (NoPageOpen()) return false;
  if (!std::isfinite(th1) || !std::isfinite(th2)) {
    return Refuse(FailureConstants::InvalidArgument, std::isfinite(th1) ? "th2 is not a finite angle" : "th1 is not a finite angle");
  }
  if (!CircleFits(x, y, r)) return false;
  Path path = ShapeAt(PathShape::Slice, x, y, r, r);
  path.from = th1;
  path.to = th2;
  ArcSlice(path.from, path.to);  // the angles are finite
  return Draw(path);
}

bool PageLayout::DrawCurve(int16_t x1, int16_t y1, int16_t x2, int16_t y2, int16_t x3, int16_t y3) {
  const int32_t width = AvailableWidth(), height = ContentHeight();
  if (!FigureFits({{"x1", x1}, {"y1", y1}, {"x2", x2}, {"y2", y2}, {"x3", x3}, {"y3", y3}},
                  x1 <= width && x2 <= width && x3 <= width && y1 <= height && y2 <= height && y3 <= height)) {
    return false;
  }
  Path path;
  path.shape = PathShape::Curve;
  path.points[0] = PagePointOf(x1, y1);
  path.points[1] = PagePointOf(x2, y2);
  path.points[2] = PagePointOf(x3, y3);
  return Draw(path);
}

}  // namespace paginor
