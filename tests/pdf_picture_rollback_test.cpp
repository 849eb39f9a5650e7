// A picture that fails after its fit test takes back everything it appended: the document is then
// byte for byte the one written without that call. The failure is real: this program's allocator
// refuses every block from a chosen size on, as an exhausted machine would.
#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <new>
#include <string>

#include "paginor/pdf.h"
#include "support/pdf_reader.h"
#include "support/picture_writers.h"
#include "support/test_files.h"

namespace {

size_t RefuseFrom = std::numeric_limits<size_t>::max();

}  // namespace

void* operator new(size_t size) {
  if (size >= RefuseFrom) throw std::bad_alloc();
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, size_t) noexcept { std::free(block); }

namespace paginor {
namespace {

// A photo of 590 by 800 pixels in one colour: a small file whose pixels take 2.8 MB in ASCIIHex.
std::string LargePhoto() {
  testing::JpegPicture photo;
  photo.width = 590;
  photo.height = 800;
  photo.quality = 90;
  photo.samples.assign(590u * 800u * 3u, 170);
  const std::string path = testing::TempPath("large.jpg");
  testing::WriteJpeg(path, photo);
  return path;
}

// Two pages with the photo, a picture and a line of text on the second; when failing is set, a linked
// copy of the photo that cannot be completed is tried between them. Compact or not.
std::string WriteDocument(const std::string& name, bool failing, bool compact) {
  const std::string photo = LargePhoto();
  const std::string link = "http://example.com/" + std::string(9u << 20, 'x');  // 9 MB to escape
  const std::string path = testing::TempPath(name);
  PDF pdf;
  pdf.SetCompact(compact);
  EXPECT_TRUE(pdf.Create(path));
  pdf.NewPage(0, 0, 0, 0, 255, 255, 255);
  EXPECT_TRUE(pdf.DrawPicture(photo, AlignmentConstants::NoAlignment, "", EncodingConstants::ASCIIHex));
  pdf.NewPage(0, 0, 0, 0, 255, 255, 255);
  pdf.SetPosition(3, 4);
  if (failing) {
    // The photo's lines cross into a new 4 MB block of the document; the link, written last, needs a
    // block of 9 MB and is refused.
    RefuseFrom = 8u << 20;
    const bool drawn = pdf.DrawPicture(photo, AlignmentConstants::Center, link, EncodingConstants::ASCIIHex);
    RefuseFrom = std::numeric_limits<size_t>::max();
    EXPECT_FALSE(drawn);
    int16_t x = 0, y = 0;
    pdf.GetPosition(x, y);
    EXPECT_EQ(x, 3);  // the centring is taken back too
    EXPECT_EQ(y, 4);
  }
  EXPECT_TRUE(pdf.DrawPicture(photo, AlignmentConstants::RightAlign, "http://example.com/b",
                              EncodingConstants::Flate));
  EXPECT_TRUE(pdf.WriteText("after the pictures"));
  testing::FlushAndCheck(pdf, path);
  return testing::ReadFile(path);
}

void ExpectRolledBack(bool compact) {
  testing::FixCreationDate();
  const std::string reference = WriteDocument("reference.pdf", false, compact);
  const std::string rolledBack = WriteDocument("rolled_back.pdf", true, compact);
  // More than 2 MB before the failing call, which adds 2.8 MB: its lines cross a block boundary.
  ASSERT_GT(reference.size(), 2u << 20);
  EXPECT_TRUE(reference == rolledBack) << "the documents differ (" << reference.size() << " and "
                                       << rolledBack.size() << " bytes)";
}

TEST(PdfPictureRollback, AFailedPictureLeavesTheDocumentAsIfNeverDrawn) { ExpectRolledBack(false); }

// The picture's placement, already gathered into the page's content, is taken back with it.
TEST(PdfPictureRollback, AFailedPictureLeavesACompactDocumentAsIfNeverDrawn) { ExpectRolledBack(true); }

}  // namespace
}  // namespace paginor
