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
  if (contents.size() < 2) return {};
  return std::vector<Lines>(contents.begin() + 1, contents.end() - 1);
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
