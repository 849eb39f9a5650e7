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

size_t PlainNonPrintable(std::string_view text, size_t from) {
  while (from < text.size() && text[from] >= ' ' && text[from] <= '~') ++from;
  return from;
}

// Calls check (view, from, description) for texts of every length up to 40 made of filler, with each of
// marks at every position, at every alignment, scanned from the start, halfway to the mark and the mark.
template <typename Check>
void ForEveryPlacement(const std::string& filler, const std::string& marks, Check&& check) {
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
            check(view, from, "length " + std::to_string(length) + ", mark at " + std::to_string(position) +
                                  ", from " + std::to_string(from) + ", alignment " + std::to_string(alignment));
          }
        }
      }
    }
  }
}

TEST(ByteScan, FindsEveryMarkedByteAtEveryPositionAndAlignment) {
  // Ordinary bytes around the marks include the neighbours of every member value ('\'', '*', '[', ']')
  // and bytes with the high bit set, so that a near miss in any byte lane would show.
  ForEveryPlacement("ab'*[]\x7F\x01 \xA8\xA9\xDCz", std::string("\\()") + '\x80' + '\xFF',
                    [](std::string_view view, size_t from, const std::string& where) {
                      ASSERT_EQ(PdfSpecials.Find(view, from), PlainFind(view, from, "\\()")) << where;
                    });
}

TEST(ByteScan, FindsTheFirstUnprintableByteAtEveryPositionAndAlignment) {
  // The printable bytes at both edges of the range, around bytes just outside it and far from it.
  ForEveryPlacement(" !}~a", std::string("\x00\x01\x1F\x7F\x80\xFF", 6),
                    [](std::string_view view, size_t from, const std::string& where) {
                      ASSERT_EQ(FindNonPrintable(view, from), PlainNonPrintable(view, from)) << where;
                    });
}

TEST(ByteScan, FindsTheFirstOfSeveralMembersInOneWord) {
  constexpr ByteSet lineEnds("\r\n");
  EXPECT_EQ(lineEnds.Find("abc\n\r\nxyz", 0), 3u);
  EXPECT_EQ(lineEnds.Find("abc\n\r\nxyz", 4), 4u);
  EXPECT_EQ(lineEnds.Find("abc\n\r\nxyz", 6), 9u);
  EXPECT_EQ(PdfSpecials.Find("no specials here at all", 0), 23u);
  EXPECT_EQ(FindNonPrintable("caf\xC3\xA9", 0), 3u);
  EXPECT_EQ(FindNonPrintable("The quick brown fox jumps over the lazy dog~\x7F", 0), 44u);
  EXPECT_EQ(FindNonPrintable(" !\x1F", 0), 2u);
}

}  // namespace
}  // namespace paginor
