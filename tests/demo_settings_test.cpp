// The demo's settings reader: values as profile strings give them, whatever inih's line limit.
#include <gtest/gtest.h>

#include <string>

#include "settings_file.h"
#include "support/test_files.h"

namespace paginor::demo {
namespace {

using testing::TempPath;
using testing::WriteFile;

class SettingsFileTest : public ::testing::Test {
 protected:
  // Writes the settings file and reads key from the section "FormPaginorDemo".
  std::string Read(const std::string& content, const std::string& key) {
    WriteFile(File, content);
    return ReadSetting(File, "FormPaginorDemo", key);
  }

  const std::string File = TempPath("settings.ini");
};

TEST_F(SettingsFileTest, MissingFileSectionOrKeyGivesEmptyText) {
  EXPECT_EQ(ReadSetting(TempPath("absent.ini"), "FormPaginorDemo", "LabelAuthor"), "");
  EXPECT_EQ(ReadSetting(TempPath("absent-folder") + "/x.ini", "FormPaginorDemo", "LabelAuthor"), "");
  EXPECT_EQ(Read("[Other]\nLabelAuthor=Author:\n", "LabelAuthor"), "");
  EXPECT_EQ(Read("[FormPaginorDemo]\nLabelTitle=Title:\n", "LabelAuthor"), "");
  EXPECT_EQ(Read("", "LabelAuthor"), "");
  EXPECT_EQ(Read("[FormPaginorDemo]\nLabelAuthor=\n", "LabelAuthor"), "");
}

TEST_F(SettingsFileTest, NamesIgnoreCaseAndTheFirstValueCounts) {
  const std::string content =
      "; a comment\n"
      "[Other]\nConst1=elsewhere\n"
      "[formpaginordemo]\nCONST1 = first value  \nConst1=second value\n"
      "[FormPaginorDemo]\nConst2=in a later section of the name\n";
  EXPECT_EQ(Read(content, "Const1"), "first value");
  EXPECT_EQ(Read(content, "const2"), "in a later section of the name");
}

TEST_F(SettingsFileTest, CrLfLinesAndAByteOrderMarkAreRead) {
  EXPECT_EQ(Read("\xEF\xBB\xBF[FormPaginorDemo]\r\nLabelAuthor=Autor:\r\nLabelTitle=Titel:\r\n", "LabelTitle"),
            "Titel:");
  EXPECT_EQ(Read("\xEF\xBB\xBF[FormPaginorDemo]\r\nLabelAuthor=Autor:\r\n", "LabelAuthor"), "Autor:");
}

TEST_F(SettingsFileTest, ValuesAreCutTo255Characters) {
  std::string value;
  for (int index = 0; value.size() < 600; ++index) value += "word" + std::to_string(index) + ' ';
  const std::string read = Read("[FormPaginorDemo]\nConst3=" + value + "\nConst4=after\n", "Const3");
  EXPECT_EQ(read, value.substr(0, SettingCapacity));
  EXPECT_EQ(Read("[FormPaginorDemo]\nConst3=" + value + "\nConst4=after\n", "Const4"), "after");
  const std::string exact(SettingCapacity, 'x');
  EXPECT_EQ(Read("[FormPaginorDemo]\nConst3=" + exact + "\n", "Const3"), exact);
}

TEST_F(SettingsFileTest, TheTailOfALongLineIsNoKeyOfItsOwn) {
  // The part of the line beyond what inih reads at once looks like a key of its own.
  const std::string line = "Const3=" + std::string(220, 'a') + " Const5=forged";
  EXPECT_EQ(Read("[FormPaginorDemo]\n" + line + "\n", "Const5"), "");
  EXPECT_EQ(Read("[FormPaginorDemo]\n" + line + "\n", "Const3"), (std::string(220, 'a') + " Const5=forged"));
  // A long comment and a long line without a value are passed over as well.
  EXPECT_EQ(Read("[FormPaginorDemo]\n;" + std::string(300, 'c') + " Const5=forged\n" + std::string(300, 'n') +
                     " Const5=forged\nConst1=kept\n",
                 "Const5"),
            "");
}

TEST_F(SettingsFileTest, LongValuesAreTrimmedLikeShortOnes) {
  const std::string text(230, 'v');
  EXPECT_EQ(Read("[FormPaginorDemo]\nConst3 =   " + text + "   ; a note\r\n", "Const3"), text);
  EXPECT_EQ(Read("[FormPaginorDemo]\nConst3 =   short   ; a note\r\n", "Const3"), "short");
}

}  // namespace
}  // namespace paginor::demo
