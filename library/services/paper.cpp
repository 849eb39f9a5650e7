#include "services/paper.h"

#include <utility>

namespace paginor {
namespace {

struct Paper {
  PaperSizeConstants size;
  int16_t width;
  int16_t height;
  const char* name;
};

// Portrait dimensions in points. Ledger is the Tabloid sheet turned, so it is listed wider than high.
constexpr Paper PaperTable[] = {
    {PaperSizeConstants::Letter, 612, 792, "Letter"},       {PaperSizeConstants::Tabloid, 792, 1224, "Tabloid"},
    {PaperSizeConstants::Ledger, 1224, 792, "Ledger"},      {PaperSizeConstants::Legal, 612, 1008, "Legal"},
    {PaperSizeConstants::Executive, 522, 756, "Executive"}, {PaperSizeConstants::A3, 842, 1191, "A3"},
    {PaperSizeConstants::A4, 595, 842, "A4"},               {PaperSizeConstants::A5, 420, 595, "A5"},
    {PaperSizeConstants::Folio, 595, 935, "Folio"},
};

}  // namespace

bool IsPaperSize(PaperSizeConstants papersize) {
  for (const Paper& paper : PaperTable) {
    if (paper.size == papersize) return true;
  }
  return false;
}

void PaperDimensions(PaperSizeConstants papersize, OrientationConstants orientation, int16_t& width,
                     int16_t& height, std::string& medianame) {
  for (const Paper& paper : PaperTable) {
    if (paper.size == papersize) {
      width = paper.width;
      height = paper.height;
      medianame = paper.name;
      break;
    }
  }
  if (orientation == OrientationConstants::Landscape) std::swap(width, height);
}

}  // namespace paginor
