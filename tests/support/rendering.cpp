#include "support/rendering.h"

#include <filesystem>
#include <sstream>

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

std::vector<Raster> RenderPages(const std::string& path, const std::string& options) {
  const std::string pattern = path + ".page%04d.ppm";
  const CommandResult render =
      RunCommand("gs -q -dNOPAUSE -dBATCH -dSAFER -dNOINTERPOLATE -dTextAlphaBits=1 -dGraphicsAlphaBits=1 -r72 "
                 "-sDEVICE=ppmraw " + options + " -sOutputFile='" + pattern + "' '" + path + "'");
  std::vector<Raster> pages;
  for (int page = 1;; ++page) {
    char name[32];
    std::snprintf(name, sizeof name, ".page%04d.ppm", page);
    const std::string file = path + name;
    if (!std::filesystem::exists(file)) break;
    pages.push_back(ReadPpm(ReadFile(file)));
    std::filesystem::remove(file);
  }
  if (render.status != 0) pages.clear();
  return pages;
}

}  // namespace paginor::testing
