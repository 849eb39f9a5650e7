#include "support/random_pages.h"

#include <random>

namespace paginor::testing {
namespace {

void DrawExtras(Document& document, std::mt19937& random, const RandomExtras& extras) {
  auto below = [&](uint32_t bound) { return static_cast<int16_t>(random() % bound); };
  auto alignment = [&] { return static_cast<AlignmentConstants>(below(4)); };
  const std::string link = "http://example.com/" + std::to_string(random() % 1000) + "?a=(b)&c";
  document.SetFont(static_cast<FontNumberConstants>(1 + below(3)), static_cast<uint8_t>(9 + below(8)),
                   static_cast<FontStyleConstants>(1 + below(4)), static_cast<FontEffectConstants>(below(3)));
  document.SetColor(static_cast<uint8_t>(below(256)), 0, static_cast<uint8_t>(below(128)));
  document.SetPosition(0, below(300));
  document.WriteTitle("Title (" + std::to_string(random() % 100) + ")", alignment(),
                      static_cast<BulletConstants>(1 + below(2)), link);
  std::string words;
  for (int word = 0, count = below(120); word < count; ++word) words += "word" + std::to_string(word) + " ";
  document.WriteMultiText(words, static_cast<uint8_t>(below(4)), alignment(), random() % 2 == 0);
  document.WriteText("linked \\ text", true, 2, alignment(), link + "#text");
  if (!extras.pictures.empty()) {
    document.SetPictureDimensions(static_cast<int16_t>(20 + below(80)), static_cast<int16_t>(20 + below(80)));
    document.DrawPicture(extras.pictures[random() % extras.pictures.size()], alignment(), link + "#picture",
                         static_cast<EncodingConstants>(1 + below(4)));
  }
}

}  // namespace

void DrawRandomPages(Document& document, uint32_t seed, const RandomExtras* extras) {
  std::mt19937 random(seed);
  auto below = [&](int bound) { return static_cast<int16_t>(random() % static_cast<uint32_t>(bound)); };
  auto angle = [&]() -> float {
    switch (random() % 4) {
      case 0: return static_cast<float>(below(1440));                 // past a turn
      case 1: return static_cast<float>(below(3600)) / 10.0f;         // within one
      case 2: return static_cast<float>(below(360) * 90 % 720);       // the quarters
      default: return static_cast<float>(below(1000)) / 7.0f;
    }
  };
  document.SetFillStyle(true);
  for (int page = 0; page < 3; ++page) {
    document.NewPage(30, 30, 30, 30, 255, static_cast<uint8_t>(235 + below(20)), 240);
    for (int figure = 0; figure < 24; ++figure) {
      document.SetColor(static_cast<uint8_t>(below(200)), 0, static_cast<uint8_t>(below(200)));
      document.SetFillColor(255, static_cast<uint8_t>(below(256)), 0);
      document.SetThickness(static_cast<uint8_t>(1 + below(3)));
      const int16_t x = static_cast<int16_t>(60 + below(400)), y = static_cast<int16_t>(60 + below(650));
      switch (random() % 6) {
        case 0: {
          document.SetDash(random() % 2 == 0 ? "6 6" : "4 2 1 2");
          const int16_t length = static_cast<int16_t>(200 + figure % 16);
          const int16_t left = below(300), top = below(700);
          if (random() % 2 == 0) {
            document.DrawLine(left, top, static_cast<int16_t>(left + length), top);
          } else {
            document.DrawLine(static_cast<int16_t>(left + length), top, left, static_cast<int16_t>(top + below(40)));
          }
          document.SetDash("");
          break;
        }
        case 1: {
          // th1 below 0 only with th2 at most a turn after it, which the PDF draws as one slice.
          float th1 = angle(), th2 = angle();
          if (random() % 4 == 0) {
            th1 = -static_cast<float>(below(360));
            th2 = th1 + static_cast<float>(below(360));
          }
          document.DrawArc(x, y, static_cast<int16_t>(10 + below(45)), th1, th2);
          break;
        }
        case 2: document.DrawRectangle(below(400), below(650), below(100), below(80)); break;
        case 3: document.DrawCircle(x, y, static_cast<int16_t>(5 + below(50))); break;
        case 4: document.DrawEllipse(x, y, static_cast<int16_t>(5 + below(50)), static_cast<int16_t>(5 + below(50))); break;
        default: document.DrawCurve(below(500), below(700), below(500), below(700), below(500), below(700)); break;
      }
    }
    if (extras != nullptr) DrawExtras(document, random, *extras);
    document.SetFont(FontNumberConstants::Times, 12, FontStyleConstants::Regular,
                     random() % 2 == 0 ? FontEffectConstants::Underline : FontEffectConstants::Strikethrough);
    document.SetDash("3 3");
    document.SetPosition(0, 700);
    document.WriteText("Random page " + std::to_string(page + 1) + " of seed " + std::to_string(seed), true);
    document.SetDash("");
  }
}

}  // namespace paginor::testing
