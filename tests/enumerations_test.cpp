#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <locale>

#include "core/rgb.h"
#include "paginor/enumerations.h"
#include "services/alignment.h"
#include "services/arcs.h"
#include "services/failure.h"
#include "services/paper.h"

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
  PaperDimensions(static_cast<PaperSizeConstants>(papersize), static_cast<OrientationConstants>(orientation),
                  passed.width, passed.height, passed.name);
  return passed;
}

TEST(PaperDimensions, FollowsThePaperTableAndOrientation) {
  EXPECT_TRUE(IsPaperSize(PaperSizeConstants::Folio));
  EXPECT_FALSE(IsPaperSize(static_cast<PaperSizeConstants>(2)));

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

// A colour's operand text as the writers put it.
std::string FormatColor(uint8_t red, uint8_t green, uint8_t blue) {
  static RgbTexts texts;  // shared, so that the texts it keeps are asked for again
  return std::string(texts.Of({red, green, blue}));
}

TEST(ColorText, FormatsKnownColours) {
  EXPECT_EQ(FormatColor(0, 0, 0), "0 0 0");
  EXPECT_EQ(FormatColor(255, 255, 255), "1 1 1");
  EXPECT_EQ(FormatColor(255, 128, 0), "1 0.502 0");
  EXPECT_EQ(FormatColor(51, 102, 153), "0.200 0.400 0.600");
  EXPECT_EQ(FormatColor(128, 5, 51), "0.502 0.020 0.200");
  EXPECT_EQ(FormatColor(1, 254, 255), "0.004 0.996 1");
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
  for (int value = 0; value < 256; ++value) {
    const auto byte = static_cast<uint8_t>(value);
    const auto other = static_cast<uint8_t>(255 - value);
    const std::string text = FormatColor(byte, other, byte);
    EXPECT_EQ(text.find(','), std::string::npos) << text;
    // Each component reads back as its byte: three decimals tell the 256 fractions apart.
    float red = 0, green = 0, blue = 0;
    ASSERT_EQ(std::sscanf(text.c_str(), "%f %f %f", &red, &green, &blue), 3) << text;
    EXPECT_EQ(std::nearbyint(red * 255), byte);
    EXPECT_EQ(std::nearbyint(green * 255), other);
    EXPECT_EQ(std::nearbyint(blue * 255), byte);
  }
  std::setlocale(LC_NUMERIC, "C");
  std::locale::global(previous);
  if (!haveCommaLocale) GTEST_LOG_(INFO) << "no comma-decimal C locale installed; checked with a C++ one";
}

TEST(AlignmentOffset, PlacesItemsAndChecksOverflow) {
  const auto offset = [](int16_t available, int16_t used, int32_t alignment) {
    return AlignmentOffset(available, used, static_cast<AlignmentConstants>(alignment));
  };
  EXPECT_EQ(offset(100, 40, 0), 0);
  EXPECT_EQ(offset(100, 40, 1), 0);
  EXPECT_EQ(offset(100, 40, 2), 30);
  EXPECT_EQ(offset(101, 40, 2), 30);
  EXPECT_EQ(offset(40, 101, 2), -30);
  EXPECT_EQ(offset(40, 47, 2), -3);
  EXPECT_EQ(offset(100, 40, 3), 60);
  EXPECT_EQ(offset(40, 100, 3), -60);
  EXPECT_EQ(offset(100, 40, 4), 0);
  EXPECT_EQ(offset(100, 40, -1), 0);
  EXPECT_THROW(offset(32767, -1, 2), Failure);
  EXPECT_THROW(offset(-32768, 1, 0), Failure);
}

TEST(NormalizeArc, OrdersAndReducesAngles) {
  auto normalize = [&](float first, float second) {
    EXPECT_TRUE(NormalizeArc(first, second));
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
    EXPECT_FALSE(NormalizeArc(first, second));
  }
}

}  // namespace
}  // namespace paginor
