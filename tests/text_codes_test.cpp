// Where paragraph lines start and what reaches the file of a text's characters, in both formats: a
// paragraph never opens with an empty line, and a character that has no glyph of its own (a control
// character, or a code Windows-1252 leaves unassigned) is written, measured and read back as '?', in
// shown text, document properties and header comments alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/document_formats.h"
#include "support/test_files.h"

namespace paginor {
namespace {

template <typename Format>
class TextCodes : public ::testing::Test {
 protected:
  using Document = typename Format::Document;

  // The caller's position of document.
  static std::vector<int> Position(const Document& document) {
    int16_t x = -7, y = -7;
    document.GetPosition(x, y);
    return {x, y};
  }

  // A document in memory on a white page without margins, in the regular style of font at 10 points.
  static void Start(Document& document, FontNumberConstants font) {
    ASSERT_TRUE(document.CreateInMemory());
    document.NewPage(0, 0, 0, 0, 255, 255, 255);
    document.SetFont(font, 10, FontStyleConstants::Regular, FontEffectConstants::NoFontEffect);
  }

  static std::string Finish(Document& document) {
    EXPECT_TRUE(document.Flush());
    return document.TakeOutput();
  }
};

// The shown strings of a file, in order: the insides of "(...) show" lines in PostScript, of
// "T* colour rg (...) Tj" lines in PDF.
std::vector<std::string> Shown(const std::string& file) {
  std::vector<std::string> shown;
  for (size_t start = 0, end = 0; start < file.size(); start = end + 2) {
    end = std::min(file.find("\r\n", start), file.size());
    const std::string_view line(file.data() + start, end - start);
    if (line.starts_with("(") && line.ends_with(") show")) {
      shown.emplace_back(line.substr(1, line.size() - 7));
    } else if (const size_t open = line.find(" rg ("); line.starts_with("T* ") && line.ends_with(") Tj")) {
      shown.emplace_back(line.substr(open + 5, line.size() - open - 9));
    }
  }
  return shown;
}

TYPED_TEST_SUITE(TextCodes, testing::DocumentFormats);

TYPED_TEST(TextCodes, ParagraphsNeverOpenWithAnEmptyLine) {
  // Courier 10: six points a character. "abcde" fills the 30-point block alone, but not with its blank;
  // a run of two blanks leaves a line of nothing but a blank before a word that needs a line of its own.
  struct Case {
    std::string text;
    bool justified;
    std::vector<std::string> shown;
  };
  const Case cases[] = {
      {"abcde fghij klmno", false, {"abcde", "fghij", "klmno "}},
      {"abcde fghij klmno", true, {"abcde", "fghij", "klmno "}},
      {"abcd  efghi", false, {"abcd", "efghi "}},
      {"abcde", false, {"abcde "}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    typename TestFixture::Document document;
    this->Start(document, FontNumberConstants::Courier);
    document.SetPosition(100, 50);
    ASSERT_TRUE(document.WriteMultiText(c.text, 0, AlignmentConstants::NoAlignment, c.justified, 30));
    // The first line at the top of the paragraph, each further one 10 points lower.
    EXPECT_EQ(this->Position(document), (std::vector<int>{100, 50 + 10 * static_cast<int>(c.shown.size())}));
    std::vector<std::string> shown = Shown(this->Finish(document));
    ASSERT_FALSE(shown.empty());
    shown.pop_back();  // the footer
    EXPECT_EQ(shown, c.shown);
  }
}

TYPED_TEST(TextCodes, CharactersWithoutAGlyphAreWrittenMeasuredAndReadBackAsQuestionMarks) {
  if (!TypeParam::ReadersInstalled()) GTEST_SKIP() << "the readers of " << TypeParam::Extension << " are missing";
  // Controls (tab, DEL, C1), and the five codes Windows-1252 leaves unassigned, in ASCII text (which
  // goes its own fast way) and in text with letters beyond ASCII.
  std::string controls;
  for (const char32_t code : {0x01u, 0x09u, 0x1Bu, 0x1Fu, 0x7Fu}) controls += static_cast<char>(code);
  const std::string unassigned = "\u0081\u008D\u008F\u0090\u009D\u0085";
  const std::vector<std::string> texts = {"A" + controls + "Z", "\u00c9" + unassigned + "Z"};
  const std::vector<std::string> asWritten = {"A?????Z", "\u00c9??????Z"};  // UTF-8
  const std::vector<std::string> expected = {"A?????Z", "\xC9??????Z"};     // Windows-1252

  typename TestFixture::Document document;
  document.SetTitle("Title" + controls + unassigned);
  document.SetAuthor("Au\x02thor");
  document.SetCreator("Cre\x7F" "ator");
  this->Start(document, FontNumberConstants::Helvetica);
  const std::string path = testing::TempPath(std::string("text-codes") + TypeParam::Extension);
  for (size_t index = 0; index < texts.size(); ++index) {
    // Measured as drawn: the position moves by the width of the question marks (556 thousandths in
    // Helvetica), not of blanks (278).
    document.SetPosition(0, static_cast<int16_t>(20 * index));
    ASSERT_TRUE(document.WriteText(texts[index]));
    typename TestFixture::Document reference;
    this->Start(reference, FontNumberConstants::Helvetica);
    ASSERT_TRUE(reference.WriteText(asWritten[index]));
    EXPECT_EQ(this->Position(document)[0], this->Position(reference)[0]) << index;
  }
  document.SetPosition(0, 60);
  ASSERT_TRUE(document.WriteMultiText(texts[0] + " " + texts[1], 0, AlignmentConstants::NoAlignment, false, 200));
  const std::string file = this->Finish(document);
  std::vector<std::string> shown = Shown(file);
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(shown.begin(), shown.begin() + 3),
            (std::vector<std::string>{expected[0], expected[1], expected[0] + " " + expected[1] + " "}));
  // Nothing raw reaches the file: no control character but the line ends, no unassigned code.
  for (const unsigned char byte : file) {
    const bool raw = (byte < 0x20 && byte != '\r' && byte != '\n') || byte == 0x7F || byte == 0x81 ||
                     byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
    ASSERT_FALSE(raw) << "byte " << static_cast<int>(byte) << " in the file";
  }
  // Read back as written.
  testing::WriteFile(path, file);
  const std::vector<std::string> words = TypeParam::Words(path);
  for (const std::string& word : asWritten) EXPECT_EQ(std::count(words.begin(), words.end(), word), 2) << word;
}

}  // namespace
}  // namespace paginor
