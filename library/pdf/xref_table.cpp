#include "pdf/xref_table.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace paginor {
namespace {

// "00" to "99": the two digits of every number below 100.
constexpr std::array<char, 200> DigitPairs = [] {
  std::array<char, 200> pairs{};
  for (size_t value = 0; value < 100; ++value) {
    pairs[2 * value] = static_cast<char>('0' + value / 10);
    pairs[2 * value + 1] = static_cast<char>('0' + value % 10);
  }
  return pairs;
}();

void PutPair(char* at, uint32_t value) { std::memcpy(at, &DigitPairs[2 * value], 2); }

// The line of an object at offset (ten digits at most): the offset in ten digits, two at a time.
void FormatLine(int64_t offset, char* line) {
  constexpr uint64_t EightDigits = 100000000;
  const auto value = static_cast<uint64_t>(offset);
  PutPair(line, static_cast<uint32_t>(value / EightDigits));
  auto low = static_cast<uint32_t>(value % EightDigits);
  for (char* pair = line + 8; pair > line; pair -= 2) {
    PutPair(pair, low % 100);
    low /= 100;
  }
  std::memcpy(line + 10, " 00000 n\r\n", 10);
}

std::string_view BytesOf(std::span<const int64_t> offsets) {
  return {reinterpret_cast<const char*>(offsets.data()), offsets.size_bytes()};
}

}  // namespace

void XrefTable::Clear() {
  Pending.clear();
  InFile = 0;
  SpillAt = Block;
}

void XrefTable::Spill() {
  if (File.Open("") && WriteAllAt(File.Handle(), BytesOf(Pending), InFile * OffsetSize)) {
    InFile += static_cast<int64_t>(Pending.size());
    Pending.clear();
  } else {
    SpillAt = Pending.size() * 2;  // no file: the offsets stay in memory, tried again much later
  }
}

void XrefTable::Set(int32_t number, int64_t offset) {
  CheckOffset(offset);
  const int64_t index = int64_t{number} - 1;
  const int64_t pendingIndex = index - InFile;
  if (index < 0 || pendingIndex >= static_cast<int64_t>(Pending.size())) Fail();
  if (pendingIndex >= 0) {
    Pending[static_cast<size_t>(pendingIndex)] = offset;
  } else if (!WriteAllAt(File.Handle(), BytesOf(std::span(&offset, 1)), index * OffsetSize)) {
    Fail();
  }
}

void XrefTable::Truncate(int32_t count) {
  const int64_t kept = int64_t{count} - InFile;
  if (kept >= 0) {
    if (static_cast<size_t>(kept) < Pending.size()) Pending.resize(static_cast<size_t>(kept));
  } else {
    // The offsets after count in the file are written over by the next ones.
    InFile = count;
    Pending.clear();
  }
}

void XrefTable::PutLines(std::span<const int64_t> offsets, LineBuffer& lines) {
  // The lines are made a batch at a time and appended together.
  constexpr size_t Batch = 256;
  char text[Batch * EntrySize];
  while (!offsets.empty()) {
    const size_t count = std::min(offsets.size(), Batch);
    for (size_t index = 0; index < count; ++index) FormatLine(offsets[index], text + index * EntrySize);
    lines.Put(std::string_view(text, count * EntrySize));
    offsets = offsets.subspan(count);
  }
}

void XrefTable::WriteTo(LineBuffer& lines) {
  std::vector<int64_t> block(std::min(static_cast<size_t>(InFile), Block));
  for (int64_t first = 0; first < InFile; first += static_cast<int64_t>(Block)) {
    const auto count = static_cast<size_t>(std::min(InFile - first, static_cast<int64_t>(Block)));
    if (!ReadAllAt(File.Handle(), reinterpret_cast<char*>(block.data()), count * sizeof(int64_t), first * OffsetSize)) {
      Fail();
    }
    PutLines(std::span(block.data(), count), lines);
  }
  PutLines(Pending, lines);
}

}  // namespace paginor
