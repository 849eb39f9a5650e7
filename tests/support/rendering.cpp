#include "support/rendering.h"

#include <limits>
#include <sstream>

#include "support/external_tools.h"
#include "support/test_files.h"

namespace paginor::testing {

GreyPage RenderFirstPage(const std::string& path, int resolution) {
  const std::string picture = path + ".pgm";
  const CommandResult render =
      RunCommand("gs -q -dNOPAUSE -dBATCH -dSAFER -dFirstPage=1 -dLastPage=1 -sDEVICE=pgmraw -r" +
                 std::to_string(resolution) + " -sOutputFile=" + Quoted(picture) + " " + Quoted(path));
  if (render.status != 0) return {};
  // A binary grey map: "P5", width, height and the largest value, with comment lines between them, then
  // one blank and the pixels.
  std::istringstream content(ReadFile(picture));
  auto number = [&content] {
    int value = 0;
    while ((content >> std::ws).peek() == '#') content.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    content >> value;
    return value;
  };
  std::string magic;
  content >> magic;
  GreyPage page;
  page.Width = number();
  page.Height = number();
  const int largest = number();
  content.get();
  if (magic != "P5" || largest != 255 || page.Width <= 0 || page.Height <= 0) return {};
  page.Pixels.resize(static_cast<size_t>(page.Width) * static_cast<size_t>(page.Height));
  content.read(reinterpret_cast<char*>(page.Pixels.data()), static_cast<std::streamsize>(page.Pixels.size()));
  if (content.gcount() != static_cast<std::streamsize>(page.Pixels.size())) return {};
  return page;
}

}  // namespace paginor::testing
