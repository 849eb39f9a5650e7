// Placeholder until the stream encoders land: every encoding yields nothing.
#include "services/enumerations.h"

namespace paginor {

std::vector<uint8_t> Enumerations::EncodeData(std::span<const uint8_t>, int32_t) const { return {}; }

}  // namespace paginor
