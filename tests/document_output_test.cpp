// What a caller sees of the output file while a document streams into it, in both formats: the file is
// empty until Flush succeeds, every write failure makes Flush false and leaves nothing that looks
// complete, a pipe receives the whole document, and a document of any length is complete.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <future>
#include <string>

#include "support/document_formats.h"
#include "support/external_tools.h"
#include "support/pdf_reader.h"
#include "support/ps_reader.h"
#include "support/test_files.h"

namespace paginor {
namespace {

using testing::ReadFile;
using testing::TempPath;

template <typename Format>
class DocumentOutput : public ::testing::Test {
 protected:
  using Document = typename Format::Document;

  void SetUp() override { testing::FixCreationDate(); }

  std::string Path(const std::string& name) { return TempPath(name + Format::Extension); }

  // Pages of a heading and a few lines: a few megabytes for pages of 1000, well past a chunk.
  static void WritePages(Document& document, int pages, int lines = 20) {
    for (int page = 1; page <= pages; ++page) {
      document.NewPage(36, 36, 36, 36, 255, 255, 230);
      document.WriteText("Page " + std::to_string(page), true, 4, AlignmentConstants::Center);
      for (int line = 1; line <= lines; ++line) {
        document.WriteText("Line " + std::to_string(line) + " of page " + std::to_string(page), true, 2);
      }
      document.DrawRectangle(10, 500, 100, 50);
    }
  }

  // The bytes of the document of WritePages written to a regular file.
  std::string Reference(int pages) {
    const std::string path = Path("reference");
    Document document;
    EXPECT_TRUE(document.Create(path));
    WritePages(document, pages);
    EXPECT_TRUE(document.Flush());
    std::string bytes = ReadFile(path);
    std::filesystem::remove(path);
    return bytes;
  }
};
TYPED_TEST_SUITE(DocumentOutput, testing::DocumentFormats);

TYPED_TEST(DocumentOutput, FileStaysEmptyUntilFlushSucceeds) {
  const std::string dropped = this->Path("dropped"), replaced = this->Path("replaced"),
                    next = this->Path("next");
  {
    typename TypeParam::Document document;
    ASSERT_TRUE(document.Create(dropped));
    EXPECT_TRUE(std::filesystem::exists(dropped));
    EXPECT_EQ(std::filesystem::file_size(dropped), 0u);
    this->WritePages(document, 300);  // megabytes, part of them already streamed
  }
  EXPECT_TRUE(std::filesystem::exists(dropped));
  EXPECT_EQ(std::filesystem::file_size(dropped), 0u) << "a document dropped without Flush";

  typename TypeParam::Document document;
  ASSERT_TRUE(document.Create(replaced));
  this->WritePages(document, 300);
  ASSERT_TRUE(document.Create(next));
  EXPECT_EQ(std::filesystem::file_size(replaced), 0u) << "a document left for another Create";
  this->WritePages(document, 300);
  ASSERT_TRUE(document.Flush());
  EXPECT_EQ(ReadFile(next), this->Reference(300)) << "the second document starts afresh";
  EXPECT_FALSE(document.Flush());
  EXPECT_GT(std::filesystem::file_size(next), 0u) << "a second Flush leaves the file alone";
}

TYPED_TEST(DocumentOutput, WriteFailuresMakeFlushFalse) {
  {
    typename TypeParam::Document document;  // no room at all, found when the first block goes out
    ASSERT_TRUE(document.Create("/dev/full"));
    this->WritePages(document, 300);
    EXPECT_FALSE(document.Flush());
  }
  {
    typename TypeParam::Document document;  // a small document goes out whole at Flush
    ASSERT_TRUE(document.Create("/dev/full"));
    this->WritePages(document, 1);
    EXPECT_FALSE(document.Flush());
  }
  // A file-size limit stops the writing part way, in a child so that the limit stays there. The
  // document must report the failure and leave the file empty.
  for (const rlim_t limit : {rlim_t{100000}, rlim_t{1} << 20}) {
    const std::string path = this->Path("limited");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::signal(SIGXFSZ, SIG_IGN);
      const rlimit size{limit, limit};
      ::setrlimit(RLIMIT_FSIZE, &size);
      typename TypeParam::Document document;
      if (!document.Create(path)) ::_exit(2);
      this->WritePages(document, 600);
      const bool flushed = document.Flush();
      ::_exit(flushed ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "Flush under a limit of " << limit << " bytes (1: reported success)";
    EXPECT_EQ(std::filesystem::file_size(path), 0u) << "nothing that looks complete is left";
    std::filesystem::remove(path);
  }
}

TYPED_TEST(DocumentOutput, PipeReceivesTheWholeDocument) {
  for (const int pages : {1, 400}) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    // The reader drains the pipe while the document writes, as a consumer process would.
    auto received = std::async(std::launch::async, [reader = ends[0]] {
      std::string bytes;
      char buffer[65536];
      for (ssize_t got; (got = ::read(reader, buffer, sizeof buffer)) > 0;) bytes.append(buffer, static_cast<size_t>(got));
      ::close(reader);
      return bytes;
    });
    bool flushed = false;
    {
      typename TypeParam::Document document;
      if (document.Create("/dev/fd/" + std::to_string(ends[1]))) {
        this->WritePages(document, pages);
        flushed = document.Flush();
      }
    }
    ::close(ends[1]);
    const std::string bytes = received.get();
    EXPECT_TRUE(flushed);
    EXPECT_TRUE(bytes == this->Reference(pages)) << pages << " pages: " << bytes.size() << " bytes received";
  }
}

}  // namespace
}  // namespace paginor

