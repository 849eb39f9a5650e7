#pragma once

// The fonts module owns everything a document knows about its fonts: the catalogue of faces a text can
// be drawn in (a handle for each, its PostScript name, how its codes are encoded, its width table) and
// the measurement of texts in them. The layout chooses a face by handle and measures with it; the
// formats name the face and embed or select it from the same entry.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fonts/font_widths.h"
#include "paginor/enumerations.h"

namespace paginor {

// A face of the catalogue. Handles stay valid for the document's life; the fourteen standard fonts
// come first, in the order Courier, Helvetica and Times in the styles Regular, Bold, Italic and
// BoldItalic, then Symbol and ZapfDingbats.
struct FontHandle {
  uint16_t index = 0;
  friend bool operator==(FontHandle, FontHandle) = default;
};

struct FontFace {
  std::string postScriptName;
  // Widths of its one-byte codes; nullptr for a face that measures every code 0.
  const WidthTable* widths = nullptr;
  // Its codes are Windows-1252, drawn through a copy of the font re-encoded for them; otherwise the
  // codes are those of the font's own encoding.
  bool windows1252 = false;
  // Bytes per code in a text run: one for the standard fonts.
  uint8_t codeBytes = 1;
};

class FontCatalogue {
 public:
  // The handle of the fields before any font was set: a face without a name that measures nothing.
  static constexpr FontHandle Unset{UINT16_MAX};
  static constexpr size_t StandardCount = 14;

  // A catalogue of the fourteen standard fonts.
  FontCatalogue();

  // The standard font of a family in a style; Symbol and ZapfDingbats have one face whatever the
  // style. Unset for a family or style that is not one of the constants.
  FontHandle Standard(FontNumberConstants family, FontStyleConstants style) const;
  const FontFace& Face(FontHandle font) const;
  size_t Count() const { return Faces.size(); }

 private:
  std::vector<FontFace> Faces;
};

}  // namespace paginor
