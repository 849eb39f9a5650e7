// Every PostScript page stands alone: cut out of the document as a page-selecting tool or a print
// spooler cuts it (the header, prolog and document set-up kept, then only the chosen pages' sections,
// then the trailer), in any order, each page renders exactly as in the whole document.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "paginor/ps.h"
#include "support/external_tools.h"
#include "support/pdf_reader.h"
#include "support/ps_reader.h"
#include "support/rendering.h"
#include "support/test_files.h"

namespace paginor {
namespace {

// A PostScript file in its parts: everything before the first "%%Page:", each page's section, and the
// trailer from "%%Trailer" on.
struct Sections {
  std::string head;
  std::vector<std::string> pages;
  std::string tail;
};

Sections Cut(const std::string& file) {
  Sections sections;
  const size_t trailer = file.find("\r\n%%Trailer\r\n") + 2;
  size_t page = file.find("\r\n%%Page: ") + 2;
  sections.head = file.substr(0, page);
  while (page < trailer) {
    const size_t mark = file.find("\r\n%%Page: ", page);
    const size_t next = mark == std::string::npos ? trailer : std::min(mark + 2, trailer);
    sections.pages.push_back(file.substr(page, next - page));
    page = next;
  }
  sections.tail = file.substr(trailer);
  return sections;
}

// The document with only the given pages (1-based), in that order.
std::string Select(const Sections& sections, const std::vector<size_t>& pages) {
  std::string file = sections.head;
  for (const size_t page : pages) file += sections.pages[page - 1];
  return file + sections.tail;
}

std::vector<testing::Raster> Render(const std::string& path) {
  return testing::RenderPages(path, "-dDEVICEWIDTHPOINTS=595 -dDEVICEHEIGHTPOINTS=842 -dFIXEDMEDIA");
}

// Four pages with their own backgrounds, margins, text, a dash and a filled figure; with openType, each
// page also has a line in embedded fonts (a script of its own, with fallback on the last page).
void WriteFourPages(PS& ps, bool openType) {
  const char* const families[4] = {"DejaVu Sans", "Noto Sans Arabic", "WenQuanYi Micro Hei", "DejaVu Serif"};
  const char* const texts[4] = {"\u039a\u03b1\u03bb\u03b7\u03bc\u03ad\u03c1\u03b1 \u0414\u043e\u0431\u0440\u044b\u0439",
                                "\u0645\u0631\u062d\u0628\u0627 \u0628\u0627\u0644\u0639\u0627\u0644\u0645",
                                "\u4f60\u597d\uff0c\u4e16\u754c", "office \u4e2d\u6587"};
  const uint8_t backgrounds[4][3] = {{255, 200, 200}, {200, 200, 255}, {200, 255, 200}, {255, 255, 255}};
  for (int page = 0; page < 4; ++page) {
    const auto& colour = backgrounds[page];
    ps.NewPage(static_cast<int16_t>(30 + 10 * page), 40, 30, 40, colour[0], colour[1], colour[2]);
    ps.SetFont(FontNumberConstants::Helvetica, 24, FontStyleConstants::Bold, FontEffectConstants::Underline);
    ps.WriteText("Page " + std::to_string(page + 1), true, 4);
    if (openType) {
      ASSERT_TRUE(ps.SetFont(families[page], 18, FontStyleConstants::Regular, FontEffectConstants::Underline));
      ps.WriteText(texts[page], true, 4);
    }
    if (page % 2 == 0) ps.SetDash("6 3");
    ps.SetFillStyle(page != 2);
    ps.SetFillColor(200, 100, static_cast<uint8_t>(60 * page));
    ps.DrawArc(200, 200, 80, static_cast<float>(30 * page), 300);
    ps.DrawLine(0, 300, 600, 320);
    ps.SetDash("");
  }
}

TEST(PsPageIndependence, EveryPageCutOutAloneOrInReverseRendersAsInTheWholeDocument) {
  // The fonts embedded are resources of the prolog, which every cut keeps.
  if (!testing::HasTool("gs")) GTEST_SKIP() << "Ghostscript is not installed";
  testing::FixCreationDate();
  for (const auto [rotated, openType] : {std::pair{false, false}, {true, false}, {false, true}}) {
    SCOPED_TRACE(rotated ? "rotated" : openType ? "embedded fonts" : "not rotated");
    PS ps;
    ps.SetOrientation(OrientationConstants::Landscape);
    ps.SetRotated(rotated);
    const std::string path = testing::TempPath("independent.ps");
    ASSERT_TRUE(ps.Create(path));
    WriteFourPages(ps, openType);
    testing::FlushAndRead(ps, path, 4);
    const std::vector<testing::Raster> whole = Render(path);
    ASSERT_EQ(whole.size(), 4u);
    const Sections sections = Cut(testing::ReadFile(path));
    ASSERT_EQ(sections.pages.size(), 4u);

    const std::string part = testing::TempPath("independent-part.ps");
    for (size_t page = 1; page <= 4; ++page) {
      testing::WriteFile(part, Select(sections, {page}));
      const std::vector<testing::Raster> alone = Render(part);
      ASSERT_EQ(alone.size(), 1u) << "page " << page;
      EXPECT_TRUE(alone[0].rgb == whole[page - 1].rgb) << "page " << page << " alone";
    }
    testing::WriteFile(part, Select(sections, {4, 3, 2, 1}));
    const std::vector<testing::Raster> reversed = Render(part);
    ASSERT_EQ(reversed.size(), 4u);
    for (size_t page = 0; page < 4; ++page) {
      EXPECT_TRUE(reversed[page].rgb == whole[3 - page].rgb) << "page " << 4 - page << " in reverse order";
    }
  }
}

}  // namespace
}  // namespace paginor
