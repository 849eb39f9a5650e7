// The demo program run without a window, as scripts and the README's command run it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/external_tools.h"
#include "support/pdf_reader.h"
#include "support/test_files.h"

namespace paginor {
namespace {

namespace fs = std::filesystem;
using testing::CommandResult;
using testing::ReadFile;
using testing::RunCommand;
using testing::ShellQuoted;

class DemoHeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Folder = testing::TempPath(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "/";
    fs::create_directories(Folder);
  }

  // Runs the program without a display, writing into temporary, with these arguments.
  static CommandResult Run(const std::string& program, const std::string& temporary, const std::string& arguments) {
    return RunCommand("env -u DISPLAY TMPDIR=" + ShellQuoted(temporary) + " SOURCE_DATE_EPOCH=1796703518 " +
                      ShellQuoted(program) + " " + arguments);
  }
  CommandResult Run(const std::string& arguments) const { return Run(PAGINOR_DEMO_PROGRAM, Folder, arguments); }

  std::string Folder;
};

TEST_F(DemoHeadlessTest, WithoutDisplayAndOptionsBothDocumentsAreWritten) {
  const CommandResult result = Run("");
  EXPECT_EQ(result.status, 0) << result.output;
  EXPECT_EQ(result.output,
            "Paginor: Initialize()\nPaginor Demo: " + Folder + "Test.pdf\n"
            "Paginor: Initialize()\nPaginor Demo: " + Folder + "Test.ps\n");
  EXPECT_EQ(testing::ReaderProblems(Folder + "Test.pdf"), "");
  EXPECT_TRUE(fs::exists(Folder + "Test.ps"));
}

TEST_F(DemoHeadlessTest, OptionsChooseTheFieldsAndTheDocuments) {
  const CommandResult result =
      Run("--pdf --author 'Ann Example' --creator Script --title='The title' --paper letter --landscape --rotated");
  EXPECT_EQ(result.status, 0) << result.output;
  EXPECT_EQ(result.output, "Paginor: Initialize()\nPaginor Demo: " + Folder + "Test.pdf\n");
  EXPECT_FALSE(fs::exists(Folder + "Test.ps"));
  const std::string bytes = ReadFile(Folder + "Test.pdf");
  for (const char* expected : {"/Author (Ann Example)", "/Creator (Script)", "/Title (The title)",
                               "/MediaBox [ 0 0 792 612 ]", "/Rotate 270"}) {
    EXPECT_NE(bytes.find(expected), std::string::npos) << expected;
  }
}

TEST_F(DemoHeadlessTest, ADocumentThatCannotBeCreatedFailsTheRun) {
  const CommandResult result = Run(PAGINOR_DEMO_PROGRAM, Folder + "missing", "--pdf");
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.output.find("Paginor Demo: The document could not be created: " + Folder + "missing/Test.pdf\n"),
            std::string::npos)
      << result.output;
}

TEST_F(DemoHeadlessTest, HelpAndWrongCommandLines) {
  const CommandResult help = Run("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.output.find("--paper NAME"), std::string::npos);
  EXPECT_FALSE(fs::exists(Folder + "Test.pdf"));

  const CommandResult wrong = Run("--paper B5");
  EXPECT_EQ(wrong.status, 2);
  EXPECT_NE(wrong.output.find("unknown paper size \"B5\""), std::string::npos) << wrong.output;
  EXPECT_FALSE(fs::exists(Folder + "Test.pdf"));
}

TEST_F(DemoHeadlessTest, AProgramWithoutItsSettingsFileStillWritesTheHeading) {
  // A copy of the program in a folder of its own, without the settings file and the picture.
  const std::string program = Folder + "bin/PaginorDemo";
  fs::create_directories(Folder + "bin");
  fs::copy_file(PAGINOR_DEMO_PROGRAM, program);
  const CommandResult result = Run(program, Folder, "--pdf");
  ASSERT_EQ(result.status, 0) << result.output;
  EXPECT_EQ(testing::ReaderProblems(Folder + "Test.pdf"), "");
  if (!testing::HasTool("pdftotext")) GTEST_SKIP() << "pdftotext is not installed";
  const std::string text = testing::ExtractedText(Folder + "Test.pdf");
  EXPECT_NE(text.find("Portable Document Format"), std::string::npos) << text;
  EXPECT_EQ(text.find("styles"), std::string::npos) << text;
}

}  // namespace
}  // namespace paginor
