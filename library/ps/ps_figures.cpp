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

void PsWriter::PutPoint(int16_t x, int16_t y) {
  // Both coordinates are computed before anything is put, so an overflow leaves no partial line.
  const int64_t pageX = PageX(x), pageY = PageY(y);
  Lines.Put(pageX).Put(' ').Put(pageY);
}

void PsWriter::FinishFigure(bool closed) {
  if (!Dash.empty()) {
    Lines.Put('[').Put(Dash).Put("] 0 setdash").EndLine();
    DashInForce = true;
  } else if (DashInForce) {
    // The pattern of an earlier figure holds until "showpage": this figure is solid.
    Lines.AddLine("[] 0 setdash");
    DashInForce = false;
  }
  if (closed && FillStyle) {
    Lines.Put(FillColor).Put(" setrgbcolor").EndLine();
    Lines.AddLine("gsave");
    Lines.AddLine("fill");
    Lines.AddLine("grestore");
  }
  Lines.Put(Color).Put(" setrgbcolor").EndLine();
  Lines.Put(int64_t{Thickness}).Put(" setlinewidth").EndLine();
  Lines.AddLine("stroke");
}

void PsWriter::EmitLine(int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
  TurnOutsidePage();
  Lines.AddLine("newpath");
  PutPoint(x1, y1);
  Lines.Put(" moveto").EndLine();
  PutPoint(x2, y2);
  // Open: a "closepath" would run the line back over itself, and its dash pattern with it.
  Lines.Put(" lineto").EndLine();
  FinishFigure(false);
}

void PsWriter::EmitRectangle(int16_t x, int16_t y, int16_t width, int16_t height) {
  TurnOutsidePage();
  Lines.AddLine("newpath");
  PutPoint(x, y);  // the top-left corner
  Lines.Put(" moveto").EndLine();
  Lines.Put(int64_t{width}).Put(" 0 rlineto").EndLine();
  Lines.Put("0 -").Put(int64_t{height}).Put(" rlineto").EndLine();
  Lines.Put('-').Put(int64_t{width}).Put(" 0 rlineto").EndLine();
  Lines.Put("0 ").Put(int64_t{height}).Put(" rlineto").EndLine();
  Lines.AddLine("closepath");
  FinishFigure(true);
}

void PsWriter::EmitCircle(int16_t x, int16_t y, int16_t r) {
  TurnOutsidePage();
  Lines.AddLine("newpath");
  PutPoint(x, y);
  Lines.Put(' ').Put(int64_t{r}).Put(" 0 360 arc").EndLine();
  Lines.AddLine("closepath");
  FinishFigure(true);
}

void PsWriter::EmitEllipse(int16_t x, int16_t y, int16_t rx, int16_t ry) {
  TurnOutsidePage();
  // A unit circle in a scaled coordinate system; the matrix is restored before stroking so that the
  // line keeps its width.
  Lines.AddLine("newpath");
  Lines.AddLine("/mtrx matrix def");
  Lines.AddLine("/savematrix mtrx currentmatrix def");
  PutPoint(x, y);
  Lines.Put(" translate").EndLine();
  Lines.Put(int64_t{rx}).Put(' ').Put(int64_t{ry}).Put(" scale").EndLine();
  Lines.AddLine("0 0 1 0 360 arc");
  Lines.AddLine("savematrix setmatrix");
  Lines.AddLine("closepath");
  FinishFigure(true);
}

bool PsWriter::EmitArc(int16_t x, int16_t y, int16_t r, float th1, float th2) {
  TurnOutsidePage();
  // A pie slice: from the centre to the start of the arc, along it and back. The slice is the one the
  // PDF draws for the same angles: PostScript's arc would run from th1 anticlockwise to th2 as given.
  if (!Services.ArcSlice(th1, th2)) return false;
  ReduceHugeAngles(th1, th2);
  Lines.AddLine("newpath");
  PutPoint(x, y);
  Lines.Put(" moveto").EndLine();
  PutPoint(x, y);
  Lines.Put(' ').Put(int64_t{r}).Put(' ');
  PutAngle(Lines, th1);
  Lines.Put(' ');
  PutAngle(Lines, th2);
  Lines.Put(" arc").EndLine();
  Lines.AddLine("closepath");
  FinishFigure(true);
  return true;
}

void PsWriter::EmitCurve(int16_t x1, int16_t y1, int16_t x2, int16_t y2, int16_t x3, int16_t y3) {
  TurnOutsidePage();
  // The start point is also the first control point; a straight line closes the figure.
  Lines.AddLine("newpath");
  PutPoint(x1, y1);
  Lines.Put(" moveto").EndLine();
  PutPoint(x1, y1);
  Lines.Put(' ');
  PutPoint(x2, y2);
  Lines.Put(' ');
  PutPoint(x3, y3);
  Lines.Put(" curveto").EndLine();
  PutPoint(x1, y1);
  Lines.Put(" lineto").EndLine();
  Lines.AddLine("closepath");
  FinishFigure(true);
}

}  // namespace paginor
