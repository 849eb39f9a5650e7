#include "fonts/text_measure.h"

#include <algorithm>
#include <cstdint>

#include "services/failure.h"

namespace paginor {
namespace {

// The sum of the codes' widths. Four sums run side by side, so that each addition need not wait for
// the one before; at most 32767 codes of at most 32767 each keep every sum within 32 bits.
int64_t SumWidths(std::string_view codes, const WidthTable& widths) {
  const auto* code = reinterpret_cast<const uint8_t*>(codes.data());
  const uint8_t* const end = code + codes.size();
  int32_t first = 0, second = 0, third = 0, fourth = 0;
  for (; end - code >= 4; code += 4) {
    first += widths[code[0]];
    second += widths[code[1]];
    third += widths[code[2]];
    fourth += widths[code[3]];
  }
  for (; code != end; ++code) first += widths[*code];
  return int64_t{first} + second + third + fourth;
}

}  // namespace

int64_t TextUnits(std::string_view codes, const FontFace& face) {
  // Characters are counted with a 16-bit index.
  if (codes.size() > 32767) Fail();
  if (face.widths == nullptr) return 0;
  return SumWidths(codes, *face.widths);
}

int16_t UnitsToPoints(int64_t units, uint8_t fontheight) {
  return RoundInt16(static_cast<double>(units) / 1000.0 * fontheight);
}

int16_t TextWidth(std::string_view codes, const FontFace& face, uint8_t fontheight) {
  return UnitsToPoints(TextUnits(codes, face), fontheight);
}

bool JustifyLine(std::string_view line, int16_t width, const FontFace& face, uint8_t fontheight,
                 std::vector<std::string_view>& words, std::vector<int16_t>& positions) {
  words.clear();
  positions.clear();
  if (line.empty()) return false;
  // Every word but the last keeps the blank that ends it.
  size_t start = 0;
  for (size_t blank = line.find(' '); blank != std::string_view::npos; blank = line.find(' ', start)) {
    words.push_back(line.substr(start, blank + 1 - start));
    start = blank + 1;
  }
  words.push_back(line.substr(start));
  positions.push_back(0);
  if (words.size() < 2) return false;  // a one-word line has no gap to widen
  try {
    const int16_t count = CheckedInt16(static_cast<int64_t>(words.size()));
    for (int16_t index = 1; index < count; ++index) {
      const int16_t previous = TextWidth(words[static_cast<size_t>(index - 1)], face, fontheight);
      positions.push_back(CheckedInt16(positions.back() + previous));
    }
    const int16_t last = TextWidth(words.back(), face, fontheight);
    const int16_t gaps = static_cast<int16_t>(count - 1);
    const int16_t slack = CheckedInt16(static_cast<int64_t>(width) - positions.back() - last);
    const int16_t gap = static_cast<int16_t>(slack / gaps);
    if (gap > 0) {
      for (int16_t index = 1; index < count; ++index) {
        int16_t& position = positions[static_cast<size_t>(index)];
        position = CheckedInt16(position + CheckedInt16(static_cast<int64_t>(index) * gap));
      }
    }
    // The division left a few points over: each of the first gaps from the left grows by one.
    const int16_t remainder = CheckedInt16(static_cast<int64_t>(width) - positions.back() - last);
    if (remainder > 0) {
      for (int16_t index = 1; index < count; ++index) {
        int16_t& position = positions[static_cast<size_t>(index)];
        position = CheckedInt16(position + std::min(index, remainder));
      }
    }
  } catch (const Failure&) {
    return false;
  }
  return true;
}

}  // namespace paginor
