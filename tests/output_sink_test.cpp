// Output to the caller: the same document written to a file, handed to a function block by block, and
// collected in memory is the same to the byte, in both formats; a function that refuses the bytes makes
// Flush fail with its reason.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/document_formats.h"
#include "support/pdf_reader.h"
#include "support/picture_writers.h"
#include "support/test_files.h"

namespace paginor {
namespace {

using testing::TempPath;

template <typename Format>
class OutputSinks : public ::testing::Test {
 public:
  using Document = typename Format::Document;

  // Pages of text, figures and a picture: enough pages to pass several output blocks.
  static void Draw(Document& document, int pages) {
    for (int page = 1; page <= pages; ++page) {
      document.NewPage(36, 36, 36, 36, 255, 255, 230);
      for (int line = 0; line < 60; ++line) {
        document.WriteText("Page " + std::to_string(page) + ", line " + std::to_string(line) + " of the report",
                           true, 2);
      }
      document.DrawCircle(200, 600, 40);
      static_cast<paginor::Document&>(document).DrawPicture(Logo(), AlignmentConstants::Center,
                                                            EncodingConstants::Flate);
    }
  }

  static const std::string& Logo() {
    static const std::string path = [] {
      testing::GifPicture logo;
      logo.screenWidth = logo.width = 40;
      logo.screenHeight = logo.height = 20;
      logo.globalColours = {{200, 0, 0}, {0, 0, 200}};
      for (int pixel = 0; pixel < 800; ++pixel) logo.indices.push_back(static_cast<uint8_t>(pixel % 7 == 0));
      const std::string file = TempPath("logo.gif");
      EXPECT_TRUE(testing::WriteGif(file, logo));
      return file;
    }();
    return path;
  }

