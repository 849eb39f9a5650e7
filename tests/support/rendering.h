#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace paginor::testing {

// A page as Ghostscript renders it: grey levels from 0 (black) to 255 (white), one byte a pixel, rows
// from the top of the page.
struct GreyPage {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Pixels;

  uint8_t At(int x, int y) const { return Pixels[static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x)]; }
};

// The first page of a PDF or PostScript file at resolution dots per inch; empty when it cannot be
// rendered.
GreyPage RenderFirstPage(const std::string& path, int resolution);

}  // namespace paginor::testing
