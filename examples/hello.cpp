// Hello world: one page with a line of text. Usage: hello [output.pdf]
#include <paginor/paginor.h>

#include <cstdio>

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : "hello.pdf";

  paginor::PDF pdf;
  pdf.SetTitle("Hello");
  pdf.SetAuthor("Paginor examples");
  pdf.SetPaperSize(paginor::PaperSizeConstants::A4);
  if (!pdf.Create(path)) {
    std::fprintf(stderr, "cannot create %s\n", path);
    return 1;
  }

  // Margins of half an inch (36 points) on a white page; the position starts at their top-left corner.
  pdf.NewPage(36, 36, 36, 36, 255, 255, 255);
  pdf.SetFont(paginor::FontNumberConstants::Helvetica, 24, paginor::FontStyleConstants::Bold,
              paginor::FontEffectConstants::NoFontEffect);
  const bool written = pdf.WriteText("Hello, world", true);

  // Flush writes the whole document: check it, the file is incomplete otherwise.
  if (!pdf.Flush() || !written) {
    std::fprintf(stderr, "could not write %s\n", path);
    return 1;
  }
  std::printf("%s\n", path);
  return 0;
}
