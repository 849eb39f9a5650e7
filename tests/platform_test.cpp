#include "paginor/platform.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

#include "paginor/pdf.h"
#include "paginor/ps.h"

#include "platform/platform_services.h"

namespace paginor {
namespace {

TEST(Platform, TitleCopyrightAndMessages) {
  EXPECT_EQ(LibraryTitle(), "Paginor");
  EXPECT_NE(LibraryCopyright().find("\u00a9"), std::string::npos);
  EXPECT_EQ(LibraryCopyright().find('\n'), std::string::npos);

  ShowMessage("nobody listens", "Paginor", MessageIcon::Information);  // no handler: nothing happens
  std::string seen;
  SetMessageHandler([&](const std::string& text, const std::string& caption, MessageIcon icon) {
    seen = text + "|" + caption + "|" + std::to_string(static_cast<int>(icon));
  });
  ShowMessage("Initialize()", LibraryTitle(), MessageIcon::Information);
  EXPECT_EQ(seen, "Initialize()|Paginor|0");
  SetMessageHandler(nullptr);
}

TEST(Platform, AThrowingHandlerNeverReachesTheCaller) {
  int calls = 0;
  SetMessageHandler([&](const std::string& text, const std::string&, MessageIcon) {
    ++calls;
    // A handler may install another while it runs; what it throws stays in the library.
    if (text == "Initialize()") SetMessageHandler([&](const std::string&, const std::string&, MessageIcon) {
      ++calls;
      throw 7;
    });
    throw std::runtime_error("the host's dialog failed");
  });
  SetFailureMessages(true);
  EXPECT_NO_THROW({
    PDF pdf;
    PS ps;
    EXPECT_FALSE(pdf.WriteText("no page"));  // refused: its message goes to the throwing handler
    EXPECT_FALSE(ps.WriteText("no page"));
  });
  SetFailureMessages(false);
  SetMessageHandler(nullptr);
  EXPECT_EQ(calls, 4);
}

TEST(Platform, CreationTimeHonoursSourceDateEpoch) {
  ::setenv("SOURCE_DATE_EPOCH", "1796703518", 1);  // 2026-12-08 04:18:38 UTC, a Tuesday
  const std::tm fixed = CreationTime();
  EXPECT_EQ(fixed.tm_year + 1900, 2026);
  EXPECT_EQ(fixed.tm_mon + 1, 12);
  EXPECT_EQ(fixed.tm_mday, 8);
  EXPECT_EQ(fixed.tm_hour, 4);
  EXPECT_EQ(fixed.tm_min, 18);
  EXPECT_EQ(fixed.tm_sec, 38);
  EXPECT_EQ(fixed.tm_wday, 2);
  // Not a number: the clock is used instead.
  ::setenv("SOURCE_DATE_EPOCH", "soon", 1);
  EXPECT_GE(CreationTime().tm_year + 1900, 2026);
  ::unsetenv("SOURCE_DATE_EPOCH");
}

}  // namespace
}  // namespace paginor
