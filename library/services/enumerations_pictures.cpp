// Placeholder until picture loading lands: no file loads.
#include "services/enumerations.h"

namespace paginor {

bool Enumerations::LoadImage(const std::string&, PictureDescription&) const { return false; }

}  // namespace paginor
