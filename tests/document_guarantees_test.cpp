// What every document format guarantees its caller, checked with real readers: a paragraph never loses
// a word while reporting success, nothing passed to SetDash can break the file, an accepted text keeps
// its underline, a moved-from document is a new document, a refusal changes nothing, and getters give
// defined values from the start. Each test runs once per format.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <sstream>
#include <type_traits>

#include "support/document_formats.h"
#include "support/rendering.h"
#include "support/test_files.h"

namespace paginor {
namespace {

// Programs hold a PDF or PS through a Document pointer (one code path for both formats).
static_assert(std::has_virtual_destructor_v<Document>, "a document owned as a Document must be destroyed whole");

template <typename Format>
class DocumentGuarantees : public ::testing::Test {
 protected:
  using Document = typename Format::Document;

  void SetUp() override {
    if (!Format::ReadersInstalled()) GTEST_SKIP() << "the readers of " << Format::Extension << " are missing";
  }

  // A fresh file for this test, told apart from the test's other files by label.
  std::string PathFor(const std::string& label) const {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + "-" + test->name() + "-" + label + Format::Extension;
    std::replace(name.begin(), name.end(), '/', '-');
    return testing::TempPath(name);
  }

  // Creates document's file and starts a white page with the same margin on every side.
  std::string Start(Document& document, const std::string& label, int16_t margin = 0) const {
    const std::string path = PathFor(label);
    EXPECT_TRUE(document.Create(path));
    document.NewPage(margin, margin, margin, margin, 255, 255, 255);
    return path;
  }

  // Flushes the document and expects the readers to accept the file.
  void Finish(Document& document, const std::string& path) const {
    ASSERT_TRUE(document.Flush());
    EXPECT_EQ(Format::ReaderProblems(path), "");
  }

  static std::vector<int> Position(const Document& document) {
    int16_t x = -7, y = -7;
    document.GetPosition(x, y);
    return {x, y};
  }