  static std::string ToFile(int pages) {
    Document document;
    const std::string path = TempPath("sink-file" + std::string(Format::Extension));
    EXPECT_TRUE(document.Create(path));
    Draw(document, pages);
    EXPECT_TRUE(document.Flush());
    return testing::ReadFile(path);
  }
};
TYPED_TEST_SUITE(OutputSinks, testing::DocumentFormats);

TYPED_TEST(OutputSinks, FunctionAndMemoryGiveTheFileByteForByte) {
  testing::FixCreationDate();
  for (const int pages : {0, 1, 150}) {
    const std::string file = this->ToFile(pages);

    typename TypeParam::Document streamed;
    std::string blocks;
    size_t count = 0;
    ASSERT_TRUE(streamed.Create([&](std::string_view bytes) {
      blocks.append(bytes);
      ++count;
      return true;
    }));
    this->Draw(streamed, pages);
    EXPECT_TRUE(streamed.Flush());
    EXPECT_EQ(streamed.LastFailure(), FailureConstants::NoFailure);
    EXPECT_TRUE(blocks == file) << pages << " pages";
    if (pages == 150) {
      EXPECT_GT(count, 1u);  // in blocks, not in one piece
    }
    EXPECT_EQ(streamed.TakeOutput(), "");    // only a document collected in memory is handed over

    typename TypeParam::Document collected;
    ASSERT_TRUE(collected.CreateInMemory());
    this->Draw(collected, pages);
    EXPECT_EQ(collected.TakeOutput(), "");  // not before Flush
    EXPECT_TRUE(collected.Flush());
    const std::string memory = collected.TakeOutput();
    EXPECT_TRUE(memory == file) << pages << " pages";
    EXPECT_EQ(collected.TakeOutput(), "");  // handed over once
  }
}

TYPED_TEST(OutputSinks, RefusingFunctionAbortsTheDocument) {
  for (const int pages : {1, 150}) {
    typename TypeParam::Document document;
    size_t calls = 0;
    ASSERT_TRUE(document.Create([&](std::string_view) {
      ++calls;
      return false;
    }));
    this->Draw(document, pages);
    EXPECT_FALSE(document.Flush());
    EXPECT_EQ(document.LastFailure(), FailureConstants::OutputAborted);
    EXPECT_EQ(document.LastFailureMessage(), "Flush: the output function refused the document's bytes");
    EXPECT_EQ(calls, 1u);  // nothing more is offered after a refusal
  }
  // A function that throws refuses as well, and nothing escapes.
  typename TypeParam::Document throwing;
  ASSERT_TRUE(throwing.Create([](std::string_view) -> bool { throw 1; }));
  EXPECT_FALSE(throwing.Flush());
  EXPECT_EQ(throwing.LastFailure(), FailureConstants::OutputAborted);
}

TYPED_TEST(OutputSinks, MemoryOfAFailedOrReplacedDocumentIsNotHandedOver) {
  typename TypeParam::Document document;
  ASSERT_TRUE(document.CreateInMemory());
  ASSERT_TRUE(document.Flush());
  // A new document forgets what the previous one collected.
  ASSERT_TRUE(document.Create(TempPath("replaced" + std::string(TypeParam::Extension))));
  EXPECT_EQ(document.TakeOutput(), "");
}

// A function that calls back into its own document is refused, never obeyed: the document it is being
// handed goes on untouched, byte for byte, and each refused call says why while the function runs.
TYPED_TEST(OutputSinks, CallsFromInsideTheFunctionAreRefused) {
  testing::FixCreationDate();
  const std::string file = this->ToFile(150);
  using Document = typename TypeParam::Document;
  Document document;
  std::string blocks;
  std::vector<std::string> refusals;
  ASSERT_TRUE(document.Create([&](std::string_view bytes) {
    blocks.append(bytes);
    if (!refusals.empty()) return true;
    const auto refused = [&](bool result) {
      if (document.LastFailure() == FailureConstants::CalledFromOutput) refusals.push_back(document.LastFailureMessage());
      return !result;
    };
    EXPECT_TRUE(refused(document.Flush()));
    EXPECT_TRUE(refused(document.WriteText("inside")));
    EXPECT_TRUE(refused(document.DrawLine(0, 0, 5, 5)));
    EXPECT_TRUE(refused(document.Create(TempPath("inside" + std::string(TypeParam::Extension)))));
    EXPECT_TRUE(refused(document.CreateInMemory()));
    // Calls without a result do nothing: the operation running reads the state it started with.
    document.NewPage(0, 0, 0, 0, 0, 0, 0);
    document.SetDash(std::string(8, '1').append(" 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16"));
    document.SetFooter(std::string(100, 'x'));
    document.SetFont(FontNumberConstants::Times, 30, FontStyleConstants::Bold, FontEffectConstants::Underline);
    document = Document();
    return true;
  }));
  this->Draw(document, 150);
  EXPECT_TRUE(document.Flush());
  EXPECT_EQ(document.LastFailure(), FailureConstants::NoFailure);
  EXPECT_TRUE(blocks == file);
  EXPECT_EQ(refusals, (std::vector<std::string>{
                          "Flush: called from inside the document's own output function",
                          "WriteText: called from inside the document's own output function",
                          "DrawLine: called from inside the document's own output function",
                          "Create: called from inside the document's own output function",
                          "CreateInMemory: called from inside the document's own output function"}));
}

// A Create that cannot open its output leaves everything as it was: the finished document collected in
// memory is still there to take, and a document being written stays open and writable.
TYPED_TEST(OutputSinks, RefusedCreateLeavesTheDocumentAsItWas) {
  const std::string extension = TypeParam::Extension;
  const std::string missing = TempPath("no such folder") + "/x" + extension;
  typename TypeParam::Document document;
  ASSERT_TRUE(document.CreateInMemory());
  document.NewPage(36, 36, 36, 36, 255, 255, 255);
  ASSERT_TRUE(document.WriteText("finished"));
  ASSERT_TRUE(document.Flush());
  EXPECT_FALSE(document.Create(missing));
  EXPECT_FALSE(document.Create(OutputFunction()));
  EXPECT_NE(document.TakeOutput().find("(finished)"), std::string::npos);

  const std::string path = TempPath("kept" + extension);
  ASSERT_TRUE(document.Create(path));
  document.NewPage(36, 36, 36, 36, 255, 255, 255);
  ASSERT_TRUE(document.WriteText("before"));
  EXPECT_FALSE(document.Create(missing));
  EXPECT_EQ(document.LastFailure(), FailureConstants::FileError);
  EXPECT_TRUE(document.WriteText("after"));
  ASSERT_TRUE(document.Flush());
  const std::string written = testing::ReadFile(path);
  EXPECT_NE(written.find("(before)"), std::string::npos);
  EXPECT_NE(written.find("(after)"), std::string::npos);
}

// The PDF document leaves memory as it grows: blocks reach the function long before Flush.
TEST(OutputSinksPdf, BlocksArriveWhileTheDocumentGrows) {
  PDF pdf;
  size_t received = 0;
  ASSERT_TRUE(pdf.Create([&](std::string_view bytes) {
    received += bytes.size();
    return true;
  }));
  OutputSinks<testing::PdfFormat>::Draw(pdf, 400);
  EXPECT_GT(received, 0u);
  const size_t beforeFlush = received;
  EXPECT_TRUE(pdf.Flush());
  EXPECT_GT(received, beforeFlush);
}

}  // namespace
}  // namespace paginor
