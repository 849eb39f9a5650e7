// Drives a PostScript document with arbitrary operations, arguments, texts and picture files, texts in
// installed OpenType families too (their subsets, glyph names and resources written at Flush, footers
// naming the page count shaped then): whatever the caller passes, no operation may crash, read or write
// out of bounds, or throw, and every document must be written.
#include <unistd.h>

#include <cstdlib>

#include "support/document_driver.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/paginor-fuzz-" + std::to_string(::getpid()) + ".ps";
  static const std::string picture = "/tmp/paginor-fuzz-" + std::to_string(::getpid()) + ".ps-picture";
  paginor::testing::DriverInput input(data, size);
  if (!paginor::testing::WriteDrivenDocument<paginor::PS>(input, path, picture)) std::abort();
  return 0;
}