namespace paginor {
namespace {

// 50,000 pages of a heading and two lines each: the document streams through many chunks, the PDF's
// cross-reference lines through their file, the PostScript body through its staging file.
constexpr int LongDocumentPages = 50000;

template <typename Document>
std::string WriteLongDocument(const std::string& name) {
  const std::string path = TempPath(name);
  Document document;
  EXPECT_TRUE(document.Create(path));
  for (int page = 1; page <= LongDocumentPages; ++page) {
    document.NewPage(36, 36, 36, 36, 255, 255, 255);
    document.WriteText("Page " + std::to_string(page), true, 4, AlignmentConstants::Center);
    document.WriteText("Last line of page " + std::to_string(page), true, 2);
  }
  EXPECT_TRUE(document.Flush());
  return path;
}

TEST(LongDocument, PdfOfFiftyThousandPagesIsComplete) {
  const std::string path = WriteLongDocument<PDF>("long.pdf");
  if (testing::HasTool("qpdf")) {
    // Every page object read through the cross-reference table, without a warning (a wrong offset
    // would make qpdf warn and rebuild the table). A full check of every object takes minutes here;
    // smaller documents get it elsewhere.
    const testing::CommandResult pages = testing::RunCommand("qpdf --show-npages " + testing::Quoted(path));
    EXPECT_EQ(pages.status, 0);
    EXPECT_EQ(pages.output, "50000\n");
  }
  if (testing::HasTool("pdftotext")) {
    EXPECT_NE(testing::ExtractedText(path, LongDocumentPages).find("Last line of page 50000"), std::string::npos);
  }
  EXPECT_NE(ReadFile(path).rfind("(Last line of page 50000) Tj"), std::string::npos);
  std::filesystem::remove(path);
}

TEST(LongDocument, PostScriptOfFiftyThousandPagesIsComplete) {
  const std::string path = WriteLongDocument<PS>("long.ps");
  const testing::Lines lines = testing::SplitCrLfLines(ReadFile(path));
  size_t labels = 0;
  for (const std::string& line : lines) labels += line.starts_with("%%Page: ");
  EXPECT_EQ(labels, static_cast<size_t>(LongDocumentPages));
  EXPECT_EQ(testing::FindLine(lines, "%%Pages: 50000") < 20, true);
  const size_t last = testing::FindLine(lines, "%%Page: 50000 50000");
  ASSERT_LT(last, lines.size());
  EXPECT_NE(testing::FindLine(lines, "(Last line of page 50000) show", last), lines.size());
  EXPECT_EQ(lines.back(), "%%EOF");
  if (testing::HasTool("gs")) {
    // Ghostscript runs every page without drawing it.
    const testing::CommandResult run =
        testing::RunCommand("gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=nullpage " + testing::Quoted(path));
    EXPECT_EQ(run.status, 0) << run.output.substr(0, 2000);
    EXPECT_EQ(run.output, "");
  }
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace paginor
