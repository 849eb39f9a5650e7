#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "paginor/pdf.h"
#include "paginor/ps.h"

namespace paginor::testing {

// What a test written once for every document format needs to know of a format: its class, its file
// name extension, and what real readers make of a written file. A typed test runs on DocumentFormats;
// another format joins by adding a struct of the same shape to that list.
struct PdfFormat {
  using Document = PDF;
  static constexpr const char* Extension = ".pdf";

  // True when the readers below are installed (under CI their absence is a failure).
  static bool ReadersInstalled();
  // What the readers say against the file; empty when they accept it.
  static std::string ReaderProblems(const std::string& path);
  // The words a reader finds in the file, in the order they were written.
  static std::vector<std::string> Words(const std::string& path);
  static size_t Pages(const std::string& path);
};

struct PsFormat {
  using Document = PS;
  static constexpr const char* Extension = ".ps";

  static bool ReadersInstalled();
  static std::string ReaderProblems(const std::string& path);
  static std::vector<std::string> Words(const std::string& path);
  static size_t Pages(const std::string& path);
};

using DocumentFormats = ::testing::Types<PdfFormat, PsFormat>;

}  // namespace paginor::testing
