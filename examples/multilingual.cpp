// Text in many languages: each line in an installed font that fits its script, shaped (ligatures,
// joined Arabic, Devanagari clusters), right-to-left lines in their order, a paragraph of Chinese
// wrapped between its characters, and a font without Chinese that borrows it from one that has it.
// The fonts used are embedded as subsets. Usage: multilingual [output.pdf | output.ps]; a path ending in
// ".ps" gives the same document in PostScript, every glyph where the PDF has it.
#include <paginor/paginor.h>

#include <cstdio>
#include <string>

namespace {

struct Line {
  const char* family;
  const char* text;
};

}  // namespace

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : "multilingual.pdf";

  const std::string name = path;
  const bool postScript = name.size() > 3 && name.compare(name.size() - 3, 3, ".ps") == 0;
  paginor::PDF asPdf;
  paginor::PS asPs;
  paginor::Document& document = postScript ? static_cast<paginor::Document&>(asPs) : asPdf;
  document.SetTitle("Many languages");
  document.SetAuthor("Paginor examples");
  if (!document.Create(path)) {
    std::fprintf(stderr, "cannot create %s\n", path);
    return 1;
  }
  document.NewPage(54, 54, 54, 54, 255, 255, 255);

  // A family name is looked up among the installed fonts; a path to a .ttf, .otf or .ttc file works too.
  bool written = document.SetFont("DejaVu Serif", 20, paginor::FontStyleConstants::Bold);
  written = document.WriteText("Many languages, one document", true, 10, paginor::AlignmentConstants::Center) && written;

  const Line lines[] = {
      {"DejaVu Serif", "Latin: office affluent, cr\xC3\xA8me br\xC3\xBBl\xC3\xA9" "e"},
      {"DejaVu Sans", "Greek: \xCE\x9A\xCE\xB1\xCE\xBB\xCE\xB7\xCE\xBC\xCE\xAD\xCF\x81\xCE\xB1 \xCE\xBA\xCF\x8C\xCF\x83\xCE\xBC\xCE\xB5"},
      {"DejaVu Sans", "Cyrillic: \xD0\x94\xD0\xBE\xD0\xB1\xD1\x80\xD1\x8B\xD0\xB9 \xD0\xB4\xD0\xB5\xD0\xBD\xD1\x8C"},
      {"Noto Sans Hebrew", "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D \xD7\xA2\xD7\x95\xD7\x9C\xD7\x9D"},
      {"Noto Sans Arabic", "\xD9\x85\xD8\xB1\xD8\xAD\xD8\xA8\xD8\xA7 \xD8\xA8\xD8\xA7\xD9\x84\xD8\xB9\xD8\xA7\xD9\x84\xD9\x85"},
      {"Noto Sans Devanagari", "\xE0\xA4\xA8\xE0\xA4\xAE\xE0\xA4\xB8\xE0\xA5\x8D\xE0\xA4\xA4\xE0\xA5\x87 \xE0\xA4\xA6\xE0\xA5\x81\xE0\xA4\xA8\xE0\xA4\xBF\xE0\xA4\xAF\xE0\xA4\xBE"},
      {"Noto Sans Thai", "\xE0\xB8\xAA\xE0\xB8\xA7\xE0\xB8\xB1\xE0\xB8\xAA\xE0\xB8\x94\xE0\xB8\xB5\xE0\xB8\x8A\xE0\xB8\xB2\xE0\xB8\xA7\xE0\xB9\x82\xE0\xB8\xA5\xE0\xB8\x81"},
      {"WenQuanYi Micro Hei", "\xE4\xBD\xA0\xE5\xA5\xBD\xEF\xBC\x8C\xE4\xB8\x96\xE7\x95\x8C"},
      {"WenQuanYi Micro Hei", "\xE3\x81\x93\xE3\x82\x93\xE3\x81\xAB\xE3\x81\xA1\xE3\x81\xAF\xE4\xB8\x96\xE7\x95\x8C"},
      {"DejaVu Sans", "Mixed: the word \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D means peace"},
      {"DejaVu Sans", "Fallback: DejaVu Sans has no \xE4\xB8\xAD\xE6\x96\x87, another font draws it"},
  };
  for (const Line& line : lines) {
    written = document.SetFont(line.family, 14) && written;
    written = document.WriteText(line.text, true, 6) && written;
  }

  // A paragraph of Chinese wraps between characters, never before a closing mark.
  written = document.SetFont("WenQuanYi Micro Hei", 12) && written;
  std::string chinese;
  for (int n = 0; n < 6; ++n) {
    chinese += "\xE8\xBF\x99\xE6\x98\xAF\xE4\xB8\x80\xE6\xAE\xB5\xE4\xB8\xAD\xE6\x96\x87\xE6\x96\x87\xE5\xAD\x97"
               "\xEF\xBC\x8C\xE5\xAE\x83\xE5\x9C\xA8\xE5\xAD\x97\xE4\xB8\x8E\xE5\xAD\x97\xE4\xB9\x8B\xE9\x97\xB4"
               "\xE6\x8D\xA2\xE8\xA1\x8C\xE3\x80\x82";
  }
  written = document.WriteMultiText(chinese, 4, paginor::AlignmentConstants::NoAlignment, true) && written;

  if (!document.Flush() || !written) {
    std::fprintf(stderr, "could not write %s\n", path);
    return 1;
  }
  std::printf("%s\n", path);
  return 0;
}
