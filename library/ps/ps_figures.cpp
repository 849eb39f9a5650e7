// The figures as PostScript paths: each one a complete path from "newpath" to "stroke" that sets its
// colour, dash and line width again.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "ps/ps_writer.h"

namespace paginor {
namespace {

// Interpreters refuse, or turn for ever on, angles far beyond a circle. Angles up to this size are
// written as given; an arc with a larger one is written with the same start point and sweep instead.
constexpr double LargestWrittenAngle = 1e6;

// Reduces the huge angles of a slice running anticlockwise from th1 to th2 (th2 not below th1) to the
// same start point and sweep; a sweep of a turn or more draws the circle.
void ReduceHugeAngles(float& th1, float& th2) {
  if (std::fabs(th1) <= LargestWrittenAngle && std::fabs(th2) <= LargestWrittenAngle) return;
  const double start = std::fmod(static_cast<double>(th1), 360.0);
  const double sweep = std::min(static_cast<double>(th2) - th1, 360.0);
  th1 = static_cast<float>(start);
  th2 = static_cast<float>(start + sweep);
}

// An angle as plain decimal text of at most seven significant digits: no exponent, no trailing zeros,
// no point for whole numbers, "0" before the point below 1 (22.5, -0.25, 90).
void PutAngle(LineBuffer& lines, float angle) {
  if (angle == 0) {
    lines.Put('0');
    return;
  }
  char scientific[32];  // "-d.dddddde-XX"
  const auto result = std::to_chars(scientific, scientific + sizeof scientific, angle,
                                    std::chars_format::scientific, 6);
  const std::string_view text(scientific, static_cast<size_t>(result.ptr - scientific));
  const bool negative = text.front() == '-';
  const size_t mantissa = negative ? 1 : 0;
  const size_t exponentAt = text.find('e');
  std::string digits;
  digits.push_back(text[mantissa]);
  digits.append(text.substr(mantissa + 2, exponentAt - mantissa - 2));
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  const int exponent = std::atoi(std::string(text.substr(exponentAt + 1)).c_str());

  std::string plain;
  if (negative) plain.push_back('-');
  if (exponent < 0) {
    plain.append("0.").append(static_cast<size_t>(-exponent - 1), '0').append(digits);
  } else {
    const size_t whole = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= whole) {
      plain.append(digits).append(whole - digits.size(), '0');
    } else {
      plain.append(digits, 0, whole).append(".").append(digits, whole);
    }
  }
  lines.Put(plain);
}

}  // namespace

void PsWriter::PutPoint(PagePoint point) { Lines.Put(int64_t{point.x}).Put(' ').Put(int64_t{point.y}); }

void PsWriter::PutDash(std::string_view dash) {
  if (!dash.empty()) {
    Lines.Put('[').Put(dash).Put("] 0 setdash").EndLine();
    DashInForce = true;
  } else if (DashInForce) {
    // The pattern of an earlier figure holds until "showpage": this figure is solid.
    Lines.AddLine("[] 0 setdash");
    DashInForce = false;
  }
}

void PsWriter::FinishFigure(const PathPaint& paint, bool closed) {
  PutDash(paint.dash);
  if (closed && paint.filled) {
    Lines.Put(Colours.Of(paint.fill)).Put(" setrgbcolor").EndLine();
    Lines.AddLine("gsave");
    Lines.AddLine("fill");
    Lines.AddLine("grestore");
  }
  Lines.Put(Colours.Of(paint.stroke)).Put(" setrgbcolor").EndLine();
  Lines.Put(int64_t{paint.thickness}).Put(" setlinewidth").EndLine();
  Lines.AddLine("stroke");
}

bool PsWriter::DrawPath(const Path& path, const PathPaint& paint) {
  if (Compact) {
    DrawCompactPath(path, paint);
    return true;
  }
  TurnOutsidePage();
  Lines.AddLine("newpath");
  const PagePoint first = path.points[0];
  switch (path.shape) {
    case PathShape::Line:
      PutPoint(first);
      Lines.Put(" moveto").EndLine();
      PutPoint(path.points[1]);
      // Open: a "closepath" would run the line back over itself, and its dash pattern with it.
      Lines.Put(" lineto").EndLine();
      FinishFigure(paint, false);
      return true;
    case PathShape::Rectangle:
      PutPoint(first);  // the top-left corner
      Lines.Put(" moveto").EndLine();
      Lines.Put(int64_t{path.width}).Put(" 0 rlineto").EndLine();
      Lines.Put("0 -").Put(int64_t{path.height}).Put(" rlineto").EndLine();
      Lines.Put('-').Put(int64_t{path.width}).Put(" 0 rlineto").EndLine();
      Lines.Put("0 ").Put(int64_t{path.height}).Put(" rlineto").EndLine();
      break;
    case PathShape::Circle:
      PutPoint(first);
      Lines.Put(' ').Put(int64_t{path.width}).Put(" 0 360 arc").EndLine();
      break;
    case PathShape::Ellipse:
      // A unit circle in a scaled coordinate system; the matrix is restored before stroking so that the
      // line keeps its width.
      Lines.AddLine("/mtrx matrix def");
      Lines.AddLine("/savematrix mtrx currentmatrix def");
      PutPoint(first);
      Lines.Put(" translate").EndLine();
      Lines.Put(int64_t{path.width}).Put(' ').Put(int64_t{path.height}).Put(" scale").EndLine();
      Lines.AddLine("0 0 1 0 360 arc");
      Lines.AddLine("savematrix setmatrix");
      break;
    case PathShape::Slice:
      PutSlice(path);
      break;
    case PathShape::Curve:
      // The start point is also the first control point; a straight line closes the figure.
      PutPoint(first);
      Lines.Put(" moveto").EndLine();
      PutPoint(first);
      Lines.Put(' ');
      PutPoint(path.points[1]);
      Lines.Put(' ');
      PutPoint(path.points[2]);
      Lines.Put(" curveto").EndLine();
      PutPoint(first);
      Lines.Put(" lineto").EndLine();
      break;
  }
  Lines.AddLine("closepath");
  FinishFigure(paint, true);
  return true;
}

void PsWriter::PutSlice(const Path& path) {
  // A pie slice: from the centre to the start of the arc, along it and back.
  PutPoint(path.points[0]);
  Lines.Put(" moveto").EndLine();
  PutSliceOperands(path);
  Lines.Put(" arc").EndLine();
}

void PsWriter::PutSliceOperands(const Path& path) {
  // Anticlockwise from the first angle to the second as the layout gives them, which is the slice the
  // PDF draws.
  float th1 = path.from, th2 = path.to;
  ReduceHugeAngles(th1, th2);
  PutPoint(path.points[0]);
  Lines.Put(' ').Put(int64_t{path.width}).Put(' ');
  PutAngle(Lines, th1);
  Lines.Put(' ');
  PutAngle(Lines, th2);
}

}  // namespace paginor
