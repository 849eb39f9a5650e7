// Count fields widened in their file: every byte lands where a '0' in front of each field puts it,
// wherever the fields fall against the blocks the file is re-laid in, and the count fills them in.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>

#include <set>
#include <string>

#include "output/count_fields.h"
#include "output/file_io.h"
#include "support/test_files.h"

namespace paginor {
namespace {

struct FileDestination final : BlockDestination {
  int descriptor = -1;
  int64_t written = 0;
  void Take(std::string_view block) override {
    ASSERT_TRUE(WriteAllAt(descriptor, block, written));
    written += static_cast<int64_t>(block.size());
  }
};

std::string Contents(int descriptor, size_t size) {
  std::string bytes(size, '\0');
  EXPECT_TRUE(ReadAllAt(descriptor, bytes.data(), size, 0));
  return bytes;
}

TEST(CountFields, WidenEveryFieldInPlaceAcrossBlocksAndFillThem) {
  constexpr int64_t Block = int64_t{1} << 20;
  constexpr int64_t Length = 3 * Block + 123;
  // Fields at the start and the end of the document, on both sides of every block boundary (counted
  // from the end, where the re-laying starts), side by side, and one every few hundred bytes.
  std::set<int64_t> places = {0, 1, 2, 5, Length - 1, Length - 3};
  for (int64_t boundary = Length - Block; boundary > 0; boundary -= Block) {
    places.insert({boundary - 1, boundary, boundary + 1});
  }
  for (int64_t place = 7; place < Length - 4; place += 331) places.insert(place);

  const std::string path = testing::TempPath("count_fields.bin");
  FileDestination file;
  file.descriptor = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  ASSERT_GE(file.descriptor, 0);
  LineBuffer lines;
  lines.Clear(&file);
  CountFields fields;
  fields.Clear();
  std::string expected;
  std::vector<int64_t> offsets;
  for (int64_t place = 0; place < Length; ++place) {
    if (places.contains(place)) {
      fields.Put(lines);
      expected += '0';
      offsets.push_back(place);
    } else {
      const char filler = static_cast<char>('a' + place % 26);
      lines.Put(filler);
      expected += filler;
    }
  }
  lines.HandOverAll();
  ASSERT_EQ(file.written, Length);

  for (const int64_t count : {10, 100}) {
    fields.SetCount(count);
    ASSERT_TRUE(fields.TooNarrow());
    ASSERT_TRUE(fields.WidenIn(file.descriptor, static_cast<int64_t>(expected.size())));
    fields.Widened();
    EXPECT_FALSE(fields.TooNarrow());
    for (size_t index = offsets.size(); index-- > 0;) expected.insert(static_cast<size_t>(offsets[index]), 1, '0');
    for (size_t index = 0; index < offsets.size(); ++index) offsets[index] += static_cast<int64_t>(index);
    EXPECT_TRUE(Contents(file.descriptor, expected.size()) == expected) << "widened for " << count;
  }
  fields.SetCount(100);
  ASSERT_TRUE(fields.FillIn(file.descriptor));
  for (const int64_t offset : offsets) expected.replace(static_cast<size_t>(offset), 3, "100");
  EXPECT_TRUE(Contents(file.descriptor, expected.size()) == expected) << "filled";
  EXPECT_EQ(::lseek(file.descriptor, 0, SEEK_END), static_cast<off_t>(expected.size())) << "not one byte more";
  ::close(file.descriptor);
  ::unlink(path.c_str());
}

}  // namespace
}  // namespace paginor
