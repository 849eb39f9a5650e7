#pragma once

#include <string>
#include <vector>

#include "support/picture_writers.h"
#include "support/rendering.h"

namespace paginor::testing {

// A picture file made for a test, with the colours a reader must show for it.
struct Source {
  std::string name;
  std::string path;
  int width = 13;
  int height = 7;
  std::vector<Rgb> colours;  // top row first
  int tolerance = 0;         // JPEG's own loss
};

// Writes bytes to a file named name in the test folder and returns its path.
std::string Written(const std::string& name, const std::string& bytes);

// One picture of every kind the loader reads: BMP of 1, 4, 8 and 24 bits, run-length BMP of 4 and 8
// bits, GIF of 1, 4 and 8 bits, JPEG in colour and in grey.
std::vector<Source> EveryKindOfPicture();

// The largest difference of one colour channel between the source and the raster's pixels drawn one
// pixel a point with the source's top-left corner at left, top.
int WorstDifference(const Raster& raster, const Source& source, int left = 0, int top = 0);

}  // namespace paginor::testing
