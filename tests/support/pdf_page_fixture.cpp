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

}  // namespace paginor::testing
