#include "services/enumerations.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <locale>

#include "paginor/enumerations.h"
#include "services/failure.h"

namespace paginor {
namespace {

TEST(PublicEnumerations, HaveTheirFixedValues) {
  EXPECT_EQ(static_cast<int32_t>(AlignmentConstants::RightAlign), 3);
  EXPECT_EQ(static_cast<int32_t>(BulletConstants::Square), 2);
  EXPECT_EQ(static_cast<int32_t>(EncodingConstants::Flate), 4);
  EXPECT_EQ(static_cast<int32_t>(FontEffectConstants::Underline), 2);
  EXPECT_EQ(static_cast<int32_t>(FontNumberConstants::ZapfDingbats), 5);
  EXPECT_EQ(static_cast<int32_t>(FontStyleConstants::BoldItalic), 4);
  EXPECT_EQ(static_cast<int32_t>(OrientationConstants::Landscape), 2);
  EXPECT_EQ(static_cast<int32_t>(PaperSizeConstants::Executive), 7);
  EXPECT_EQ(static_cast<int32_t>(PaperSizeConstants::A5), 11);
  EXPECT_EQ(static_cast<int32_t>(PaperSizeConstants::Folio), 14);
}

struct Dimensions {
  int16_t width;
  int16_t height;
  std::string name;
};

Dimensions Paper(int32_t orientation, int32_t papersize, Dimensions passed = {0, 0, ""}) {
  Enumerations services;
  services.SetOrientation(orientation);
  services.SetPaperSize(papersize);
  services.PaperDimensions(passed.width, passed.height, passed.name);
  return passed;
}

TEST(PaperDimensions, FollowsThePaperTableAndOrientation) {
  Enumerations fresh;
  EXPECT_EQ(fresh.GetOrientation(), 1);
  EXPECT_EQ(fresh.GetPaperSize(), 9);

  auto expect = [](Dimensions got, int16_t width, int16_t height, const std::string& name) {
    EXPECT_EQ(got.width, width);
    EXPECT_EQ(got.height, height);
    EXPECT_EQ(got.name, name);
  };
  expect(Paper(1, 9), 595, 842, "A4");
  expect(Paper(2, 9), 842, 595, "A4");
  expect(Paper(2, 4), 792, 1224, "Ledger");
  expect(Paper(1, 4), 1224, 792, "Ledger");
  expect(Paper(1, 7), 522, 756, "Executive");
  expect(Paper(1, 14), 595, 935, "Folio");
  // Orientation codes other than 2 count as portrait.
  expect(Paper(0, 1), 612, 792, "Letter");
  expect(Paper(3, 8), 842, 1191, "A3");
  // An unknown paper code leaves the passed values, but landscape still exchanges them.
  expect(Paper(1, 2, {10, 20, "kept"}), 10, 20, "kept");
  expect(Paper(2, 2, {10, 20, "kept"}), 20, 10, "kept");
}

TEST(ColorText, FormatsKnownColours) {
  Enumerations services;
  EXPECT_EQ(services.FormatColor(0, 0, 0), "0 0 0");
  EXPECT_EQ(services.FormatColor(255, 255, 255), "1 1 1");
  EXPECT_EQ(services.FormatColor(255, 128, 0), "1 0.502 0");
  EXPECT_EQ(services.FormatColor(51, 102, 153), "0.200 0.400 0.600");
  EXPECT_EQ(services.FormatColor(128, 5, 51), "0.502 0.020 0.200");
  EXPECT_EQ(services.FormatColor(1, 254, 255), "0.004 0.996 1");
}

// A decimal comma for C++ formatting, available whatever locales the machine has installed.
struct DecimalComma : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
};

TEST(ColorText, RoundTripsEveryComponentUnderACommaLocale) {
  // Whatever the process locale says about decimal separators, the text uses a point.
  const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new DecimalComma));
  const bool haveCommaLocale = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr ||
                               std::setlocale(LC_NUMERIC, "fr_FR.UTF-8") != nullptr;
  Enumerations services;
  for (int value = 0; value < 256; ++value) {
    const auto byte = static_cast<uint8_t>(value);
    const auto other = static_cast<uint8_t>(255 - value);
    const std::string text = services.FormatColor(byte, other, byte);
    EXPECT_EQ(text.find(','), std::string::npos) << text;
    uint8_t red = 0, green = 0, blue = 0;
    services.ParseColor(text, red, green, blue);
    EXPECT_EQ(red, byte);
    EXPECT_EQ(green, other);
    EXPECT_EQ(blue, byte);
  }
  std::setlocale(LC_NUMERIC, "C");
  std::locale::global(previous);
  if (!haveCommaLocale) GTEST_LOG_(INFO) << "no comma-decimal C locale installed; checked with a C++ one";
}

