#pragma once

#include <cstdint>
#include <string>

#include "paginor/enumerations.h"

namespace paginor {

// Whether a paper size is one of the constants.
bool IsPaperSize(PaperSizeConstants papersize);

// Page size and media name of a paper size, exchanged for landscape. An unknown paper size leaves the
// arguments as passed (the exchange still applies); orientations other than Landscape are portrait.
void PaperDimensions(PaperSizeConstants papersize, OrientationConstants orientation, int16_t& width,
                     int16_t& height, std::string& medianame);

}  // namespace paginor