  static void UseFont(Document& document, FontNumberConstants number, uint8_t height,
                      FontEffectConstants effect = FontEffectConstants::NoFontEffect) {
    document.SetFont(number, height, FontStyleConstants::Regular, effect);
  }
};

TYPED_TEST_SUITE(DocumentGuarantees, testing::DocumentFormats);

std::vector<std::string> SplitWords(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream stream(text);
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

TYPED_TEST(DocumentGuarantees, ParagraphsWriteEveryWordThatFitsTheirBlock) {
  struct Case {
    const char* label;
    std::string text;
    uint8_t height;
    AlignmentConstants alignment;
    bool justified;
    int16_t width;
  };
  std::string letters;
  for (int count = 0; count < 120; ++count) letters += count == 0 ? "a" : " a";
  const Case cases[] = {
      // 99 characters of Courier 10 fill 594 of the page's 595 points, but not with a blank after them.
      {"last-word-alone", "first " + std::string(99, 'W'), 10, AlignmentConstants::NoAlignment, false, 0},
      // A last word as wide as a right-aligned block ends exactly at the right margin.
      {"right-aligned", "aa " + std::string(10, 'b'), 10, AlignmentConstants::RightAlign, false, 60},
      // Courier 9 words measured one by one round up: a justified full line would pass the margin.
      {"justified", letters, 9, AlignmentConstants::NoAlignment, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    typename TestFixture::Document document;
    const std::string path = this->Start(document, c.label);
    this->UseFont(document, FontNumberConstants::Courier, c.height);
    EXPECT_TRUE(document.WriteMultiText(c.text, 0, c.alignment, c.justified, c.width));
    this->Finish(document, path);
    const std::vector<std::string> expected = SplitWords(c.text), words = TypeParam::Words(path);
    ASSERT_GE(words.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(words.begin(), words.begin() + static_cast<long>(expected.size())), expected);
  }
}

TYPED_TEST(DocumentGuarantees, ParagraphTallerThanAFreshPageIsRefusedBeforeAnyNewPage) {
  typename TestFixture::Document document;
  const std::string path = this->PathFor("tall");
  ASSERT_TRUE(document.Create(path));
  document.SetFooter("");  // no footer: the whole area inside the margins, without the footer band
  document.NewPage(10, 400, 10, 400, 255, 255, 255);  // 42 points high
  document.SetPosition(20, 0);
  this->UseFont(document, FontNumberConstants::Helvetica, 48);
  std::string words;
  for (int count = 0; count < 16; ++count) words += count == 0 ? "word" : " word";
  EXPECT_FALSE(document.WriteMultiText(words, 0, AlignmentConstants::NoAlignment, false, 200));
  EXPECT_FALSE(document.WriteMultiText(words, 4, AlignmentConstants::Center, true, 200));
  EXPECT_EQ(this->Position(document), (std::vector<int>{20, 0}));
  this->UseFont(document, FontNumberConstants::Helvetica, 42);  // exactly as high as the area
  EXPECT_TRUE(document.WriteMultiText("fits", 0, AlignmentConstants::NoAlignment, false, 200));
  this->Finish(document, path);
  EXPECT_EQ(TypeParam::Pages(path), 1u);
  const std::vector<std::string> written = TypeParam::Words(path);
  ASSERT_FALSE(written.empty());
  EXPECT_EQ(written.front(), "fits");
  EXPECT_EQ(std::count(written.begin(), written.end(), "word"), 0);
}

TYPED_TEST(DocumentGuarantees, SetDashKeepsOnlyDashArrays) {
  typename TestFixture::Document document;
  const std::string path = this->Start(document, "dash");
  // Kept as written: blanks around and between the numbers are harmless to both formats.
  const std::string valid[] = {"3 2", "3", "0 2", "2.5 .5 4.", "  1   2  ", "32767", "007 0.0001", "32767.000",
                               "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16"};
  const std::string invalid[] = {
      "(", ")", "1 2] 0 d 0 0 m 500 500 l S [", "0", "0 0.0 00", "-1 2", "1 -2", "32768", "32767.5",
      "99999999999999999999", "1e3", "3,2", "3\t2", "3\n2", "3\r\n2", "1 2 %", "[3 2]", "{3 2}", ".", "1..2",
      " ", "+1", "0x10", "3 2 setdash", "\xEF\xBC\x91", "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17"};
  int16_t y = 0;
  for (const std::string& dash : valid) {
    document.SetDash(dash);
    EXPECT_EQ(document.GetDash(), dash);
    EXPECT_TRUE(document.DrawLine(0, y, 500, y));
    y = static_cast<int16_t>(y + 10);
  }
  for (const std::string& dash : invalid) {
    document.SetDash("4 1");
    document.SetDash(dash);
    EXPECT_EQ(document.GetDash(), "4 1") << "SetDash(\"" << dash << "\")";
    document.SetDash("");
    EXPECT_EQ(document.GetDash(), "");
    document.SetDash(dash);
    EXPECT_EQ(document.GetDash(), "") << "SetDash(\"" << dash << "\")";
    EXPECT_TRUE(document.DrawRectangle(0, y, 500, 8));
    y = static_cast<int16_t>(y + 10);
  }
  document.SetPosition(0, y);
  EXPECT_TRUE(document.WriteText("Visible"));
  this->Finish(document, path);
  const std::vector<std::string> words = TypeParam::Words(path);
  EXPECT_NE(std::find(words.begin(), words.end(), "Visible"), words.end());
  EXPECT_NE(std::find(words.begin(), words.end(), "Paginor"), words.end());  // the footer
}

// Random scripts mix hostile texts, valid patterns and the operations that write the dash (figures, and
// titles, which draw their bullet solid). Every document must satisfy the readers, and the dash must be
// the last valid pattern set.
TYPED_TEST(DocumentGuarantees, HostileDashTextsNeverBreakTheFile) {
  // Each of these, standing between blanks, makes any text invalid.
  const std::vector<std::string> poison = {"(", ")", "[", "]", "%", "\n", "\r", "<<", ">>", "/", "\\", "{", "}",
                                           "-1", "-0.5", "99999999999999999999", "32768", "1e5", "#", "\t",
                                           "d", "S", "0 0 m 500 500 l S", "setdash", "\x80", "3(", "2]"};
  const std::vector<std::string> numbers = {"1", "2.5", ".5", "4.", "0", "32767", "3", "0.25", "12"};
  std::mt19937 random(20261208);
  auto pick = [&](const std::vector<std::string>& from) { return from[random() % from.size()]; };
  auto blanks = [&] { return random() % 4 == 0 ? "  " : " "; };
  auto hostile = [&] {
    // Valid numbers around one piece that no dash array may hold.
    const size_t pieces = 1 + random() % 5, poisoned = random() % pieces;
    std::string text = random() % 2 == 0 ? " " : "";
    for (size_t piece = 0; piece < pieces; ++piece) {
      if (piece > 0) text += blanks();
      text += piece == poisoned ? pick(poison) : pick(numbers);
    }
    return text;
  };
  auto valid = [&] {
    std::string text = pick({"1", "2.5", "3", "12"});  // never all zero
    for (size_t count = random() % 16; count > 0; --count) text += blanks() + pick(numbers);
    return text;
  };

  for (int script = 0; script < 6; ++script) {
    SCOPED_TRACE("script " + std::to_string(script));
    typename TestFixture::Document document;
    const std::string path = this->Start(document, "script" + std::to_string(script), 36);
    this->UseFont(document, FontNumberConstants::Helvetica, 10, FontEffectConstants::Underline);
    std::string dash;
    for (int step = 0; step < 60; ++step) {
      const int16_t x = static_cast<int16_t>(40 + random() % 400), y = static_cast<int16_t>(40 + random() % 600);
      switch (random() % 6) {
        case 0:
        case 1: {
          const std::string text = hostile();
          document.SetDash(text);
          break;
        }
        case 2:
          dash = valid();
          document.SetDash(dash);
          break;
        case 3:
          document.DrawLine(x, y, static_cast<int16_t>(x + 60), static_cast<int16_t>(y + 30));
          document.DrawCircle(x, y, 30);
          document.DrawArc(x, y, 25, 30, 300);
          break;
        case 4:
          document.DrawRectangle(x, y, 50, 20);
          document.DrawCurve(x, y, static_cast<int16_t>(x + 20), static_cast<int16_t>(y + 30),
                             static_cast<int16_t>(x + 40), y);
          break;
        default:
          document.SetPosition(x, y);
          document.WriteTitle("Title", AlignmentConstants::NoAlignment, BulletConstants::Square);
          break;
      }
      ASSERT_EQ(document.GetDash(), dash) << "after step " << step;
    }
    this->Finish(document, path);
  }
}

TYPED_TEST(DocumentGuarantees, UnderlineOnTheLastLineOfTheAreaIsDrawn) {
  typename TestFixture::Document document;
  const std::string path = this->Start(document, "underline", 36);
  document.SetFooter("");  // no footer: the whole area inside the margins, without the footer band
  this->UseFont(document, FontNumberConstants::Helvetica, 12, FontEffectConstants::Underline);
  document.SetPosition(0, 758);  // the line's foot meets the bottom margin; its underline lies 1 point below
  ASSERT_TRUE(document.WriteText("HITHIT"));  // flat-footed letters: nothing of them reaches below the baseline
  this->Finish(document, path);

  // One pixel a point: the underline, 1 point thick around 35 points above the page's foot, darkens the
  // rows of 34 to 36 points; the letters stand on the baseline at 36 points. The text spans 39 points
  // from the left margin at 36.
  const std::vector<testing::Raster> pages = testing::RenderPages(path);
  ASSERT_FALSE(pages.empty());
  const testing::Raster& page = pages.front();
  ASSERT_EQ(page.height, 842);
  int covered = 0, columns = 0;
  for (int x = 37; x < 74; ++x, ++columns) {
    bool dark = false;
    for (const int row : {842 - 36, 842 - 35}) {
      const std::array<uint8_t, 3> pixel = page.At(x, row);
      dark = dark || pixel[0] + pixel[1] + pixel[2] < 3 * 128;
    }
    covered += dark ? 1 : 0;
  }
  EXPECT_GE(covered, columns * 9 / 10);
}

TYPED_TEST(DocumentGuarantees, MovedFromDocumentBehavesLikeANewOne) {
  using Document = typename TestFixture::Document;
  Document original;
  original.SetAuthor("Author");
  const std::string first = this->Start(original, "first");
  Document taken(std::move(original));

  // Every operation on the moved-from document works on a new, empty document.
  EXPECT_EQ(original.Author(), "");
  EXPECT_EQ(this->Position(original), (std::vector<int>{0, 0}));
  EXPECT_FALSE(original.Flush());  // it has created no file
  original.WriteText("before Create");
  original.SetAuthor("Again");
  const std::string second = this->Start(original, "second");
  EXPECT_TRUE(original.WriteText("Second"));
  this->Finish(original, second);
  EXPECT_EQ(TypeParam::Words(second).front(), "Second");

  // The document that took over goes on where the original stood, and can be handed back.
  EXPECT_EQ(taken.Author(), "Author");
  EXPECT_TRUE(taken.WriteText("First", true));
  original = std::move(taken);
  EXPECT_TRUE(original.WriteText("Back"));
  this->Finish(original, first);
  const std::vector<std::string> words = TypeParam::Words(first);
  ASSERT_GE(words.size(), 2u);
  EXPECT_EQ(std::vector<std::string>(words.begin(), words.begin() + 2), (std::vector<std::string>{"First", "Back"}));
  EXPECT_FALSE(taken.Flush());
  uint8_t red = 7, green = 7, blue = 7;
  taken.GetPageColor(red, green, blue);
  EXPECT_EQ((std::vector<int>{red, green, blue}), (std::vector<int>{255, 255, 255}));
}

TYPED_TEST(DocumentGuarantees, RefusedParagraphLeavesThePositionAlone) {
  typename TestFixture::Document document;
  const std::string path = this->Start(document, "refused", 20);
  this->UseFont(document, FontNumberConstants::Courier, 10);
  document.SetPosition(20, 100);
  // A word wider than the block; the block would have been centred at x 267.
  EXPECT_FALSE(document.WriteMultiText("a " + std::string(11, 'w'), 0, AlignmentConstants::Center, false, 60));
  EXPECT_EQ(this->Position(document), (std::vector<int>{20, 100}));
  EXPECT_FALSE(document.WriteMultiText("a", 0, static_cast<AlignmentConstants>(7)));
  EXPECT_EQ(this->Position(document), (std::vector<int>{20, 100}));
  this->Finish(document, path);
  EXPECT_EQ(TypeParam::Words(path).front(), "Paginor");  // nothing but the footer
}

TYPED_TEST(DocumentGuarantees, ColourGettersGiveTheDefaultsBeforeCreate) {
  const typename TestFixture::Document document;
  using Getter = void (paginor::Document::*)(uint8_t&, uint8_t&, uint8_t&) const;
  const std::pair<Getter, std::vector<int>> getters[] = {{&paginor::Document::GetColor, {0, 0, 0}},
                                                         {&paginor::Document::GetFillColor, {0, 0, 0}},
                                                         {&paginor::Document::GetPageColor, {255, 255, 255}}};
  for (const auto& [getter, expected] : getters) {
    uint8_t red = 7, green = 7, blue = 7;
    (document.*getter)(red, green, blue);
    EXPECT_EQ((std::vector<int>{red, green, blue}), expected);
  }
}

}  // namespace
}  // namespace paginor
