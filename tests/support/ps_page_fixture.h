#pragma once

#include <gtest/gtest.h>

#include <string>

#include "paginor/ps.h"
#include "support/ps_reader.h"

namespace paginor::testing {

// A test that draws on a white A4 page with margins of 50 points, then reads the document back. The
// file is named after the test.
class PsPageTest : public ::testing::Test {
 protected:
  void SetUp() override;

  // Flushes the document, checks it with Ghostscript for pages pages and keeps its lines in File.
  const Lines& Finish(int pages = 1);
  // The lines page page (1-based) got from the test: after its set-up, before its footer.
  Lines Drawn(int page = 1) const;
  // The current position as a list that compares in one expectation.
  std::vector<int> Position() const;

  PS Ps;
  std::string Path;
  Lines File;
};

}  // namespace paginor::testing
