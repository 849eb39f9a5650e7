#pragma once

#include <memory>

#include "fonts/font_catalogue.h"
#include "format/format_writer.h"
#include "layout/page_layout.h"
#include "output/document_output.h"
#include "paginor/document.h"

namespace paginor {

// What a public document holds: its output, its font catalogue, its format and the layout that drives
// them. The format class (PDF, PS) chooses the format with Make. Hidden: as a member of the exported
// Document it would otherwise be exported with it.
struct [[gnu::visibility("hidden")]] Document::Body {
  template <typename Format>
  static std::unique_ptr<Body> Make() {
    return std::make_unique<Body>([](DocumentOutput& output, const FontCatalogue& fonts) -> std::unique_ptr<FormatWriter> {
      return std::make_unique<Format>(output, fonts);
    });
  }

  using FormatMaker = std::unique_ptr<FormatWriter> (*)(DocumentOutput& output, const FontCatalogue& fonts);
  explicit Body(FormatMaker make) : Format(make(Output, Fonts)), Layout(Output, Fonts, *Format) {}

  DocumentOutput Output;
  FontCatalogue Fonts;
  std::unique_ptr<FormatWriter> Format;
  PageLayout Layout;
};

}  // namespace paginor
