// The demo's paths, paper list and command line.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>
#include <string>

#include "command_line.h"
#include "paper_items.h"
#include "program_paths.h"

namespace paginor::demo {
namespace {

TEST(DemoPathsTest, FilesBesideTheProgramWithOneSeparator) {
  const ProgramPaths root = PathsOf("/PaginorDemo", "/tmp/");
  EXPECT_EQ(root.AppPath, "/");
  EXPECT_EQ(root.SettingsFile, "/PaginorDemo.ini");
  EXPECT_EQ(root.SamplePicture, "/Samples/Sample.gif");
  EXPECT_EQ(root.TempPath, "/tmp/");

  const ProgramPaths nested = PathsOf("/opt/paginor/bin/PaginorDemo", "/var/tmp/");
  EXPECT_EQ(nested.AppPath, "/opt/paginor/bin/");
  EXPECT_EQ(nested.SettingsFile, "/opt/paginor/bin/PaginorDemo.ini");
  EXPECT_EQ(nested.SamplePicture, "/opt/paginor/bin/Samples/Sample.gif");

  // The settings file is named after the program as it is called on disk.
  EXPECT_EQ(PathsOf("/opt/demo.bin", "/tmp/").SettingsFile, "/opt/demo.bin.ini");
}

TEST(DemoPathsTest, TheTemporaryDirectoryAlwaysEndsWithASeparator) {
  const char* saved = std::getenv("TMPDIR");
  const std::string kept = saved != nullptr ? saved : "";
  ::unsetenv("TMPDIR");
  EXPECT_EQ(TempPath(), "/tmp/");
  ::setenv("TMPDIR", "", 1);
  EXPECT_EQ(TempPath(), "/tmp/");
  ::setenv("TMPDIR", "/var/tmp", 1);
  EXPECT_EQ(TempPath(), "/var/tmp/");
  ::setenv("TMPDIR", "/var/tmp/", 1);
  EXPECT_EQ(TempPath(), "/var/tmp/");
  if (saved != nullptr) {
    ::setenv("TMPDIR", kept.c_str(), 1);
  } else {
    ::unsetenv("TMPDIR");
  }
}

TEST(DemoPaperTest, ItemsCarryTheirOwnPaperCodes) {
  ASSERT_EQ(PaperItems[DefaultPaperItem].Name, "A4");
  EXPECT_EQ(PaperByName("Letter"), PaperSizeConstants::Letter);
  EXPECT_EQ(static_cast<int>(*PaperByName("Letter")), 1);
  EXPECT_EQ(PaperByName("letter"), PaperSizeConstants::Letter);
  EXPECT_EQ(static_cast<int>(*PaperByName("Folio")), 14);
  EXPECT_EQ(PaperByName("Letters"), std::nullopt);
  EXPECT_EQ(PaperByName(""), std::nullopt);
}

TEST(DemoCommandLineTest, OptionsSetEveryField) {
  const CommandLine command = ParseCommandLine(
      {"--author", "Ann", "--creator=Tool", "--title", "A (title)", "--paper", "Letter", "--landscape", "--rotated"});
  ASSERT_EQ(command.Error, "");
  EXPECT_TRUE(command.AnyOption);
  EXPECT_EQ(command.Fields.Author, "Ann");
  EXPECT_EQ(command.Fields.Creator, "Tool");
  EXPECT_EQ(command.Fields.Title, "A (title)");
  EXPECT_EQ(command.Fields.PaperSize, PaperSizeConstants::Letter);
  EXPECT_TRUE(command.Fields.Landscape);
  EXPECT_TRUE(command.Fields.Rotated);
  EXPECT_EQ(command.Formats, (std::vector{DocumentFormat::Pdf, DocumentFormat::PostScript}));
}

TEST(DemoCommandLineTest, DocumentsAreChosenInOrderOnce) {
  EXPECT_EQ(ParseCommandLine({"--ps"}).Formats, std::vector{DocumentFormat::PostScript});
  EXPECT_EQ(ParseCommandLine({"--pdf"}).Formats, std::vector{DocumentFormat::Pdf});
  EXPECT_EQ(ParseCommandLine({"--ps", "--pdf", "--ps"}).Formats,
            (std::vector{DocumentFormat::PostScript, DocumentFormat::Pdf}));
  EXPECT_EQ(ParseCommandLine({"--author="}).Fields.Author, "");
  EXPECT_FALSE(ParseCommandLine({}).AnyOption);
}

TEST(DemoCommandLineTest, WrongCommandLinesAreExplained) {
  EXPECT_EQ(ParseCommandLine({"--paper", "B5"}).Error, "unknown paper size \"B5\"");
  EXPECT_EQ(ParseCommandLine({"--title"}).Error, "--title needs a value");
  EXPECT_EQ(ParseCommandLine({"--pdf=yes"}).Error, "--pdf takes no value");
  EXPECT_EQ(ParseCommandLine({"Test.pdf"}).Error, "unknown option \"Test.pdf\"");
  EXPECT_EQ(ParseCommandLine({"--landscap"}).Error, "unknown option \"--landscap\"");
}

}  // namespace
}  // namespace paginor::demo
