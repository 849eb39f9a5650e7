// The document buffer hands full chunks on as it grows, and a checkpoint still takes back everything
// appended after it, wherever the chunk boundaries fall.
#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>

#include "output/line_buffer.h"
#include "pdf/xref_table.h"
#include "services/failure.h"

namespace paginor {
namespace {

struct Collected final : BlockDestination {
  std::string bytes;
  size_t blocks = 0;
  void Take(std::string_view block) override {
    bytes.append(block);
    ++blocks;
  }
};

// A line of a given length, its bytes telling its number.
std::string Numbered(int number, size_t length) {
  std::string line = std::to_string(number) + ':';
  line.resize(length, static_cast<char>('a' + number % 26));
  return line;
}

TEST(LineBuffer, HandsChunksOnAndTakesBackToACheckpointAcrossThem) {
  LineBuffer lines;
  Collected destination;
  lines.Clear(&destination);
  std::string expected;
  for (int number = 0; number < 30000; ++number) {  // about 3 chunks of lines
    const std::string line = Numbered(number, 100);
    lines.AddLine(line);
    expected += line + "\r\n";
  }
  EXPECT_GE(destination.blocks, 2u);
  EXPECT_EQ(lines.Offset(), static_cast<int64_t>(expected.size()));
  EXPECT_EQ(lines.HandedOver(), static_cast<int64_t>(destination.bytes.size()));
  {
    // An operation that appends more than two chunks, then fails: nothing of it may have left memory.
    LineBuffer::Checkpoint checkpoint(lines);
    const int64_t handed = lines.HandedOver();
    for (int number = 0; number < 25000; ++number) lines.Put(Numbered(number, 90)).Put(int64_t{-number}).EndLine();
    EXPECT_EQ(lines.HandedOver(), handed);
    checkpoint.TakeBack();
    EXPECT_EQ(lines.Offset(), static_cast<int64_t>(expected.size()));
  }
  {
    LineBuffer::Checkpoint kept(lines);  // one that succeeds keeps its bytes
    lines.AddLine("kept");
    expected += "kept\r\n";
  }
  for (int number = 0; number < 20000; ++number) {
    lines.Put(int64_t{number} * 1000003).Put(' ').Put(Numbered(number, 40)).EndLine();
    expected += std::to_string(int64_t{number} * 1000003) + ' ' + Numbered(number, 40) + "\r\n";
  }
  lines.HandOverAll();
  EXPECT_EQ(lines.HandedOver(), lines.Offset());
  ASSERT_EQ(destination.bytes.size(), expected.size());
  EXPECT_TRUE(destination.bytes == expected);
}

TEST(LineBuffer, HoldsOnlyWhatTheKeptCheckpointMayTakeBack) {
  // Operations of 2.5 chunks each, every one under its own checkpoint, back to back: the bytes before
  // the operation in progress leave memory, whatever lies outside the checkpoints.
  LineBuffer lines;
  Collected destination;
  lines.Clear(&destination);
  const std::string piece((size_t{5} << 19) + 3, 'p');
  std::string expected;
  for (int operation = 0; operation < 8; ++operation) {
    LineBuffer::Checkpoint checkpoint(lines);
    const int64_t place = lines.Offset();
    lines.Put(piece);
    expected += piece;
    EXPECT_LE(lines.HandedOver(), place);
    EXPECT_GT(lines.HandedOver(), place - (int64_t{1} << 20)) << "operation " << operation;
    if (operation == 5) {
      checkpoint.TakeBack();
      expected.resize(expected.size() - piece.size());
    }
  }
  lines.HandOverAll();
  EXPECT_TRUE(destination.bytes == expected);
}

TEST(LineBuffer, TakesBackToExactChunkBoundaries) {
  for (const size_t prefix : {size_t{0}, size_t{1} << 20, (size_t{1} << 20) - 1, (size_t{2} << 20) + 7}) {
    LineBuffer lines;
    Collected destination;
    lines.Clear(&destination);
    const std::string head(prefix, 'h');
    lines.Put(head);
    {
      LineBuffer::Checkpoint checkpoint(lines);
      lines.Put(std::string((size_t{3} << 20) + 5, 'x'));
      checkpoint.TakeBack();
    }
    lines.Put("tail");
    lines.HandOverAll();
    EXPECT_TRUE(destination.bytes == head + "tail") << "after " << prefix << " bytes";
  }
}

TEST(LineBuffer, ShortPiecesLiteralsAndNumbersCrossAChunkBoundaryWhole) {
  // Every size of a short piece, ending at every place around the first chunk's end.
  const std::string pattern = "0123456789abcdefghijklmnopqrstuvwxyz";
  const std::string head((size_t{1} << 20) - 24, '.');
  for (size_t size = 0; size <= 24; ++size) {
    LineBuffer lines;
    Collected destination;
    lines.Clear(&destination);
    lines.Put(head);
    std::string expected = head;
    for (size_t start = 0; start + size <= pattern.size(); ++start) {
      lines.Put(std::string_view(pattern).substr(start, size)).Put("<lit>").EndLine();
      expected.append(pattern, start, size).append("<lit>\r\n");
    }
    lines.HandOverAll();
    ASSERT_TRUE(destination.bytes == expected) << "pieces of " << size;
  }

  LineBuffer lines;
  Collected destination;
  lines.Clear(&destination);
  const std::string nearEnd((size_t{1} << 20) - 30, '.');
  lines.Put(nearEnd);
  std::string expected = nearEnd;
  for (const int64_t number : {int64_t{0}, int64_t{9}, int64_t{10}, int64_t{99}, int64_t{100}, int64_t{-1},
                               int64_t{4294967295}, int64_t{4294967296}, int64_t{9999999999},
                               std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max()}) {
    lines.Put(number).Put(' ');
    expected += std::to_string(number) + ' ';
  }
  lines.HandOverAll();
  EXPECT_TRUE(destination.bytes == expected);
}

TEST(XrefTable, KeepsEveryOffsetThroughItsFileSetsAndTruncations) {
  XrefTable table;
  table.Clear();
  std::vector<int64_t> offsets;
  for (int64_t object = 1; object <= 20000; ++object) {  // several blocks: most lines go to the file
    offsets.push_back(object == 3 ? 0 : object * 37);
    table.Add(offsets.back());
  }
  table.Set(3, 9999999999);  // an early object, written late
  offsets[2] = 9999999999;
  table.Truncate(15000);  // back into the lines in the file; the next ones write over them
  offsets.resize(15000);
  for (int64_t object = 15001; object <= 15100; ++object) {
    offsets.push_back(object * 41);
    table.Add(offsets.back());
  }
  table.Set(15050, 12);
  offsets[15049] = 12;

  LineBuffer lines;
  Collected destination;
  lines.Clear(&destination);
  table.WriteTo(lines);
  lines.HandOverAll();
  ASSERT_EQ(destination.bytes.size(), offsets.size() * 20);
  for (size_t index = 0; index < offsets.size(); ++index) {
    std::string expected = std::to_string(offsets[index]);
    expected.insert(0, 10 - expected.size(), '0');
    expected += " 00000 n\r\n";
    ASSERT_EQ(destination.bytes.substr(index * 20, 20), expected) << "object " << index + 1;
  }
  EXPECT_THROW(table.Add(10000000000), Failure);  // more than ten digits
  EXPECT_THROW(table.Set(1, 10000000000), Failure);
}

TEST(XrefTable, MatchesAPlainListThroughRandomAddsSetsAndTruncations) {
  // Truncations and sets land on both sides of the offsets sent to the file, again and again.
  std::mt19937_64 random(13);
  XrefTable table;
  table.Clear();
  std::vector<int64_t> offsets;
  for (int step = 0; step < 4000; ++step) {
    const uint64_t choice = random() % 100;
    if (choice < 1 && !offsets.empty()) {  // back by up to a few thousand: into the file or not
      const auto count = static_cast<int32_t>(offsets.size() - random() % std::min<size_t>(offsets.size(), 3000));
      table.Truncate(count);
      offsets.resize(static_cast<size_t>(count));
    } else if (choice < 20 && !offsets.empty()) {
      const auto number = static_cast<int32_t>(random() % offsets.size() + 1);
      const auto offset = static_cast<int64_t>(random() % 10000000000);
      table.Set(number, offset);
      offsets[static_cast<size_t>(number - 1)] = offset;
    } else {
      for (int added = 0; added < 50; ++added) {
        offsets.push_back(static_cast<int64_t>(random() % 10000000000));
        table.Add(offsets.back());
      }
    }
  }
  LineBuffer lines;
  Collected destination;
  lines.Clear(&destination);
  table.WriteTo(lines);
  lines.HandOverAll();
  std::string expected;
  for (const int64_t offset : offsets) {
    const std::string digits = std::to_string(offset);
    expected.append(10 - digits.size(), '0').append(digits).append(" 00000 n\r\n");
  }
  EXPECT_GT(offsets.size(), 80000u);  // many blocks of them went to the file
  EXPECT_TRUE(destination.bytes == expected) << offsets.size() << " objects";
}

}  // namespace
}  // namespace paginor
