#pragma once

#include <array>

namespace paginor {

// The glyph name the standard text fonts draw for each Windows-1252 code, nullptr where the code page
// defines no character (the control codes and five codes above 127). The no-break space and the soft
// hyphen are drawn as the space and the hyphen.
extern const std::array<const char*, 256> Windows1252GlyphNames;

}  // namespace paginor
