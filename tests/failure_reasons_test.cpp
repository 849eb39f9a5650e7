// Why an operation failed: each refusal and failure gives its own reason and a message naming the
// argument and its value; a success clears it. Both formats share the reasons, so every test runs on each.
#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "paginor/platform.h"
#include "support/document_formats.h"
#include "support/picture_writers.h"
#include "support/test_files.h"

namespace paginor {
namespace {

using testing::TempPath;

template <typename Format>
class FailureReasons : public ::testing::Test {
 protected:
  using Document = typename Format::Document;

  // A document with one A4 page, margins of 50.
  void Start(const std::string& name) {
    ASSERT_TRUE(document.Create(TempPath(name + Format::Extension)));
    document.NewPage(50, 50, 50, 50, 255, 255, 255);
  }
  // The reason and the message, for one expectation; the message must name every part.
  void ExpectFailure(FailureConstants reason, const std::vector<std::string>& parts) {
    EXPECT_EQ(document.LastFailure(), reason);
    for (const std::string& part : parts) {
      EXPECT_NE(document.LastFailureMessage().find(part), std::string::npos)
          << "\"" << part << "\" is not in \"" << document.LastFailureMessage() << "\"";
    }
  }
  // A white GIF picture of the given size, written under name.
  static std::string WhiteGif(const std::string& name, int width, int height) {
    testing::GifPicture picture;
    picture.screenWidth = picture.width = width;
    picture.screenHeight = picture.height = height;
    picture.globalColours = {{0, 0, 0}, {255, 255, 255}};
    picture.indices.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 1);
    const std::string path = TempPath(name);
    EXPECT_TRUE(testing::WriteGif(path, picture));
    return path;
  }
  void ExpectCleared() {
    EXPECT_EQ(document.LastFailure(), FailureConstants::NoFailure);
    EXPECT_EQ(document.LastFailureMessage(), "");
  }

