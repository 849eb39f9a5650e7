#pragma once

// The fonts module owns everything a document knows about its fonts: the catalogue of faces a text can
// be drawn in (a handle for each, its PostScript name, how its codes are encoded, its width table) and
// the measurement of texts in them. The layout chooses a face by handle and measures with it; the
// formats name the face and embed or select it from the same entry.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fonts/font_widths.h"
#include "paginor/enumerations.h"
#include "typeset/shaped_glyph.h"

namespace paginor {

namespace typeset {
class DocumentFonts;
}

// A face of the catalogue. Handles stay valid for the document's life; the fourteen standard fonts
// come first, in the order Courier, Helvetica and Times in the styles Regular, Bold, Italic and
// BoldItalic, then Symbol and ZapfDingbats; OpenType and TrueType faces follow as the document chooses
// them.
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
  // Bytes per code in a text run: one for the standard fonts, two (glyph numbers) for OpenType faces.
  uint8_t codeBytes = 1;
  // An OpenType or TrueType face with its style (no face for the standard fonts). Its texts are shaped
  // (typeset/shaping.h) and drawn as glyphs, which may come from fallback faces too.
  typeset::ChosenFace openType;
};

class FontCatalogue {
 public:
  // The handle of the fields before any font was set: a face without a name that measures nothing.
  static constexpr FontHandle Unset{UINT16_MAX};
  static constexpr size_t StandardCount = 14;

  // A catalogue of the fourteen standard fonts.
  FontCatalogue();
  ~FontCatalogue();
  FontCatalogue(const FontCatalogue&) = delete;
  FontCatalogue& operator=(const FontCatalogue&) = delete;

  // The standard font of a family in a style; Symbol and ZapfDingbats have one face whatever the
  // style. Unset for a family or style that is not one of the constants.
  FontHandle Standard(FontNumberConstants family, FontStyleConstants style) const;
  const FontFace& Face(FontHandle font) const;
  size_t Count() const { return Faces.size(); }

  // The entry of an OpenType face in a style, added the first time it is asked for. Unset when the
  // family (a name or a font file's path) is not found or its face is not usable.
  FontHandle OpenType(const std::string& family, FontStyleConstants style);
  // The document's OpenType fonts: their faces, the shaping of texts in them and the glyphs drawn, for
  // measurement and for the formats that embed them. Shaping caches its work, so even a reader of the
  // catalogue may shape.
  typeset::DocumentFonts& Typeset() const { return *TypesetFonts; }

 private:
  std::vector<FontFace> Faces;
  std::unique_ptr<typeset::DocumentFonts> TypesetFonts;
};

}  // namespace paginor
