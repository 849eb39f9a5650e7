#pragma once

#include <string>
#include <vector>

namespace paginor::testing {

// A word as pdftotext -bbox reports it: its text and its box in points, from the page's top-left corner.
struct WordBox {
  std::string text;
  double left = 0, top = 0, right = 0, bottom = 0;
};
using TextLine = std::vector<WordBox>;

// The words pdftotext finds on one page (1-based) of a PDF file, in its reading order; empty when
// pdftotext is missing (HasTool decides whether that fails the test).
std::vector<WordBox> WordBoxes(const std::string& path, int page);

// The words grouped into lines (tops within a point of each other), top to bottom, each line left to
// right.
std::vector<TextLine> TextLines(std::vector<WordBox> words);

// The text Ghostscript's txtwrite device finds in a PostScript or PDF file, every page; empty when
// Ghostscript is missing.
std::string GhostscriptText(const std::string& path);

// Converts a PostScript file to PDF with ps2pdf; false when that fails or ps2pdf is missing.
bool ConvertToPdf(const std::string& pspath, const std::string& pdfpath);

}  // namespace paginor::testing
