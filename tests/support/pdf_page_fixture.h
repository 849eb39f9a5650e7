#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "paginor/pdf.h"
#include "support/pdf_reader.h"

namespace paginor::testing {

// A test that draws on one white A4 page with zero margins, then reads the document back. The file
// is named after the test.
class PdfPageTest : public ::testing::Test {
 protected:
  void SetUp() override;

  // Flushes and checks the document (FlushAndCheck) and keeps it in File.
  const PdfFile& Finish();
  // The content streams that page page got from the test: all but its background and its footer.
  std::vector<Lines> Drawn(size_t page = 0);

  // The current position, the three bytes of a colour getter (such as &PDF::GetFillColor) and the
  // four font values, as lists that compare in one expectation.
  std::vector<int> Position() const;
  std::vector<int> Bytes(void (Document::*getter)(uint8_t&, uint8_t&, uint8_t&) const) const;
  std::vector<int> Font() const;

  PDF Pdf;
  std::string Path;
  PdfFile File{""};
};

}  // namespace paginor::testing
