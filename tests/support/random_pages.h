#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "paginor/document.h"

namespace paginor::testing {

// What DrawRandomPages adds to every page when it is given: a linked title, a paragraph, a linked
// text and a linked picture of the list (when it is not empty), in random alignments, bullets and
// encodings. For comparing two writings of one format; links exist only in PDF.
struct RandomExtras {
  std::vector<std::string> pictures;
};

// Three random pages of every figure, with reversed, negative and large arc angles and dashed lines of
// every length from 200 to 215 points among them, and texts with effects; filled figures only (a
// hollow one is white inside in PDF and empty in PostScript, as documented). The same seed draws the
// same pages.
void DrawRandomPages(Document& document, uint32_t seed, const RandomExtras* extras = nullptr);

}  // namespace paginor::testing
