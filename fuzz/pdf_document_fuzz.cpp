// Drives a PDF document with arbitrary operations, arguments, texts and picture files: whatever the
// caller passes, no operation may crash, read or write out of bounds, or throw, and every document must
// be written.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "paginor/pdf.h"

namespace {

using namespace paginor;

// Reads the fuzzer's bytes as a sequence of small values and texts.
class Input {
 public:
  Input(const uint8_t* data, size_t size) : Data(data), Size(size) {}
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
    const size_t length = Byte();
    std::string text;
    while (text.size() < length && !Empty()) text.push_back(static_cast<char>(Byte()));
    return text;
  }

 private:
  const uint8_t* Data;
  size_t Size;
  size_t Position = 0;
};

template <typename Enumeration>
Enumeration AnyValue(Input& input) {
  return static_cast<Enumeration>(static_cast<int8_t>(input.Byte()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/paginor-fuzz-" + std::to_string(::getpid()) + ".pdf";
  static const std::string picture = "/tmp/paginor-fuzz-" + std::to_string(::getpid()) + ".picture";
  // Picture files start with one of the signatures, so that the bytes after it reach a decoder.
  static const std::string signatures[4] = {"BM", "GIF89a", std::string("\xFF\xD8\xFF", 3), ""};
  Input input(data, size);
  PDF pdf;
  pdf.SetTitle(input.Text());
  pdf.SetAuthor(input.Text());
  pdf.SetOrientation(static_cast<OrientationConstants>(1 + input.Byte() % 2));
  pdf.SetRotated(input.Byte() % 2 == 1);
  if (!pdf.Create(path)) std::abort();
  for (int operations = 0; operations < 200 && !input.Empty(); ++operations) {
    switch (input.Byte() % 16) {
      case 0: pdf.NewPage(input.Coordinate(), input.Coordinate(), input.Coordinate(), input.Coordinate(),
                          input.Byte(), input.Byte(), input.Byte()); break;
      case 1: pdf.SetFont(AnyValue<FontNumberConstants>(input), input.Byte(), AnyValue<FontStyleConstants>(input),
                          AnyValue<FontEffectConstants>(input)); break;
      case 2: pdf.SetPosition(input.Coordinate(), input.Coordinate()); break;
      case 3: pdf.WriteText(input.Text(), input.Byte() % 2, input.Byte(), AnyValue<AlignmentConstants>(input),
                            input.Text()); break;
      case 4: pdf.WriteMultiText(input.Text(), input.Byte(), AnyValue<AlignmentConstants>(input), input.Byte() % 2,
                                 input.Coordinate()); break;
      case 5: pdf.WriteTitle(input.Text(), AnyValue<AlignmentConstants>(input), AnyValue<BulletConstants>(input),
                             input.Text()); break;
      case 6: pdf.DrawLine(input.Coordinate(), input.Coordinate(), input.Coordinate(), input.Coordinate()); break;
      case 7: pdf.DrawRectangle(input.Coordinate(), input.Coordinate(), input.Coordinate(), input.Coordinate()); break;
      case 8: pdf.DrawCircle(input.Coordinate(), input.Coordinate(), input.Coordinate()); break;
      case 9: pdf.DrawEllipse(input.Coordinate(), input.Coordinate(), input.Coordinate(), input.Coordinate()); break;
      case 10: pdf.DrawArc(input.Coordinate(), input.Coordinate(), input.Coordinate(), input.Angle(), input.Angle()); break;
      case 11: pdf.DrawCurve(input.Coordinate(), input.Coordinate(), input.Coordinate(), input.Coordinate(),
                             input.Coordinate(), input.Coordinate()); break;
      case 12: pdf.SetThickness(input.Byte()); pdf.SetFillStyle(input.Byte() % 2); pdf.SetDash(input.Text()); break;
      case 13: pdf.SetColor(input.Byte(), input.Byte(), input.Byte()); pdf.SetFillColor(input.Byte(), input.Byte(), input.Byte()); break;
      case 14: {
        if (input.Byte() % 4 != 0) {  // else the file of the previous picture, as a cached one
          std::ofstream(picture, std::ios::binary | std::ios::trunc) << signatures[input.Byte() % 4] << input.Text();
        }
        pdf.DrawPicture(picture, AnyValue<AlignmentConstants>(input), input.Text(), AnyValue<EncodingConstants>(input));
        break;
      }
      case 15: pdf.SetPictureDimensions(input.Coordinate(), input.Coordinate()); break;
    }
  }
  if (!pdf.Flush()) std::abort();
  return 0;
}
