#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace paginor::testing {

// One rendered page: width by height pixels of red, green, blue, top row first.
struct Raster {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;

  std::array<uint8_t, 3> At(int x, int y) const {
    const size_t at = (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
    return {rgb[at], rgb[at + 1], rgb[at + 2]};
  }
};

// Renders every page of a PDF or PostScript file with Ghostscript at 72 dots per inch, so that one
// point is one pixel, without anti-aliasing or image interpolation; options go to Ghostscript as they are
// (PostScript files name no page size: "-dDEVICEWIDTHPOINTS=595 -dDEVICEHEIGHTPOINTS=842 -dFIXEDMEDIA").
// Empty when Ghostscript fails; the caller checks HasTool("gs") first.
std::vector<Raster> RenderPages(const std::string& path, const std::string& options = "");

// Renders the top-left width by height points of every page of a PDF file with pdftoppm, without
// anti-aliasing, one pixel a point. pdftoppm rounds the edges of pictures outwards by a device pixel,
// so it renders at four pixels a point and each point takes the pixel at the centre of its four by
// four. Empty when pdftoppm fails; the caller checks HasTool("pdftoppm") first.
std::vector<Raster> RenderPagesWithPoppler(const std::string& path, int width, int height);

}  // namespace paginor::testing
