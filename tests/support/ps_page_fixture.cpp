#include "support/ps_page_fixture.h"

#include "support/pdf_reader.h"
#include "support/test_files.h"

namespace paginor::testing {

void PsPageTest::SetUp() {
  FixCreationDate();
  Path = TempPath(std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".ps");
  ASSERT_TRUE(Ps.Create(Path));
  Ps.NewPage(50, 50, 50, 50, 255, 255, 255);
}

const Lines& PsPageTest::Finish(int pages) {
  File = FlushAndRead(Ps, Path, pages);
  return File;
}

Lines PsPageTest::Drawn(int page) const {
  std::string number = " ";
  number += std::to_string(page);
  size_t start = 0;
  for (size_t index = 0; index < File.size(); ++index) {
    if (File[index].starts_with("%%Page: ") && File[index].ends_with(number)) {
      start = FindLine(File, "%%EndPageSetup", index) + 1;
      break;
    }
  }
  // The footer, unless a test does without it, is the eight lines of one text before "showpage".
  const size_t footer = Ps.Footer().empty() ? 0 : 8;
  const size_t end = FindLine(File, "showpage", start);
  return Slice(File, start, end >= start + footer ? end - footer - start : 0);
}

std::vector<int> PsPageTest::Position() const {
  int16_t x = 0, y = 0;
  Ps.GetPosition(x, y);
  return {x, y};
}

}  // namespace paginor::testing
