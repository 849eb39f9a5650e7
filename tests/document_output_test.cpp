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

enum class FlushOutcome { Succeeded = 1, Failed = 0, NotCreated = 2 };

// Runs write in a child process whose files may not grow past limit bytes (SIGXFSZ ignored, so that
// the write fails instead), so that the limit stays there; what write reports.
template <typename Write>
FlushOutcome FlushUnderSizeLimit(rlim_t limit, Write&& write) {
  const pid_t child = ::fork();
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit size{limit, limit};
    ::setrlimit(RLIMIT_FSIZE, &size);
    ::_exit(static_cast<int>(write()));
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return FlushOutcome::NotCreated;
  return static_cast<FlushOutcome>(WEXITSTATUS(status));
}

// What write, given a path to the writing end of a pipe, sends through it. A reader drains the pipe
// while the document writes, as a consumer process would.
template <typename Write>
std::string ThroughPipe(Write&& write) {
  int ends[2];
  if (::pipe(ends) != 0) return {};
  auto received = std::async(std::launch::async, [reader = ends[0]] {
    std::string bytes;
    char buffer[65536];
    for (ssize_t got; (got = ::read(reader, buffer, sizeof buffer)) > 0;) bytes.append(buffer, static_cast<size_t>(got));
    ::close(reader);
    return bytes;
  });
  write("/dev/fd/" + std::to_string(ends[1]));
  ::close(ends[1]);
  return received.get();
}

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
  // A file-size limit stops the writing part way. The document must report the failure and leave the
  // file empty.
  for (const rlim_t limit : {rlim_t{100000}, rlim_t{1} << 20}) {
    const std::string path = this->Path("limited");
    EXPECT_EQ(FlushUnderSizeLimit(limit, [&] {
                typename TypeParam::Document document;
                if (!document.Create(path)) return FlushOutcome::NotCreated;
                this->WritePages(document, 600);
                return document.Flush() ? FlushOutcome::Succeeded : FlushOutcome::Failed;
              }),
              FlushOutcome::Failed)
        << "Flush under a limit of " << limit << " bytes";
    EXPECT_EQ(std::filesystem::file_size(path), 0u) << "nothing that looks complete is left";
    std::filesystem::remove(path);
  }
}

TYPED_TEST(DocumentOutput, PipeReceivesTheWholeDocument) {
  for (const int pages : {1, 400}) {
    bool flushed = false;
    const std::string bytes = ThroughPipe([&](const std::string& path) {
      typename TypeParam::Document document;
      if (!document.Create(path)) return;
      this->WritePages(document, pages);
      flushed = document.Flush();
    });
    EXPECT_TRUE(flushed);
    EXPECT_TRUE(bytes == this->Reference(pages)) << pages << " pages: " << bytes.size() << " bytes received";
  }
}

// The page count of a PostScript document is named in its header and on every page, and known only at
// Flush: its fields grow by a digit at pages 10, 100 and 1000, in the file or the temporary file that
// holds the document, and are filled in at Flush.
class PageCountFields : public ::testing::Test {
 protected:
  void SetUp() override { testing::FixCreationDate(); }

  // Pages of a heading and a line, a few hundred bytes each.
  static bool WritePages(PS& document, int pages) {
    for (int page = 1; page <= pages; ++page) {
      document.NewPage(36, 36, 36, 36, 255, 255, 255);
      document.WriteText("Page " + std::to_string(page), true, 4, AlignmentConstants::Center);
    }
    return document.Flush();
  }
};

TEST_F(PageCountFields, GrowAlikeInAFileAPipeAndMemory) {
  for (const int pages : {0, 9, 10, 99, 100, 101, 1000}) {
    SCOPED_TRACE(std::to_string(pages) + " pages");
    const std::string path = TempPath("page_count.ps");
    PS inFile;
    ASSERT_TRUE(inFile.Create(path));
    ASSERT_TRUE(WritePages(inFile, pages));
    const std::string bytes = ReadFile(path);
    PS inMemory;
    ASSERT_TRUE(inMemory.CreateInMemory());
    ASSERT_TRUE(WritePages(inMemory, pages));
    EXPECT_TRUE(inMemory.TakeOutput() == bytes) << "in memory";
    EXPECT_TRUE(ThroughPipe([&](const std::string& pipe) {
                  PS document;
                  EXPECT_TRUE(document.Create(pipe) && WritePages(document, pages));
                }) == bytes)
        << "through a pipe";

    const testing::Lines lines = testing::SplitCrLfLines(bytes);
    EXPECT_LT(testing::FindLine(lines, "%%Pages: " + std::to_string(pages)), 20u);
    int labels = 0;
    for (size_t index = 0; index < lines.size(); ++index) {
      if (!lines[index].starts_with("%%Page: ")) continue;
      ++labels;
      ASSERT_EQ(lines[index], "%%Page: " + std::to_string(pages) + ' ' + std::to_string(labels));
      // The page's heading follows its label, after the page's background.
      ASSERT_LT(testing::FindLine(lines, "(Page " + std::to_string(labels) + ") show", index), index + 40);
    }
    EXPECT_EQ(labels, pages);
    EXPECT_EQ(lines.back(), "%%EOF");
    if (pages == 1000) {
      EXPECT_EQ(testing::GhostscriptProblems(path, pages), "");
    }
    std::filesystem::remove(path);
  }
}

TEST_F(PageCountFields, FailureWhileWideningLeavesTheFileEmpty) {
  PS reference;
  ASSERT_TRUE(reference.CreateInMemory());
  ASSERT_TRUE(WritePages(reference, 100));
  // When page 100 begins, the document up to its label is re-laid: the 100 fields before it (the header's
  // and 99 pages') grow from two digits to three. A limit inside that growth stops the re-laying.
  const std::string bytes = reference.TakeOutput();
  const size_t label = bytes.find("%%Page: 100 100");
  ASSERT_NE(label, std::string::npos);
  const auto widened = static_cast<rlim_t>(label - 100 + 50);
  const std::string path = TempPath("page_count_limited.ps");
  EXPECT_EQ(FlushUnderSizeLimit(widened,
                                [&] {
                                  PS document;
                                  if (!document.Create(path)) return FlushOutcome::NotCreated;
                                  const bool flushed = WritePages(document, 100);
                                  if (document.LastFailure() != FailureConstants::FileError) return FlushOutcome::NotCreated;
                                  return flushed ? FlushOutcome::Succeeded : FlushOutcome::Failed;
                                }),
            FlushOutcome::Failed);
  EXPECT_EQ(std::filesystem::file_size(path), 0u);
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace paginor

namespace paginor {
namespace {

// 50,000 pages of a heading and two lines each: the document streams through many chunks, the PDF's
// cross-reference lines through their file, the PostScript document re-laid in its file whenever its page count gains a digit.
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
