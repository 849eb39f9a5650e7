#pragma once

// Drives a document with arbitrary operations, arguments, texts and picture files read from a string of
// bytes: the fuzz targets feed it the fuzzer's bytes, the tests seeded random bytes and hostile texts.
// Header-only, so that the fuzz targets use it without the test framework.
#include <cstdint>
#include <fstream>
#include <string>
#include <type_traits>
#include <vector>

#include "paginor/pdf.h"
#include "paginor/ps.h"

namespace paginor::testing {

// Reads bytes as a sequence of small values and texts. Texts are taken from the bytes, or, when a list
// of texts is given, chosen from it.
class DriverInput {
 public:
  DriverInput(const uint8_t* data, size_t size, const std::vector<std::string>* texts = nullptr)
      : Data(data), Size(size), Texts(texts) {}
  bool Empty() const { return Position >= Size; }
  uint8_t Byte() { return Position < Size ? Data[Position++] : 0; }
  int16_t Short() { return static_cast<int16_t>(Byte() | Byte() << 8); }
  // Mostly small values, sometimes any 16-bit value, so that both fitting and refused figures occur.
  int16_t Coordinate() {
    const uint8_t kind = Byte();
    return kind < 200 ? static_cast<int16_t>(Byte() * 2) : Short();
  }
  float Angle() {
    const uint8_t kind = Byte();
    if (kind == 255) return static_cast<float>(Short()) * 1e30f;
    return static_cast<float>(Short()) / 16.0f;
  }
  std::string Text() {
    if (Texts != nullptr && !Texts->empty()) return (*Texts)[Byte() % Texts->size()];
    const size_t length = Byte();
    std::string text;
    while (text.size() < length && !Empty()) text.push_back(static_cast<char>(Byte()));
    return text;
  }
  // Any value of an enumeration's underlying byte, in range or not.
  template <typename Enumeration>
  Enumeration Any() {
    return static_cast<Enumeration>(static_cast<int8_t>(Byte()));
  }

 private:
  const uint8_t* Data;
  size_t Size;
  const std::vector<std::string>* Texts;
  size_t Position = 0;
};

// Writes one document of the format Writer (PDF or PS) to path from the input: properties (compact
// output or not among them), then up to 200 operations of every kind, pictures made from the input in
// the file picture. Returns what Create and Flush return: both must succeed whatever the input.
template <typename Writer>
bool WriteDrivenDocument(DriverInput& input, const std::string& path, const std::string& picture) {
  constexpr bool links = std::is_same_v<Writer, PDF>;
  // Picture files start with one of the signatures, so that the bytes after it reach a decoder.
  static const std::string signatures[4] = {"BM", "GIF89a", std::string("\xFF\xD8\xFF", 3), ""};
  Writer document;
  document.SetTitle(input.Text());
  document.SetAuthor(input.Text());
  document.SetCreator(input.Text());
  if constexpr (links) document.SetKeywords(input.Text());
  document.SetOrientation(static_cast<OrientationConstants>(1 + input.Byte() % 2));
  document.SetRotated(input.Byte() % 2 == 1);
  document.SetCompact(input.Byte() % 2 == 1);
  if (!document.Create(path)) return false;
  for (int operations = 0; operations < 200 && !input.Empty(); ++operations) {
    switch (input.Byte() % 16) {
      case 0: document.NewPage(input.Coordinate(), input.Coordinate(), input.Coordinate(), input.Coordinate(),
                               input.Byte(), input.Byte(), input.Byte()); break;
      case 1: {
        // Mostly a standard font; sometimes an installed OpenType family (shaped, with fallback faces),
        // a compact-outline one, or one that is not found.
        static const char* const families[] = {"DejaVu Sans", "Noto Sans Arabic", "WenQuanYi Micro Hei",
                                               "Nimbus Sans", "No Such Family"};
        // Now and then the footer too, with the page count, which PostScript shapes at the end.
        const uint8_t kind = input.Byte();
        if (kind < 200) {
          document.SetFont(input.Any<FontNumberConstants>(), input.Byte(), input.Any<FontStyleConstants>(),
                           input.Any<FontEffectConstants>());
        } else if (kind >= 250) {
          document.SetFooter(input.Text() + " {page}/{pages}");
          document.SetFooterFont(families[kind % 5], input.Byte());
        } else {
          document.SetFont(families[kind % 5], input.Byte(), input.Any<FontStyleConstants>(),
                           input.Any<FontEffectConstants>());
        }
        break;
      }
      case 2: document.SetPosition(input.Coordinate(), input.Coordinate()); break;
      case 3: {
        const std::string text = input.Text();
        const bool carriagereturn = input.Byte() % 2;
        const uint8_t dy = input.Byte();
        const auto alignment = input.Any<AlignmentConstants>();
        if constexpr (links) {
          document.WriteText(text, carriagereturn, dy, alignment, input.Text());
        } else {
          document.WriteText(text, carriagereturn, dy, alignment);
        }
        break;
      }
      case 4: document.WriteMultiText(input.Text(), input.Byte(), input.Any<AlignmentConstants>(), input.Byte() % 2,
                                      input.Coordinate()); break;
      case 5: {
        const std::string text = input.Text();
        const auto alignment = input.Any<AlignmentConstants>();
        const auto bullet = input.Any<BulletConstants>();
        if constexpr (links) {
          document.WriteTitle(text, alignment, bullet, input.Text());
        } else {
          document.WriteTitle(text, alignment, bullet);
        }
        break;
      }
      case 6: document.DrawLine(input.Coordinate(), input.Coordinate(), input.Coordinate(), input.Coordinate()); break;
      case 7: document.DrawRectangle(input.Coordinate(), input.Coordinate(), input.Coordinate(), input.Coordinate()); break;
      case 8: document.DrawCircle(input.Coordinate(), input.Coordinate(), input.Coordinate()); break;
      case 9: document.DrawEllipse(input.Coordinate(), input.Coordinate(), input.Coordinate(), input.Coordinate()); break;
      case 10: document.DrawArc(input.Coordinate(), input.Coordinate(), input.Coordinate(), input.Angle(),
                                input.Angle()); break;
      case 11: document.DrawCurve(input.Coordinate(), input.Coordinate(), input.Coordinate(), input.Coordinate(),
                                  input.Coordinate(), input.Coordinate()); break;
      case 12: document.SetThickness(input.Byte()); document.SetFillStyle(input.Byte() % 2);
               document.SetDash(input.Text()); break;
      case 13: document.SetColor(input.Byte(), input.Byte(), input.Byte());
               document.SetFillColor(input.Byte(), input.Byte(), input.Byte()); break;
      case 14: {
        if (input.Byte() % 4 != 0) {  // else the file of the previous picture, as a cached one
          std::ofstream(picture, std::ios::binary | std::ios::trunc) << signatures[input.Byte() % 4] << input.Text();
        }
        const auto alignment = input.Any<AlignmentConstants>();
        if constexpr (links) {
          document.DrawPicture(picture, alignment, input.Text(), input.Any<EncodingConstants>());
        } else {
          document.DrawPicture(picture, alignment, input.Any<EncodingConstants>());
        }
        break;
      }
      case 15: document.SetPictureDimensions(input.Coordinate(), input.Coordinate()); break;
    }
  }
  return document.Flush();
}

}  // namespace paginor::testing
