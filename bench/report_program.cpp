// The standard report as a whole program, for measuring with /usr/bin/time against other programs
// writing the same number of bytes: report_program [--compact] pdf|ps PAGES FILE [FAMILY], the text in
// Helvetica or in the OpenType family given. Exits 0 when the document reached the file.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

#include "paginor/pdf.h"
#include "paginor/ps.h"
#include "standard_report.h"

int main(int argc, char** argv) {
  using namespace paginor;
  const bool compact = argc > 1 && std::string_view(argv[1]) == "--compact";
  if (compact) {
    --argc;
    ++argv;
  }
  int pages = 0;
  const bool arguments = argc == 4 || argc == 5;
  const std::string_view count = arguments ? argv[2] : "";
  const auto parsed = std::from_chars(count.data(), count.data() + count.size(), pages);
  const std::string_view format = arguments ? argv[1] : "";
  if (parsed.ec != std::errc() || parsed.ptr != count.data() + count.size() || pages < 0 ||
      (format != "pdf" && format != "ps")) {
    std::fprintf(stderr, "usage: report_program [--compact] pdf|ps PAGES FILE [FAMILY]\n");
    return 2;
  }
  std::unique_ptr<Document> document;
  if (format == "pdf") {
    document = std::make_unique<PDF>();
  } else {
    document = std::make_unique<PS>();
  }
  document->SetCompact(compact);
  if (!document->Create(argv[3])) {
    std::fprintf(stderr, "report_program: cannot create %s\n", argv[3]);
    return 1;
  }
  const std::string family = argc == 5 ? argv[4] : "";
  for (int page = 1; page <= pages; ++page) bench::WriteReportPage(*document, page, {}, family);
  if (!document->Flush()) {
    std::fprintf(stderr, "report_program: the document did not reach %s\n", argv[3]);
    return 1;
  }
  return 0;
}
