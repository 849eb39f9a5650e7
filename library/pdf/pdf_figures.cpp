// The figures as PDF paths: each is one graphics content stream with the drawing state, the path and a
// painting operator. Circles and arcs are cubic Bézier curves with control points rounded to whole
// points.
#include <cmath>

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

void PdfWriter::WriteGraphicsState(bool fillable) {
  Lines.Put(Color).Put(" RG").EndLine();
  if (!Dash.empty()) Lines.Put('[').Put(Dash).Put("] 0 d").EndLine();
  if (fillable) {
    if (FillStyle) {
      Lines.Put(FillColor).Put(" rg").EndLine();
    } else {
      Lines.AddLine("1 1 1 rg");
    }
  }
  Lines.Put(int64_t{Thickness}).Put(" w").EndLine();
}

void PdfWriter::EmitLine(int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
  BeginContentStream(true);
  WriteGraphicsState(false);
  PutPoint(PageX(x1), PageY(y1));
  Lines.Put(" m").EndLine();
  PutPoint(PageX(x2), PageY(y2));
  Lines.Put(" l").EndLine();
  Lines.AddLine("S");
  EndStream();
}

void PdfWriter::EmitRectangle(int16_t x, int16_t y, int16_t width, int16_t height) {
  BeginContentStream(true);
  WriteGraphicsState(true);
  // The lower-left corner, then the size.
  PutPoint(PageX(x), CheckedInt16(PageY(y) - height));
  Lines.Put(' ').Put(int64_t{width}).Put(' ').Put(int64_t{height}).Put(" re").EndLine();
  Lines.AddLine("B");
  EndStream();
}

void PdfWriter::EmitCircle(int16_t x, int16_t y, int16_t r) {
  BeginContentStream(true);
  WriteGraphicsState(true);
  const int32_t cx = PageX(x), cy = PageY(y);
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
  EndStream();
}

void PdfWriter::EmitEllipse(int16_t x, int16_t y, int16_t rx, int16_t ry) {
  BeginContentStream(true);
  WriteGraphicsState(true);
  const int64_t cx = PageX(x), cy = PageY(y);
  const int64_t left = cx - rx, right = cx + rx, top = cy + ry, bottom = cy - ry;
  // Each quarter starts at its own start point and bends through the corner of the bounding box.
  PutPoint(left, cy);
  Lines.Put(" m").EndLine();
  PutCurve(left, cy, left, top, cx, top);
  PutCurve(cx, top, right, top, right, cy);
  PutCurve(right, cy, right, bottom, cx, bottom);
  PutCurve(cx, bottom, left, bottom, left, cy);
  Lines.AddLine("b");
  EndStream();
}

void PdfWriter::EmitCurve(int16_t x1, int16_t y1, int16_t x2, int16_t y2, int16_t x3, int16_t y3) {
  BeginContentStream(true);
  WriteGraphicsState(true);
  const int64_t cx1 = PageX(x1), cy1 = PageY(y1);
  PutPoint(cx1, cy1);
  Lines.Put(" m").EndLine();
  // The first control point is the start point itself.
  PutCurve(cx1, cy1, PageX(x2), PageY(y2), PageX(x3), PageY(y3));
  Lines.AddLine("b");
  EndStream();
}

bool PdfWriter::EmitArc(int16_t x, int16_t y, int16_t r, float th1, float th2) {
  BeginContentStream(true);
  WriteGraphicsState(true);
  const int16_t cx = PageX(x), cy = PageY(y);
  bool complete = Services.ArcSlice(th1, th2);
  // A piece that fails part way still leaves the stream closed.
  auto segment = [&](float a, float b, bool nocloseline) {
    try {
      return WriteArcSegment(cx, cy, r, a, b, nocloseline);
    } catch (const Failure&) {
      return false;
    }
  };
  if (complete) {
    if (th2 - th1 <= 180) {
      complete = segment(th1, th2, false);
    } else {
      // More than half a circle: two pieces that meet at th1 + 180, without their end radii.
      complete = segment(th1, th1 + 180, true);
      complete = segment(th2, th1 + 180, true) && complete;
    }
  }
  Lines.AddLine("b");
  EndStream();
  return complete;
}

bool PdfWriter::WriteArcSegment(int16_t cx, int16_t cy, int16_t r, float a, float b, bool nocloseline) {
  const float A = static_cast<float>(Pi / 180 * a);
  const float B = static_cast<float>(Pi / 180 * b);
  const double k = ArcControlFactor(A, B);
  const double cosA = std::cos(static_cast<double>(A)), sinA = std::sin(static_cast<double>(A));
  const double cosB = std::cos(static_cast<double>(B)), sinB = std::sin(static_cast<double>(B));
  PutPoint(cx, cy);
  Lines.Put(" m").EndLine();
  PutPoint(cx + Q(r * cosA), cy + Q(r * sinA));
  Lines.Put(" l").EndLine();
  if (A == B) return true;  // a slice without sweep is its radius alone
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
  return true;
}

}  // namespace paginor