TEST(ColorText, ParsingRefusesTextsItCannotRead) {
  Enumerations services;
  uint8_t red = 0, green = 0, blue = 0;
  services.ParseColor("1 0.502 0", red, green, blue);
  EXPECT_EQ(red, 255);
  EXPECT_EQ(green, 128);
  EXPECT_EQ(blue, 0);
  services.ParseColor("0 0 1 extra items", red, green, blue);
  EXPECT_EQ(blue, 255);
  for (const char* bad : {"", "1 0", "1  0 0", "1 x 0", "1 0 2", "1 0 -0.5", "1 0 0.5x", "nan 0 0"}) {
    EXPECT_THROW(services.ParseColor(bad, red, green, blue), Failure) << '"' << bad << '"';
  }
}

TEST(AlignmentOffset, PlacesItemsAndChecksOverflow) {
  Enumerations services;
  EXPECT_EQ(services.AlignmentOffset(100, 40, 0), 0);
  EXPECT_EQ(services.AlignmentOffset(100, 40, 1), 0);
  EXPECT_EQ(services.AlignmentOffset(100, 40, 2), 30);
  EXPECT_EQ(services.AlignmentOffset(101, 40, 2), 30);
  EXPECT_EQ(services.AlignmentOffset(40, 101, 2), -30);
  EXPECT_EQ(services.AlignmentOffset(40, 47, 2), -3);
  EXPECT_EQ(services.AlignmentOffset(100, 40, 3), 60);
  EXPECT_EQ(services.AlignmentOffset(40, 100, 3), -60);
  EXPECT_EQ(services.AlignmentOffset(100, 40, 4), 0);
  EXPECT_EQ(services.AlignmentOffset(100, 40, -1), 0);
  EXPECT_THROW(services.AlignmentOffset(32767, -1, 2), Failure);
  EXPECT_THROW(services.AlignmentOffset(-32768, 1, 0), Failure);
}

TEST(NormalizeArc, OrdersAndReducesAngles) {
  Enumerations services;
  auto normalize = [&](float first, float second) {
    EXPECT_TRUE(services.NormalizeArc(first, second));
    return std::pair(first, second);
  };
  EXPECT_EQ(normalize(90, 45), std::pair(45.0f, 90.0f));
  EXPECT_EQ(normalize(720, 800), std::pair(360.0f, 80.0f));
  EXPECT_EQ(normalize(360, 360), std::pair(360.0f, 360.0f));
  EXPECT_EQ(normalize(-90, 30), std::pair(-90.0f, 30.0f));
  EXPECT_EQ(normalize(300, 400), std::pair(300.0f, 40.0f));
  EXPECT_EQ(normalize(0, 1000.5f), std::pair(0.0f, 280.5f));
  // Angles far beyond what repeated subtraction could reduce still end in (0, 360].
  const auto [first, second] = normalize(0, 1e30f);
  EXPECT_EQ(first, 0.0f);
  EXPECT_GT(second, 0.0f);
  EXPECT_LE(second, 360.0f);
  EXPECT_EQ(normalize(0, 8589934592.0f).second, std::fmod(8589934592.0f, 360.0f));

  const float infinity = std::numeric_limits<float>::infinity();
  for (auto [a, b] : {std::pair(infinity, 0.0f), std::pair(0.0f, std::nanf("")), std::pair(-infinity, 10.0f)}) {
    float first = a, second = b;
    EXPECT_FALSE(services.NormalizeArc(first, second));
  }
}

}  // namespace
}  // namespace paginor
