#include "services/enumerations.h"

#include <array>
#include <charconv>
#include <cmath>
#include <utility>

#include "paginor/enumerations.h"
#include "services/failure.h"

namespace paginor {
namespace {

struct Paper {
  int32_t code;
  int16_t width;
  int16_t height;
  const char* name;
};

// Portrait dimensions in points. Ledger is the Tabloid sheet turned, so it is listed wider than high.
constexpr Paper PaperTable[] = {
    {1, 612, 792, "Letter"},     {3, 792, 1224, "Tabloid"}, {4, 1224, 792, "Ledger"},
    {5, 612, 1008, "Legal"},     {7, 522, 756, "Executive"}, {8, 842, 1191, "A3"},
    {9, 595, 842, "A4"},         {11, 420, 595, "A5"},      {14, 595, 935, "Folio"},
};

// The colour operand text of each byte value: its fraction of 255 with three decimals, "0" and "1" for
// the two exact values.
const std::array<std::string, 256>& ComponentTexts() {
  static const std::array<std::string, 256> texts = [] {
    std::array<std::string, 256> result;
    for (int value = 0; value < 256; ++value) {
      char buffer[16];
      const auto written = std::to_chars(buffer, buffer + sizeof buffer, value / 255.0,
                                         std::chars_format::fixed, 3);
      std::string text(buffer, written.ptr);
      if (text.ends_with(".000")) text.resize(text.size() - 4);
      result[static_cast<size_t>(value)] = std::move(text);
    }
    return result;
  }();
  return texts;
}

// Reduces an angle above 360 into (0, 360] the way repeated subtraction of 360 does: for angles whose
// float spacing is at most 8 every subtraction is exact, so the remainder gives the same value; larger
// angles, where the subtraction would round or no longer change the value, are reduced the same way.
float ReduceAngle(float angle) {
  if (!(angle > 360.0f)) return angle;
  const double remainder = std::fmod(static_cast<double>(angle), 360.0);
  return remainder == 0.0 ? 360.0f : static_cast<float>(remainder);
}

uint8_t ParseComponent(std::string_view item) {
  float fraction = 0;
  const auto [last, error] = std::from_chars(item.data(), item.data() + item.size(), fraction);
  if (item.empty() || error != std::errc() || last != item.data() + item.size()) Fail();
  const double scaled = std::nearbyint(static_cast<double>(fraction) * 255.0);
  if (!(scaled >= 0.0 && scaled <= 255.0)) Fail();
  return static_cast<uint8_t>(scaled);
}

}  // namespace

bool Enumerations::NormalizeArc(float& first, float& second) const {
  if (!std::isfinite(first) || !std::isfinite(second)) return false;
  if (first > second) std::swap(first, second);
  first = ReduceAngle(first);
  second = ReduceAngle(second);
  return true;
}

bool Enumerations::ArcSlice(float& first, float& second) const {
  if (!NormalizeArc(first, second)) return false;
  if (first > second) second += 360;
  return true;
}

int16_t Enumerations::AlignmentOffset(int16_t available, int16_t used, int32_t alignment) const {
  const int16_t difference = CheckedInt16(static_cast<int32_t>(available) - used);
  switch (alignment) {
    case Code(AlignmentConstants::Center):
      return static_cast<int16_t>(difference / 2);
    case Code(AlignmentConstants::RightAlign):
      return difference;
    default:  // NoAlignment, LeftAlign and unknown values
      return 0;
  }
}

void Enumerations::PaperDimensions(int16_t& width, int16_t& height, std::string& medianame) const {
  for (const Paper& paper : PaperTable) {
    if (paper.code == DocumentPaperSize) {
      width = paper.width;
      height = paper.height;
      medianame = paper.name;
      break;
    }
  }
  if (DocumentOrientation == Code(OrientationConstants::Landscape)) std::swap(width, height);
}

void Enumerations::ParseColor(std::string_view text, uint8_t& red, uint8_t& green, uint8_t& blue) const {
  std::string_view items[3];
  for (size_t index = 0; index < 3; ++index) {
    const size_t blank = text.find(' ');
    if (blank == std::string_view::npos && index < 2) Fail();  // fewer than three items
    items[index] = text.substr(0, blank);
    if (blank != std::string_view::npos) text.remove_prefix(blank + 1);
  }
  red = ParseComponent(items[0]);
  green = ParseComponent(items[1]);
  blue = ParseComponent(items[2]);
}

std::string Enumerations::FormatColor(uint8_t red, uint8_t green, uint8_t blue) const {
  const auto& texts = ComponentTexts();
  std::string result;
  result.reserve(17);
  result += texts[red];
  result += ' ';
  result += texts[green];
  result += ' ';
  result += texts[blue];
  return result;
}

}  // namespace paginor
