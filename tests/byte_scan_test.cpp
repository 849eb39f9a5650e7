// The word-at-a-time scans find the same byte a plain scan finds, wherever it lies in the word and
// however the text is aligned.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "services/byte_scan.h"

namespace paginor {
namespace {

constexpr ByteSet PdfSpecials("\\()");

size_t PlainFind(std::string_view text, size_t from, std::string_view members) {
  const size_t found = text.find_first_of(members, from);
  return found == std::string_view::npos ? text.size() : found;
}

size_t PlainNonAscii(std::string_view text, size_t from) {
  while (from < text.size() && static_cast<unsigned char>(text[from]) < 0x80) ++from;
  return from;
}

TEST(ByteScan, FindsEveryMarkedByteAtEveryPositionAndAlignment) {
  // Ordinary bytes around the marks include the neighbours of every member value ('\'', '*', '[', ']')
  // and bytes with the high bit set, so that a near miss in any byte lane would show.
  const std::string filler = "ab'*[]\x7F\x01 \xA8\xA9\xDCz";
  const std::string marks = std::string("\\()") + '\x80' + '\xFF';
  std::string storage(64, '\0');
  for (size_t alignment = 0; alignment < 8; ++alignment) {
    for (size_t length = 0; length <= 40; ++length) {
      for (size_t position = 0; position <= length; ++position) {
        for (const char mark : marks) {
          std::string text(length, ' ');
          for (size_t index = 0; index < length; ++index) text[index] = filler[(index + alignment) % filler.size()];
          if (position < length) text[position] = mark;
          storage.replace(alignment, length, text);
          const std::string_view view(storage.data() + alignment, length);
          for (const size_t from : {size_t{0}, position / 2, position}) {
            if (from > length) continue;
            ASSERT_EQ(PdfSpecials.Find(view, from), PlainFind(view, from, "\\()"))
                << "length " << length << ", mark at " << position << ", from " << from << ", alignment " << alignment;
            ASSERT_EQ(FindNonAscii(view, from), PlainNonAscii(view, from))
                << "length " << length << ", mark at " << position << ", from " << from << ", alignment " << alignment;
          }
        }
      }
    }
  }
}

TEST(ByteScan, FindsTheFirstOfSeveralMembersInOneWord) {
  constexpr ByteSet lineEnds("\r\n");
  EXPECT_EQ(lineEnds.Find("abc\n\r\nxyz", 0), 3u);
  EXPECT_EQ(lineEnds.Find("abc\n\r\nxyz", 4), 4u);
  EXPECT_EQ(lineEnds.Find("abc\n\r\nxyz", 6), 9u);
  EXPECT_EQ(PdfSpecials.Find("no specials here at all", 0), 23u);
  EXPECT_EQ(FindNonAscii("caf\xC3\xA9", 0), 3u);
}

}  // namespace
}  // namespace paginor
