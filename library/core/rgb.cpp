#include "core/rgb.h"

#include <charconv>

namespace paginor {

std::string_view ComponentText(uint8_t value) {
  static const std::array<std::string, 256> texts = [] {
    std::array<std::string, 256> result;
    for (int byte = 0; byte < 256; ++byte) {
      char buffer[16];
      const auto written = std::to_chars(buffer, buffer + sizeof buffer, byte / 255.0, std::chars_format::fixed, 3);
      std::string text(buffer, written.ptr);
      if (text.ends_with(".000")) text.resize(text.size() - 4);
      result[static_cast<size_t>(byte)] = std::move(text);
    }
    return result;
  }();
  return texts[value];
}

std::string_view RgbTexts::Make(Rgb colour) {
  Entry& entry = Entries[Next];
  Next = (Next + 1) % Entries.size();
  entry.colour = colour;
  entry.text.assign(ComponentText(colour.red)).append(" ").append(ComponentText(colour.green)).append(" ");
  entry.text.append(ComponentText(colour.blue));
  return entry.text;
}

}  // namespace paginor
