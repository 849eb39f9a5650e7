#include "support/rendering.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <utility>

#include "support/external_tools.h"
#include "support/test_files.h"

namespace paginor::testing {

namespace {

// The next number of a PPM header, past blanks and "#" comments; -1 when there is none.
int HeaderNumber(std::istream& stream) {
  while (stream) {
    const int next = stream.peek();
    if (next == '#') {
      std::string comment;
      std::getline(stream, comment);
    } else if (next == ' ' || next == '\t' || next == '\r' || next == '\n') {
      stream.get();
    } else {
      break;
    }
  }
  int number = -1;
  if (!(stream >> number)) return -1;
  return number;
}

// A binary PPM ("P6", maximum value 255); an empty raster for anything else.
Raster ReadPpm(const std::string& content) {
  std::istringstream stream(content);
  std::string magic(2, ' ');
  stream.read(magic.data(), 2);
  const int width = HeaderNumber(stream), height = HeaderNumber(stream), maximum = HeaderNumber(stream);
  if (magic != "P6" || maximum != 255 || width <= 0 || height <= 0) return {};
  stream.get();  // the single white-space character before the samples
  Raster raster;
  raster.width = width;
  raster.height = height;
  raster.rgb.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
  stream.read(reinterpret_cast<char*>(raster.rgb.data()), static_cast<std::streamsize>(raster.rgb.size()));
  if (!stream) return {};
  return raster;
}

}  // namespace

// The pages a renderer wrote as prefix + the page number (1-based, in digits digits) + ".ppm", read and
// removed; none when the renderer failed.
std::vector<Raster> CollectPages(const std::string& prefix, const CommandResult& render, int digits) {
  std::vector<Raster> pages;
  for (int page = 1;; ++page) {
    char name[32];
    std::snprintf(name, sizeof name, "%0*d.ppm", digits, page);
    const std::string file = prefix + name;
    if (!std::filesystem::exists(file)) break;
    pages.push_back(ReadPpm(ReadFile(file)));
    std::filesystem::remove(file);
  }
  if (render.status != 0) pages.clear();
  return pages;
}

std::vector<Raster> RenderPages(const std::string& path, const std::string& options) {
  const std::string pattern = path + ".page%04d.ppm";
  const CommandResult render =
      RunCommand("gs -q -dNOPAUSE -dBATCH -dSAFER -dNOINTERPOLATE -dTextAlphaBits=1 -dGraphicsAlphaBits=1 -r72 "
                 "-sDEVICE=ppmraw " + options + " -sOutputFile='" + pattern + "' '" + path + "'");
  return CollectPages(path + ".page", render, 4);
}

std::vector<Raster> RenderPagesWithPoppler(const std::string& path, int width, int height) {
  constexpr int Scale = 4;
  // pdftoppm numbers its pages with as many digits as the last page number has.
  const CommandResult count = RunCommand("pdfinfo " + Quoted(path) + " | sed -n 's/^Pages: *//p'");
  const int digits = static_cast<int>(std::to_string(std::atoi(count.output.c_str())).size());
  const CommandResult render =
      RunCommand("pdftoppm -r " + std::to_string(72 * Scale) + " -aa no -aaVector no -x 0 -y 0 -W " +
                 std::to_string(width * Scale) + " -H " + std::to_string(height * Scale) + " " + Quoted(path) +
                 " " + Quoted(path + ".page"));
  std::vector<Raster> pages = CollectPages(path + ".page-", render, digits);
  for (Raster& page : pages) {
    Raster points;
    points.width = page.width / Scale;
    points.height = page.height / Scale;
    for (int y = 0; y < points.height; ++y) {
      for (int x = 0; x < points.width; ++x) {
        const auto centre = page.At(x * Scale + Scale / 2, y * Scale + Scale / 2);
        points.rgb.insert(points.rgb.end(), centre.begin(), centre.end());
      }
    }
    page = std::move(points);
  }
  return pages;
}

}  // namespace paginor::testing
