// The standard report written with cairo, the comparison for report_program: the same pages (A4, the
// page colour, a centred bold heading, 40 lines of text, five figures in the same places and colours, the footer) in
// the font family given (Helvetica when none), through cairo's PDF or PostScript surface.
//   cairo_report pdf|ps PAGES FILE [FAMILY]
// Exits 0 when cairo finished the document without an error.
#include <cairo-pdf.h>
#include <cairo-ps.h>
#include <cairo.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>

#include "report_text.h"

namespace {

constexpr double PageWidth = 595, PageHeight = 842, Margin = 36;

void SetRgb(cairo_t* cr, int red, int green, int blue) {
  cairo_set_source_rgb(cr, red / 255.0, green / 255.0, blue / 255.0);
}

// Fills the current path in the fill colour and strokes it in the line colour.
void FillAndStroke(cairo_t* cr) {
  SetRgb(cr, 255, 204, 0);
  cairo_fill_preserve(cr);
  SetRgb(cr, 0, 128, 0);
  cairo_stroke(cr);
}

void WritePage(cairo_t* cr, const char* family, int page, std::string& line) {
  SetRgb(cr, 255, 255, 230);
  cairo_paint(cr);
  // The heading: its line's top at the top margin, centred between the margins.
  cairo_select_font_face(cr, family, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, 16);
  paginor::bench::ReportHeading(line, page);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, line.c_str(), &extents);
  SetRgb(cr, 0, 0, 0);
  cairo_move_to(cr, (PageWidth - extents.x_advance) / 2, Margin + 16);
  cairo_show_text(cr, line.c_str());
  // The lines: 10 points high, 2 points apart, below the heading and its 8 points.
  cairo_select_font_face(cr, family, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 10);
  double top = Margin + 16 + 8;
  for (int index = 1; index <= 40; ++index, top += 12) {
    paginor::bench::ReportLine(line, index, page);
    cairo_move_to(cr, Margin, top + 10);
    cairo_show_text(cr, line.c_str());
  }
  // The figures, in the report's coordinates (origin at the top-left corner inside the margins).
  cairo_save(cr);
  cairo_translate(cr, Margin, Margin);
  cairo_set_line_width(cr, 2);
  SetRgb(cr, 0, 128, 0);
  cairo_move_to(cr, 10, 560);
  cairo_line_to(cr, 510, 580);
  cairo_stroke(cr);
  cairo_rectangle(cr, 10, 600, 150, 60);
  FillAndStroke(cr);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 244, 630, 35, 0, 2 * M_PI);
  FillAndStroke(cr);
  cairo_save(cr);
  cairo_translate(cr, 364, 630);
  cairo_scale(cr, 60, 20);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
  FillAndStroke(cr);
  // The slice from 0 to 120 degrees, counter-clockwise on the page.
  cairo_move_to(cr, 464, 630);
  cairo_arc_negative(cr, 464, 630, 40, 0, -120 * M_PI / 180);
  cairo_close_path(cr);
  FillAndStroke(cr);
  cairo_restore(cr);
  // The footer: centred in the band of 12 points above the bottom margin, in the text's font.
  static const char* const footer = "Paginor (c) 2026 The Paginor developers";
  cairo_text_extents(cr, footer, &extents);
  SetRgb(cr, 0, 0, 0);
  cairo_move_to(cr, (PageWidth - extents.x_advance) / 2, PageHeight - Margin - 12 + 9);
  cairo_show_text(cr, footer);
  cairo_show_page(cr);
}

}  // namespace

int main(int argc, char** argv) {
  int pages = 0;
  const std::string_view count = argc >= 4 ? argv[2] : "";
  const auto parsed = std::from_chars(count.data(), count.data() + count.size(), pages);
  const std::string_view format = argc >= 4 ? argv[1] : "";
  if (argc > 5 || parsed.ec != std::errc() || parsed.ptr != count.data() + count.size() || pages < 0 ||
      (format != "pdf" && format != "ps")) {
    std::fprintf(stderr, "usage: cairo_report pdf|ps PAGES FILE [FAMILY]\n");
    return 2;
  }
  const char* family = argc == 5 ? argv[4] : "Helvetica";
  cairo_surface_t* surface = format == "pdf" ? cairo_pdf_surface_create(argv[3], PageWidth, PageHeight)
                                             : cairo_ps_surface_create(argv[3], PageWidth, PageHeight);
  cairo_t* cr = cairo_create(surface);
  std::string line;
  for (int page = 1; page <= pages; ++page) WritePage(cr, family, page, line);
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  const cairo_status_t status = cairo_surface_status(surface);
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "cairo_report: %s\n", cairo_status_to_string(status));
    return 1;
  }
  return 0;
}
