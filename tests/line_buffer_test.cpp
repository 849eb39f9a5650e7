// The document buffer hands full chunks on as it grows, and a checkpoint still takes back everything
// appended after it, wherever the chunk boundaries fall.
#include <gtest/gtest.h>

#include <string>

#include "core/line_buffer.h"
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
}

}  // namespace
}  // namespace paginor
