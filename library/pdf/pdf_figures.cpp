// The figures as PDF paths: each is one graphics content stream with the drawing state, the path and a
// painting operator. Circles and arcs are cubic Bézier curves with control points rounded to whole
// points.
#include <cmath>

#include "core/pass_over.h"
#include "pdf/pdf_writer.h"
#include "services/failure.h"

namespace paginor {
namespace {

constexpr double Pi = 3.14159;

// The distance of a Bézier control point from the end of an arc from a to b (radians), as a fraction of
// the radius.
float ArcControlFactor(float a, float b) {
  const double t = (static_cast<double>(b) - a) / 2;
  return static_cast<float>(4 * (1 - std::cos(t)) / (3 * std::sin(t)));
}

// A value rounded to a whole number, halves to even.
int64_t Q(double value) { return RoundInt16(value); }

// A control coordinate: computed in double, stored as a float, then rounded.
int64_t R(double value) { return RoundInt16(static_cast<float>(value)); }

}  // namespace

void PdfWriter::PutPoint(int64_t x, int64_t y) { Lines.Put(x).Put(' ').Put(y); }

void PdfWriter::PutCurve(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int64_t x3, int64_t y3) {
  PutPoint(x1, y1);
  Lines.Put(' ');
  PutPoint(x2, y2);
  Lines.Put(' ');
  PutPoint(x3, y3);
  Lines.Put(" c").EndLine();
}

void PdfWriter::WriteGraphicsState(const PathPaint& paint, bool fillable) {
  Lines.Put(Colours.Of(paint.stroke)).Put(" RG").EndLine();
  if (!paint.dash.empty()) Lines.Put('[').Put(paint.dash).Put("] 0 d").EndLine();
  if (fillable) {
    if (paint.filled) {
      Lines.Put(Colours.Of(paint.fill)).Put(" rg").EndLine();
    } else {
      Lines.AddLine("1 1 1 rg");
    }
  }
  Lines.Put(int64_t{paint.thickness}).Put(" w").EndLine();
}

bool PdfWriter::DrawPath(const Path& path, const PathPaint& paint) {
  if (Compact) {
    BeginPageFigure(paint, path.Closed());
  } else {
    BeginContentStream(true);
    WriteGraphicsState(paint, path.Closed());
  }
  bool complete = true;
  switch (path.shape) {
    case PathShape::Line: PutLine(path); break;
    case PathShape::Rectangle: PutRectangle(path); break;
    case PathShape::Circle: PutCircle(path); break;
    case PathShape::Ellipse: PutEllipse(path); break;
    case PathShape::Slice: complete = PutSlice(path); break;
    case PathShape::Curve: PutCurvePath(path); break;
  }
  EndStream();
  return complete;
}

void PdfWriter::PutLine(const Path& path) {
  PutPoint(path.points[0].x, path.points[0].y);
  Lines.Put(" m").EndLine();
  PutPoint(path.points[1].x, path.points[1].y);
  Lines.Put(" l").EndLine();
  Lines.AddLine("S");
}

void PdfWriter::PutRectangle(const Path& path) {
  // The lower-left corner, then the size.
  PutPoint(path.points[0].x, CheckedInt16(path.points[0].y - path.height));
  Lines.Put(' ').Put(int64_t{path.width}).Put(' ').Put(int64_t{path.height}).Put(" re").EndLine();
  Lines.AddLine("B");
}

void PdfWriter::PutCircle(const Path& path) {
  const int32_t cx = path.points[0].x, cy = path.points[0].y;
  const int16_t r = path.width;
  const double rk = r * static_cast<double>(ArcControlFactor(0, static_cast<float>(Pi / 2)));
  const int64_t left = cx - r, right = cx + r, top = cy + r, bottom = cy - r;
  PutPoint(left, cy);
  Lines.Put(" m").EndLine();
  // From the leftmost point through the top, the right and the bottom.
  PutCurve(left, R(cy + rk), R(cx - rk), top, cx, top);
  PutCurve(R(cx + rk), top, right, R(cy + rk), right, cy);
  PutCurve(right, R(cy - rk), R(cx + rk), bottom, cx, bottom);
  PutCurve(R(cx - rk), bottom, left, R(cy - rk), left, cy);
  Lines.AddLine("b");
}

void PdfWriter::PutEllipse(const Path& path) {
  const int64_t cx = path.points[0].x, cy = path.points[0].y;
  const int64_t left = cx - path.width, right = cx + path.width, top = cy + path.height, bottom = cy - path.height;
  // Each quarter starts at its own start point and bends through the corner of the bounding box.
  PutPoint(left, cy);
  Lines.Put(" m").EndLine();
  PutCurve(left, cy, left, top, cx, top);
  PutCurve(cx, top, right, top, right, cy);
  PutCurve(right, cy, right, bottom, cx, bottom);
  PutCurve(cx, bottom, left, bottom, left, cy);
  Lines.AddLine("b");
}

void PdfWriter::PutCurvePath(const Path& path) {
  const int64_t cx1 = path.points[0].x, cy1 = path.points[0].y;
  PutPoint(cx1, cy1);
  Lines.Put(" m").EndLine();
  // The first control point is the start point itself.
  PutCurve(cx1, cy1, path.points[1].x, path.points[1].y, path.points[2].x, path.points[2].y);
  Lines.AddLine("b");
}

bool PdfWriter::PutSlice(const Path& path) {
  const int16_t cx = path.points[0].x, cy = path.points[0].y, r = path.width;
  const float th1 = path.from, th2 = path.to;
  // A piece that fails part way still leaves the stream closed.
  auto segment = [&](float a, float b, bool nocloseline) {
    return PassOver([&] { WriteArcSegment(cx, cy, r, a, b, nocloseline); });
  };
  bool complete = true;
  if (th2 - th1 <= 180) {
    complete = segment(th1, th2, false);
  } else {
    // More than half a circle: two pieces that meet at th1 + 180, without their end radii.
    complete = segment(th1, th1 + 180, true);
    complete = segment(th2, th1 + 180, true) && complete;
  }
  Lines.AddLine("b");
  return complete;
}

void PdfWriter::WriteArcSegment(int16_t cx, int16_t cy, int16_t r, float a, float b, bool nocloseline) {
  const float A = static_cast<float>(Pi / 180 * a);
  const float B = static_cast<float>(Pi / 180 * b);
  const double k = ArcControlFactor(A, B);
  const double cosA = std::cos(static_cast<double>(A)), sinA = std::sin(static_cast<double>(A));
  const double cosB = std::cos(static_cast<double>(B)), sinB = std::sin(static_cast<double>(B));
  PutPoint(cx, cy);
  Lines.Put(" m").EndLine();
  PutPoint(cx + Q(r * cosA), cy + Q(r * sinA));
  Lines.Put(" l").EndLine();
  if (A == B) return;  // a slice without sweep is its radius alone
  const int64_t values[6] = {cx + Q(r * (cosA - k * sinA)), cy + Q(r * (k * cosA + sinA)),
                             cx + Q(r * (k * sinB + cosB)), cy + Q(r * (sinB - k * cosB)),
                             cx + Q(r * cosB),              cy + Q(r * sinB)};
  for (const int64_t value : values) Lines.Put(value).Put(' ');
  Lines.Put('c').EndLine();
  PutPoint(cx, cy);
  Lines.Put(" m").EndLine();
  if (!nocloseline) {
    PutPoint(cx + Q(r * cosB), cy + Q(r * sinB));
    Lines.Put(" l").EndLine();
  }
}

}  // namespace paginor
