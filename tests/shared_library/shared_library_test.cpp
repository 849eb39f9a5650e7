// The library as a host program sees it: this test links against the shared library alone, so it also
// checks that every public operation is exported, and it checks that nothing internal is.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "paginor/paginor.h"

namespace {

// A BMP of one orange pixel: file header, 40-byte information header, one row padded to 4 bytes.
std::string OnePixelBmp() {
  std::string bmp = "BM";
  auto put = [&bmp](uint32_t value, int bytes) {
    for (int index = 0; index < bytes; ++index) bmp += static_cast<char>(value >> (8 * index) & 0xFF);
  };
  put(58, 4), put(0, 4), put(54, 4);
  put(40, 4), put(1, 4), put(1, 4), put(1, 2), put(24, 2), put(0, 4), put(4, 4);
  put(0, 4), put(0, 4), put(0, 4), put(0, 4);
  put(0x00FF8000, 4);  // blue, green, red and the padding byte
  return bmp;
}

TEST(SharedLibrary, WritesADocumentThroughThePublicInterface) {
  std::string seen;
  paginor::SetMessageHandler([&](const std::string& text, const std::string& caption, paginor::MessageIcon) {
    seen = caption + ": " + text;
  });
  const std::string path =
      (std::filesystem::temp_directory_path() / ("paginor-shared-" + std::to_string(::getpid()) + ".pdf")).string();
  {
    paginor::PDF pdf;
    EXPECT_EQ(seen, "Paginor: Initialize()");
    EXPECT_EQ(pdf.Version(), "1.2");
    ASSERT_TRUE(pdf.Create(path));
    pdf.NewPage(36, 36, 36, 36, 255, 255, 255);
    EXPECT_TRUE(pdf.WriteText("Hello", true, 0, paginor::AlignmentConstants::NoAlignment, "https://example.com/"));
    paginor::Document& document = pdf;  // what both formats share
    EXPECT_TRUE(document.DrawCircle(50, 50, 20));
    std::ofstream(path + ".bmp", std::ios::binary) << OnePixelBmp();
    EXPECT_TRUE(pdf.DrawPicture(path + ".bmp", paginor::AlignmentConstants::Center, "https://example.com/",
                                paginor::EncodingConstants::Flate));
    EXPECT_TRUE(document.DrawPicture(path + ".bmp"));
    std::filesystem::remove(path + ".bmp");
    EXPECT_TRUE(pdf.Flush());
  }
  paginor::SetMessageHandler(nullptr);
  std::ifstream file(path, std::ios::binary);
  std::string head(8, '\0');
  file.read(head.data(), 8);
  EXPECT_EQ(head, "%PDF-1.2");
  std::filesystem::remove(path);
}

// The header's macros agree with each other and with the library the program runs with, and the
// library's version is not the document format's.
TEST(SharedLibrary, ReportsItsVersion) {
  const std::string fromParts = std::to_string(PAGINOR_VERSION_MAJOR) + "." + std::to_string(PAGINOR_VERSION_MINOR) +
                                "." + std::to_string(PAGINOR_VERSION_PATCH);
  EXPECT_EQ(fromParts, PAGINOR_VERSION_STRING);
  EXPECT_EQ(paginor::LibraryVersion(), PAGINOR_VERSION_STRING);
  EXPECT_NE(paginor::LibraryVersion(), paginor::PDF().Version());
}

TEST(SharedLibrary, WritesAPostScriptDocument) {
  const std::string path =
      (std::filesystem::temp_directory_path() / ("paginor-shared-" + std::to_string(::getpid()) + ".ps")).string();
  {
    paginor::PS ps;
    EXPECT_EQ(ps.Version(), "3.0");
    ASSERT_TRUE(ps.Create(path));
    ps.NewPage(36, 36, 36, 36, 255, 255, 255);
    EXPECT_TRUE(ps.WriteTitle("Hello", paginor::AlignmentConstants::Center, paginor::BulletConstants::Square));
    std::ofstream(path + ".bmp", std::ios::binary) << OnePixelBmp();
    EXPECT_TRUE(ps.DrawPicture(path + ".bmp", paginor::AlignmentConstants::Center, paginor::EncodingConstants::Flate));
    std::filesystem::remove(path + ".bmp");
    EXPECT_TRUE(ps.Flush());
  }
  std::ifstream file(path, std::ios::binary);
  std::string head(16, '\0');
  file.read(head.data(), 16);
  EXPECT_EQ(head, "%!PS-Adobe-3.0\r\n");
  std::filesystem::remove(path);
}

TEST(SharedLibrary, ExportsOnlyThePublicInterface) {
  FILE* symbols = ::popen("nm -DC --defined-only " PAGINOR_SHARED_LIBRARY " 2>&1", "r");
  ASSERT_NE(symbols, nullptr);
  char line[4096];
  int exported = 0;
  while (std::fgets(line, sizeof line, symbols) != nullptr) {
    // The symbol's own name, without its parameter types.
    const std::string full(line);
    const std::string symbol = full.substr(0, full.find('('));
    if (symbol.find("paginor::") == std::string::npos) continue;
    ++exported;
    for (const char* internal : {"PageLayout", "FormatWriter", "FontCatalogue", "DocumentOutput", "PictureCodec",
                                 "PdfWriter", "PsWriter", "LineBuffer", "Failure", "DIB", "PictureCache",
                                 "EmbeddedPicture"}) {
      EXPECT_EQ(symbol.find(std::string("paginor::") + internal), std::string::npos) << full;
    }
  }
  ::pclose(symbols);
  EXPECT_GT(exported, 50);
}

}  // namespace