  Document document;
};
TYPED_TEST_SUITE(FailureReasons, testing::DocumentFormats);

TYPED_TEST(FailureReasons, Create) {
  auto& document = this->document;
  this->ExpectCleared();
  const std::string missing = TempPath("no such folder") + "/out" + TypeParam::Extension;
  EXPECT_FALSE(document.Create(missing));
  this->ExpectFailure(FailureConstants::FileError, {"Create: ", missing, "No such file or directory"});

  document.SetPaperSize(static_cast<PaperSizeConstants>(2));
  EXPECT_FALSE(document.Create(TempPath("paper" + std::string(TypeParam::Extension))));
  this->ExpectFailure(FailureConstants::InvalidArgument, {"Create: ", "paper size 2"});
  document.SetPaperSize(PaperSizeConstants::A5);
  document.SetOrientation(static_cast<OrientationConstants>(3));
  EXPECT_FALSE(document.Create(TempPath("orientation" + std::string(TypeParam::Extension))));
  this->ExpectFailure(FailureConstants::InvalidArgument, {"orientation 3"});

  document.SetOrientation(OrientationConstants::Landscape);
  EXPECT_TRUE(document.Create(TempPath("created" + std::string(TypeParam::Extension))));
  this->ExpectCleared();
  EXPECT_FALSE(document.Create(OutputFunction()));
  this->ExpectFailure(FailureConstants::InvalidArgument, {"output function"});
}

TYPED_TEST(FailureReasons, SettersThatIgnoreAValueSayWhichAndKeepTheirBehaviour) {
  auto& document = this->document;
  this->Start("setters");
  document.SetPosition(20, 30);
  this->ExpectCleared();
  document.SetFont(FontNumberConstants::Times, 80, FontStyleConstants::Bold, FontEffectConstants::NoFontEffect);
  this->ExpectFailure(FailureConstants::InvalidArgument, {"SetFont: ", "font height 80", "8 is used"});
  FontNumberConstants number{};
  uint8_t height = 0;
  FontStyleConstants style{};
  FontEffectConstants effect{};
  document.GetFont(number, height, style, effect);
  EXPECT_EQ(height, 8);
  EXPECT_EQ(style, FontStyleConstants::Bold);  // the valid values are taken
  document.SetFont(static_cast<FontNumberConstants>(9), 12, static_cast<FontStyleConstants>(5),
                   static_cast<FontEffectConstants>(3));
  this->ExpectFailure(FailureConstants::InvalidArgument, {"font number 9", "font style 5", "font effect 3"});

  document.SetPosition(600, 900);
  this->ExpectFailure(FailureConstants::InvalidArgument, {"SetPosition: ", "x 600", "y 900", "495", "742"});
  int16_t x = 0, y = 0;
  document.GetPosition(x, y);
  EXPECT_EQ(std::vector<int>({x, y}), std::vector<int>({20, 30}));
  document.NewPage(-1, 500, 20, 400, 255, 255, 255);
  this->ExpectFailure(FailureConstants::InvalidArgument, {"NewPage: ", "-1, 500, 20, 400", "50, 50, 50, 50"});
  int16_t left = 0, top = 0, right = 0, bottom = 0;
  document.GetPageMargins(left, top, right, bottom);
  EXPECT_EQ(std::vector<int>({left, top, right, bottom}), std::vector<int>({50, 50, 50, 50}));
  document.NewPage(10, 400, 10, 425, 255, 255, 255);  // 17 points left down the page
  this->ExpectFailure(FailureConstants::InvalidArgument, {"10, 400, 10, 425", "20 points or less"});
  document.SetThickness(0);
  this->ExpectFailure(FailureConstants::InvalidArgument, {"SetThickness: ", "thickness 0"});
  document.SetPictureDimensions(0, 5);
  this->ExpectFailure(FailureConstants::InvalidArgument, {"SetPictureDimensions: ", "0 by 5"});
  document.SetDash("3 x");
  this->ExpectFailure(FailureConstants::InvalidArgument, {"SetDash: ", "\"3 x\""});

  // Values taken, and -1 for "unchanged", leave the last failure alone; a success clears it.
  document.SetPosition(-1, -1);
  document.SetDash("3 2");
  document.SetFont(FontNumberConstants::Courier, 10, FontStyleConstants::Regular, FontEffectConstants::NoFontEffect);
  this->ExpectFailure(FailureConstants::InvalidArgument, {"SetDash: "});
  EXPECT_TRUE(document.WriteText("fine"));
  this->ExpectCleared();
}

TYPED_TEST(FailureReasons, WriteText) {
  auto& document = this->document;
  // Before Create the text would go nowhere.
  EXPECT_FALSE(document.WriteText("early"));
  this->ExpectFailure(FailureConstants::NoPage, {"WriteText: "});
  this->Start("text");

  EXPECT_FALSE(document.WriteText("x", false, 0, static_cast<AlignmentConstants>(7)));
  this->ExpectFailure(FailureConstants::InvalidArgument, {"WriteText: ", "alignment 7"});
  // Courier 8 is 4.8 points a letter: 120 letters are 576 points, 495 are available.
  EXPECT_FALSE(document.WriteText(std::string(120, 'w')));
  this->ExpectFailure(FailureConstants::DoesNotFit, {"576 points wide", "495"});
  document.SetPosition(0, 740);
  EXPECT_FALSE(document.WriteText("low"));
  this->ExpectFailure(FailureConstants::DoesNotFit, {"at y 740", "passes the bottom", "above the footer band", "730"});

  document.SetPosition(0, 0);
  EXPECT_TRUE(document.WriteText("fits"));
  this->ExpectCleared();
  // A refusal of another operation replaces the reason; a setter leaves it.
  EXPECT_FALSE(document.WriteTitle("t", AlignmentConstants::NoAlignment, static_cast<BulletConstants>(9)));
  document.SetColor(1, 2, 3);
  this->ExpectFailure(FailureConstants::InvalidArgument, {"WriteTitle: ", "bullet 9"});
  EXPECT_FALSE(document.WriteMultiText("a " + std::string(120, 'w')));
  this->ExpectFailure(FailureConstants::DoesNotFit, {"WriteMultiText: ", "the word \"www", "576 points wide"});
}

// What a refusal says is true: the room left from x, the kind of item too high, a text too wide for
// any page refused as not fitting rather than as an overflow.
TYPED_TEST(FailureReasons, MessagesTellTheTruth) {
  auto& document = this->document;
  this->Start("truth");
  document.SetPosition(440, 0);
  EXPECT_FALSE(document.WriteText(std::string(12, 'w')));  // 57.6 points in Courier 8
  this->ExpectFailure(FailureConstants::DoesNotFit, {"58 points wide; 55 are available from x 440"});
  EXPECT_FALSE(document.WriteMultiText("w", 0, AlignmentConstants::NoAlignment, false, 60));
  this->ExpectFailure(FailureConstants::DoesNotFit, {"the block is 60 points wide; 55 are available from x 440"});

  document.SetPosition(0, 0);
  EXPECT_FALSE(document.DrawPicture(this->WhiteGif("tall.gif", 20, 800)));
  this->ExpectFailure(FailureConstants::DoesNotFit, {"the picture 800 points high at y 0 passes the bottom"});

  // 2,000 W at 72 points are 135,936 points; 40,000 letters are more than a line ever measured.
  document.SetFont(FontNumberConstants::Helvetica, 72, FontStyleConstants::Regular, FontEffectConstants::NoFontEffect);
  EXPECT_FALSE(document.WriteText(std::string(2000, 'W')));
  this->ExpectFailure(FailureConstants::DoesNotFit, {"the text is 135936 points wide; 495 are available"});
  EXPECT_FALSE(document.WriteTitle(std::string(2000, 'W')));
  this->ExpectFailure(FailureConstants::DoesNotFit, {"the title is "});
  EXPECT_FALSE(document.WriteText(std::string(40000, 'i'), false, 0, AlignmentConstants::Center));
  this->ExpectFailure(FailureConstants::DoesNotFit, {"the text is "});
  EXPECT_FALSE(document.WriteMultiText("a " + std::string(40000, 'i')));
  this->ExpectFailure(FailureConstants::DoesNotFit, {"the word \"iii"});
}

// Nothing drawn after Create and before the first page would show: every figure, text and picture is
// refused there with a reason that says what to do.
TYPED_TEST(FailureReasons, NothingIsDrawnBeforeTheFirstPage) {
  auto& document = this->document;
  ASSERT_TRUE(document.Create(TempPath("before-page" + std::string(TypeParam::Extension))));
  Document& shared = document;
  const std::vector<std::pair<std::string, bool>> calls = {
      {"DrawLine", document.DrawLine(0, 0, 5, 5)},
      {"DrawRectangle", document.DrawRectangle(0, 0, 5, 5)},
      {"DrawCircle", document.DrawCircle(5, 5, 5)},
      {"DrawEllipse", document.DrawEllipse(5, 5, 5, 3)},
      {"DrawArc", document.DrawArc(5, 5, 5, 0, 90)},
      {"DrawCurve", document.DrawCurve(0, 0, 5, 5, 9, 0)},
      {"WriteText", document.WriteText("text")},
      {"WriteMultiText", document.WriteMultiText("a paragraph")},
      {"WriteTitle", document.WriteTitle("title")},
      {"DrawPicture", shared.DrawPicture(TempPath("missing.gif"))},
  };
  for (const auto& [name, result] : calls) EXPECT_FALSE(result) << name;
  this->ExpectFailure(FailureConstants::NoPage, {"DrawPicture: no page is open: NewPage starts the first page"});
  document.NewPage(0, 0, 0, 0, 255, 255, 255);
  EXPECT_TRUE(document.DrawLine(0, 0, 5, 5));
  EXPECT_TRUE(document.WriteText("text"));
}

// A PostScript document waits in a temporary file until Flush when its output cannot hold it: when
// that file cannot be made, Create says so, naming the output truly.
TEST(FailureReasonsPs, TemporaryFileThatCannotBeMadeIsRefusedAtCreate) {
  const char* saved = std::getenv("TMPDIR");
  const std::string previous = saved != nullptr ? saved : "";
  ::setenv("TMPDIR", TempPath("no such folder").c_str(), 1);
  PS memory, function;
  const bool inMemory = memory.CreateInMemory();
  const bool toFunction = function.Create([](std::string_view) { return true; });
  if (saved != nullptr) {
    ::setenv("TMPDIR", previous.c_str(), 1);
  } else {
    ::unsetenv("TMPDIR");
  }
  EXPECT_FALSE(inMemory);
  EXPECT_EQ(memory.LastFailure(), FailureConstants::FileError);
  EXPECT_EQ(memory.LastFailureMessage().rfind(
                "CreateInMemory: cannot create a temporary file for the document in memory: ", 0),
            0u)
      << memory.LastFailureMessage();
  EXPECT_FALSE(toFunction);
  EXPECT_EQ(function.LastFailureMessage().rfind("Create: cannot create a temporary file for the output function", 0), 0u)
      << function.LastFailureMessage();
  EXPECT_FALSE(memory.Flush());
  EXPECT_EQ(memory.LastFailure(), FailureConstants::NoPage);
}

TYPED_TEST(FailureReasons, Figures) {
  auto& document = this->document;
  this->Start("figures");
  EXPECT_FALSE(document.DrawLine(-1, 0, 5, 5));
  this->ExpectFailure(FailureConstants::InvalidArgument, {"DrawLine: ", "x1 is -1"});
  EXPECT_FALSE(document.DrawCircle(10, 10, 11));
  this->ExpectFailure(FailureConstants::DoesNotFit, {"DrawCircle: ", "x 10, y 10, r 11", "above the footer band", "495 by 730"});
  EXPECT_FALSE(document.DrawArc(100, 100, 10, 0.0F, std::numeric_limits<float>::infinity()));
  this->ExpectFailure(FailureConstants::InvalidArgument, {"DrawArc: ", "th2"});
  EXPECT_TRUE(document.DrawRectangle(0, 0, 495, 730));
  this->ExpectCleared();
}

TYPED_TEST(FailureReasons, DrawPicture) {
  auto& document = this->document;
  this->Start("pictures");
  const std::string missing = TempPath("missing.gif");
  EXPECT_FALSE(document.DrawPicture(missing));
  this->ExpectFailure(FailureConstants::PictureNotLoadable, {"DrawPicture: ", missing, "No such file or directory"});

  const std::string text = TempPath("words.gif");
  testing::WriteFile(text, "not a picture at all");
  EXPECT_FALSE(document.DrawPicture(text));
  this->ExpectFailure(FailureConstants::PictureNotLoadable, {text, "not a BMP, GIF, JPEG or PNG picture"});
  const std::string damaged = TempPath("damaged.gif");
  testing::WriteFile(damaged, "GIF89a\x01");
  EXPECT_FALSE(document.DrawPicture(damaged));
  this->ExpectFailure(FailureConstants::PictureNotLoadable, {"GIF decoder"});

  const std::string widePath = this->WhiteGif("wide.gif", 600, 60);
  EXPECT_FALSE(document.DrawPicture(widePath));
  this->ExpectFailure(FailureConstants::DoesNotFit, {"the picture is 600 points wide", "495"});
  Document& shared = document;  // the call every format has
  EXPECT_FALSE(shared.DrawPicture(widePath, AlignmentConstants::NoAlignment, static_cast<EncodingConstants>(0)));
  this->ExpectFailure(FailureConstants::InvalidArgument, {"encoding 0"});
  document.SetPictureDimensions(100, 100);
  EXPECT_TRUE(document.DrawPicture(widePath));
  this->ExpectCleared();
}

TYPED_TEST(FailureReasons, Flush) {
  auto& document = this->document;
  EXPECT_FALSE(document.Flush());
  this->ExpectFailure(FailureConstants::NoPage, {"Flush: ", "no document is open"});

  ASSERT_TRUE(document.Create("/dev/full"));
  document.NewPage(50, 50, 50, 50, 255, 255, 255);
  EXPECT_FALSE(document.Flush());
  this->ExpectFailure(FailureConstants::FileError, {"Flush: ", "/dev/full", "No space left on device"});
  // Drawing after the document was written would be lost.
  EXPECT_FALSE(document.DrawLine(0, 0, 1, 1));
  this->ExpectFailure(FailureConstants::NoPage, {"DrawLine: "});
}

// A PDF's cross-reference table gives every object's offset in ten digits. Past 9,999,999,999 bytes no
// object can be added (the drawing is refused) and the document cannot be closed: Flush says so instead
// of reporting a broken file as written. Ten gigabytes pass through memory, so the plain build alone
// runs it.
TEST(FailureReasonsPdf, DocumentPastTenDigitOffsetsIsNotReportedAsWritten) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "ten gigabytes through the sanitizers' allocator take too long";
#endif
  testing::JpegPicture photo;  // a small file for 13.5 MB of ASCIIHex, drawn again from the cache
  photo.width = photo.height = 1500;
  photo.samples.assign(size_t{1500} * 1500 * 3, 90);
  const std::string path = TempPath("plain.jpg");
  testing::WriteJpeg(path, photo);
  int64_t delivered = 0;
  PDF document;
  ASSERT_TRUE(document.Create([&](std::string_view bytes) {
    delivered += static_cast<int64_t>(bytes.size());
    return true;
  }));
  document.SetPictureDimensions(50, 50);
  document.NewPage(50, 50, 50, 50, 255, 255, 255);
  // Pictures up to the limit (the one passing it is taken back whole), then lines of text past it.
  while (document.DrawPicture(path, AlignmentConstants::NoAlignment, "", EncodingConstants::ASCIIHex)) {
    document.NewPage(50, 50, 50, 50, 255, 255, 255);
  }
  EXPECT_EQ(document.LastFailure(), FailureConstants::InternalFailure);
  EXPECT_GT(delivered, 9'900'000'000);
  while (document.WriteText("A line of text") || document.LastFailure() == FailureConstants::DoesNotFit) {
    if (document.LastFailure() == FailureConstants::DoesNotFit) document.NewPage(50, 50, 50, 50, 255, 255, 255);
  }
  EXPECT_EQ(document.LastFailure(), FailureConstants::InternalFailure);
  EXPECT_FALSE(document.Flush());
  EXPECT_EQ(document.LastFailure(), FailureConstants::InternalFailure);
  EXPECT_NE(document.LastFailureMessage().find("ten digits"), std::string::npos) << document.LastFailureMessage();
}

TYPED_TEST(FailureReasons, MessageHandlerHearsFailuresOnlyWhenAsked) {
  std::vector<std::string> heard;
  SetMessageHandler([&](const std::string& text, const std::string& caption, MessageIcon icon) {
    heard.push_back(caption + "|" + text + "|" + std::to_string(static_cast<int>(icon)));
  });
  typename TypeParam::Document document;
  EXPECT_FALSE(document.Flush());
  SetFailureMessages(true);
  EXPECT_FALSE(document.WriteText("nowhere"));
  EXPECT_TRUE(document.Create(TempPath("heard" + std::string(TypeParam::Extension))));
  SetFailureMessages(false);
  // A moved-from document goes on as a new one without announcing itself again.
  typename TypeParam::Document taken(std::move(document));
  EXPECT_EQ(document.Title(), "");
  SetMessageHandler({});
  EXPECT_EQ(heard, std::vector<std::string>({"Paginor|Initialize()|0",
                                             "Paginor|WriteText: no document is open: Create comes before "
                                             "drawing, and Flush ends it|1"}));
}

}  // namespace
}  // namespace paginor
