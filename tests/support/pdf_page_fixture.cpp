#include "support/pdf_page_fixture.h"

#include "support/test_files.h"

namespace paginor::testing {

void PdfPageTest::SetUp() {
  Path = TempPath(std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".pdf");
  ASSERT_TRUE(Pdf.Create(Path));
  Pdf.NewPage(0, 0, 0, 0, 255, 255, 255);
}

const PdfFile& PdfPageTest::Finish() {
  File = FlushAndCheck(Pdf, Path);
  return File;
}

std::vector<Lines> PdfPageTest::Drawn(size_t page) {
  if (File.AllLines().empty()) Finish();
  std::vector<Lines> contents = File.PageContents(page);
  const size_t footer = Pdf.Footer().empty() ? 0 : 1;  // a test may do without the footer
  if (contents.size() < 1 + footer) return {};
  return std::vector<Lines>(contents.begin() + 1, contents.end() - static_cast<std::ptrdiff_t>(footer));
}

std::vector<int> PdfPageTest::Position() const {
  int16_t x = 0, y = 0;
  Pdf.GetPosition(x, y);
  return {x, y};
}

std::vector<int> PdfPageTest::Bytes(void (Document::*getter)(uint8_t&, uint8_t&, uint8_t&) const) const {
  uint8_t red = 0, green = 0, blue = 0;
  (Pdf.*getter)(red, green, blue);
  return {red, green, blue};
}

std::vector<int> PdfPageTest::Font() const {
  FontNumberConstants number{};
  uint8_t height = 0;
  FontStyleConstants style{};
  FontEffectConstants effect{};
  Pdf.GetFont(number, height, style, effect);
  return {static_cast<int>(number), height, static_cast<int>(style), static_cast<int>(effect)};
}

}  // namespace paginor::testing
