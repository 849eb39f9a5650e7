// Random sequences of every public operation with hostile arguments and texts (out-of-range values,
// parentheses, backslashes, "%%EOF", line breaks, brackets, characters beyond Windows-1252) give
// documents that the readers accept, in every format.
#include <gtest/gtest.h>

#include <random>

#include "support/document_driver.h"
#include "support/document_formats.h"
#include "support/test_files.h"

namespace paginor {
namespace {

const std::vector<std::string> HostileTexts = {
    "", "plain words that wrap over the width of a block of text and go on", "(", ")", ")(", "a(b", "\\",
    "\\(", "end\\", "%%EOF", "\r\n%%EOF\r\n", "%%Page: 1 1\n%%Trailer", "line\rbreak\nand\r\nmore", "[3 2]",
    "] 0 setdash showpage [", "3 2", "1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1", "-4 2", "1e9", "0 0", "%", "<</>>",
    "\u00e9\u00e8 \u20ac \u201cquoted\u201d", "\u4e2d\u6587 \U0001F600", std::string("nul\0byte", 8),
    "\xFF\xFE invalid \xC3", "endstream endobj startxref xref", "  two  blanks  ", "stroke grestore grestore"};

template <typename Format>
class HostileSequences : public ::testing::Test {};
TYPED_TEST_SUITE(HostileSequences, testing::DocumentFormats);

TYPED_TEST(HostileSequences, ReadersAcceptEveryDocument) {
  if (!TypeParam::ReadersInstalled()) GTEST_SKIP() << "the readers of " << TypeParam::Extension << " are missing";
  const std::string picture = testing::TempPath(std::string("hostile-picture") + TypeParam::Extension);
  for (uint32_t seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 random(seed);
    std::vector<uint8_t> bytes(3000);
    for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(random());
    testing::DriverInput input(bytes.data(), bytes.size(), &HostileTexts);
    const std::string path = testing::TempPath("hostile" + std::to_string(seed) + TypeParam::Extension);
    ASSERT_TRUE(testing::WriteDrivenDocument<typename TypeParam::Document>(input, path, picture));
    EXPECT_EQ(TypeParam::ReaderProblems(path), "");
  }
}

}  // namespace
}  // namespace paginor
