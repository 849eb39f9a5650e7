#include "services/resize.h"

#include <gtest/gtest.h>

namespace paginor {
namespace {

struct Size {
  int16_t width;
  int16_t height;
  bool operator==(const Size&) const = default;
};

Size Fit(int16_t maxwidth, int16_t maxheight, int16_t sourcewidth, int16_t sourceheight) {
  Size size{-99, -99};
  Resize().Calculate(maxwidth, maxheight, sourcewidth, sourceheight, size.width, size.height);
  return size;
}

TEST(ResizeCalculate, ScalesDownIntoTheBoxKeepingProportions) {
  EXPECT_EQ(Fit(200, 200, 400, 300), (Size{200, 150}));
  EXPECT_EQ(Fit(200, 200, 300, 400), (Size{150, 200}));  // 200 by 267 first, then 150 by 200
  EXPECT_EQ(Fit(200, 200, 100, 50), (Size{100, 50}));    // never enlarged
  EXPECT_EQ(Fit(1, 10, 2, 5), (Size{1, 2}));              // 2.5 rounds to even
  EXPECT_EQ(Fit(10, 10, 1000, 1), (Size{10, 1}));         // 0 becomes 1
  EXPECT_EQ(Fit(10, 10, 1, 1000), (Size{1, 10}));
  EXPECT_EQ(Fit(3, 100, 2, 7), (Size{2, 7}));
  EXPECT_EQ(Fit(32767, 32767, 32767, 32767), (Size{32767, 32767}));
  EXPECT_EQ(Fit(1, 1, 32767, 32767), (Size{1, 1}));
}

TEST(ResizeCalculate, NeverFailsOnSizesTheWritersDoNotPass) {
  // A zero source width against a negative box divides by zero: that step keeps its value.
  EXPECT_EQ(Fit(-1, 100, 0, 40), (Size{-1, 40}));
  // Scaling to a negative box still yields numbers; 0 still becomes 1.
  EXPECT_EQ(Fit(-5, -5, 10, 10), (Size{-5, -5}));
  EXPECT_EQ(Fit(100, 100, -10, 0), (Size{-10, 1}));
}

}  // namespace
}  // namespace paginor
