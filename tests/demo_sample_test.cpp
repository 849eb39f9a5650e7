// The demo's sample document: what its properties and its settings make of it, and how its outcome is
// reported.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "sample_document.h"
#include "support/external_tools.h"
#include "support/pdf_reader.h"
#include "support/ps_reader.h"
#include "support/test_files.h"

namespace paginor::demo {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::WriteFile;

struct Message {
  std::string Text;
  std::string Caption;
  MessageIcon Icon;
};

constexpr const char* SampleSettings =
    "[FormPaginorDemo]\n"
    "Const1=Heading number one\n"
    "Const2=Styled sample line\n"
    "Const3=A paragraph of several words set as a justified block of text.\n"
    "Const4=Heading number two\n"
    "Const5=Cannot write\n";

class SampleDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::FixCreationDate();
    Folder = testing::TempPath(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "/";
    fs::create_directories(Folder);
    Paths = PathsOf(Folder + "PaginorDemo", Folder);
    // The picture the build draws beside the program.
    Paths.SamplePicture = fs::path(PAGINOR_DEMO_PROGRAM).parent_path().string() + "/Samples/Sample.gif";
  }

  bool Write(DocumentFormat format, const DocumentFields& fields = {}) {
    return WriteSampleDocument(format, fields, Paths, [this](const std::string& text, const std::string& caption,
                                                             MessageIcon icon) {
      Messages.push_back({text, caption, icon});
    });
  }

  std::string Folder;
  ProgramPaths Paths;
  std::vector<Message> Messages;
};

TEST_F(SampleDocumentTest, TheSettingsGiveTheTitlesLinesAndParagraph) {
  WriteFile(Paths.SettingsFile, SampleSettings);
  ASSERT_TRUE(Write(DocumentFormat::Pdf));
  const std::string file = Folder + "Test.pdf";
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_EQ(Messages[0].Text, file);
  EXPECT_EQ(Messages[0].Caption, "Paginor Demo");
  EXPECT_EQ(Messages[0].Icon, MessageIcon::Information);
  const testing::PdfFile pdf(file);
  EXPECT_EQ(pdf.StructureProblems(), "");
  EXPECT_EQ(testing::ReaderProblems(file), "");
  EXPECT_NE(pdf.Bytes().find("/Subtype /Image"), std::string::npos) << "the sample picture is missing";
  if (!testing::HasTool("pdftotext")) GTEST_SKIP() << "pdftotext is not installed";
  const std::string text = testing::ExtractedText(file);
  for (const char* expected : {"Portable Document Format", "Heading number one", "Heading number two", "justified"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << " in\n" << text;
  }
  size_t lines = 0;
  for (size_t at = text.find("Styled sample line"); at != std::string::npos; at = text.find("Styled sample line", at + 1)) {
    ++lines;
  }
  EXPECT_EQ(lines, 4u) << text;
}

TEST_F(SampleDocumentTest, ThePostScriptSampleHasTheSameContent) {
  WriteFile(Paths.SettingsFile, SampleSettings);
  DocumentFields fields;
  fields.Author = "Ann";
  fields.Title = "Sample";
  fields.PaperSize = PaperSizeConstants::Letter;
  fields.Landscape = true;
  ASSERT_TRUE(Write(DocumentFormat::PostScript, fields));
  const std::string file = Folder + "Test.ps";
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_EQ(Messages[0].Text, file);
  EXPECT_FALSE(fs::exists(Folder + "Test.pdf"));
  EXPECT_EQ(testing::GhostscriptProblems(file, 1), "");
  const testing::Lines lines = testing::SplitCrLfLines(ReadFile(file));
  for (const char* expected : {"%%For: Ann", "%%Title: Sample", "%%DocumentMedia: Letter 792 612 0 () ()",
                               "  /FlateDecode filter"}) {
    EXPECT_LT(testing::FindLine(lines, expected), lines.size()) << expected;
  }
  if (!testing::HasTool("gs")) GTEST_SKIP() << "Ghostscript is not installed";
  const std::string text =
      testing::RunCommand("gs -q -dSAFER -sDEVICE=txtwrite -o - " + testing::ShellQuoted(file)).output;
  for (const char* expected : {"PostScript", "Heading number one", "Heading number two", "Styled sample line"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << " in\n" << text;
  }
}

TEST_F(SampleDocumentTest, ADocumentThatCannotBeCreatedIsReported) {
  WriteFile(Paths.SettingsFile, SampleSettings);
  Paths.TempPath = Folder + "missing/";
  EXPECT_FALSE(Write(DocumentFormat::Pdf));
  ASSERT_EQ(Messages.size(), 1u);
  EXPECT_EQ(Messages[0].Text, "Cannot write " + Folder + "missing/Test.pdf");
  EXPECT_EQ(Messages[0].Caption, "Paginor Demo");
  EXPECT_EQ(Messages[0].Icon, MessageIcon::Exclamation);
  EXPECT_FALSE(fs::exists(Folder + "missing"));

  // Without settings the message is the file name after a blank.
  fs::remove(Paths.SettingsFile);
  EXPECT_FALSE(Write(DocumentFormat::Pdf));
  EXPECT_EQ(Messages.back().Text, " " + Folder + "missing/Test.pdf");
}

TEST_F(SampleDocumentTest, ADocumentThatCannotBeWrittenOutIsReportedAsSuch) {
  // The file is created but may not grow beyond 4 KiB: the document (tens of KiB) cannot reach it.
  WriteFile(Paths.SettingsFile, SampleSettings);
  const auto writeIntoSmallFiles = [this] {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const bool written = Write(DocumentFormat::Pdf);
    std::cerr << Messages.back().Text;
    std::exit(written || Messages.back().Icon != MessageIcon::Exclamation ? 0 : 3);
  };
  EXPECT_EXIT(writeIntoSmallFiles(), ::testing::ExitedWithCode(3), "Cannot write .*Test.pdf");
}

}  // namespace
}  // namespace paginor::demo
