#include "ps/cff_program.h"

#include <optional>

namespace paginor {
namespace {

// An index of the program: count objects, object k in the bytes [start + offset k, start + offset k+1).
struct CffIndex {
  uint32_t count = 0;
  std::span<const uint8_t> offsets;
  uint8_t offsetSize = 0;
  size_t dataStart = 0;  // the position of offset 1 (offsets count from 1)
  size_t end = 0;        // the first byte after the index

  uint32_t Offset(size_t index) const {
    uint32_t value = 0;
    for (size_t byte = 0; byte < offsetSize; ++byte) value = value << 8 | offsets[index * offsetSize + byte];
    return value;
  }
};

// The index at a position, every offset checked to rise within the program.
std::optional<CffIndex> ReadIndex(std::span<const uint8_t> program, size_t at) {
  if (at > program.size() || program.size() - at < 2) return std::nullopt;
  CffIndex index;
  index.count = uint32_t{program[at]} << 8 | program[at + 1];
  if (index.count == 0) {
    index.end = at + 2;
    return index;
  }
  if (program.size() - at < 3) return std::nullopt;
  index.offsetSize = program[at + 2];
  const size_t offsetBytes = size_t{index.offsetSize} * (index.count + 1);
  if (index.offsetSize < 1 || index.offsetSize > 4 || program.size() - at - 3 < offsetBytes) return std::nullopt;
  index.offsets = program.subspan(at + 3, offsetBytes);
  index.dataStart = at + 3 + offsetBytes - 1;
  uint32_t previous = 1;
  for (size_t entry = 0; entry <= index.count; ++entry) {
    const uint32_t offset = index.Offset(entry);
    if (offset < previous || offset - 1 > program.size() - index.dataStart - 1) return std::nullopt;
    previous = offset;
  }
  index.end = index.dataStart + previous;
  return index;
}

// What the top dictionary says: where the glyphs' index and the private dictionary are, and whether the
// font is CID-keyed.
struct TopDictionary {
  int64_t charStrings = -1;
  int64_t privateSize = 0, privateOffset = 0;
  bool cidKeyed = false;
};

// Reads a dictionary's operators with their integer operands; false when an operand runs past its end.
bool ReadTopDictionary(std::span<const uint8_t> dict, TopDictionary& top) {
  int64_t operands[48];
  size_t count = 0;
  for (size_t at = 0; at < dict.size();) {
    const uint8_t byte = dict[at];
    int64_t value = 0;
    if (byte <= 21) {  // an operator, two bytes after the escape 12
      uint32_t op = byte;
      if (byte == 12) {
        if (++at >= dict.size()) return false;
        op = 1200 + dict[at];
      }
      ++at;
      if (op == 17 && count >= 1) top.charStrings = operands[count - 1];
      if (op == 18 && count >= 2) {
        top.privateSize = operands[count - 2];
        top.privateOffset = operands[count - 1];
      }
      if (op == 1230) top.cidKeyed = true;
      count = 0;
      continue;
    }
    if (byte == 28 || byte == 29) {
      const size_t size = byte == 28 ? 2 : 4;
      if (dict.size() - at - 1 < size) return false;
      uint32_t raw = 0;
      for (size_t index = 1; index <= size; ++index) raw = raw << 8 | dict[at + index];
      value = byte == 28 ? static_cast<int16_t>(raw) : static_cast<int32_t>(raw);
      at += 1 + size;
    } else if (byte == 30) {  // a real number, nibbles up to the end nibble 0xF
      while (++at < dict.size() && (dict[at] & 0x0F) != 0x0F && (dict[at] & 0xF0) != 0xF0) {
      }
      if (at++ >= dict.size()) return false;
    } else if (byte >= 32 && byte <= 246) {
      value = int64_t{byte} - 139;
      ++at;
    } else if (byte >= 247 && byte <= 254) {
      if (at + 1 >= dict.size()) return false;
      const int64_t high = byte <= 250 ? int64_t{byte} - 247 : int64_t{byte} - 251;
      value = byte <= 250 ? high * 256 + dict[at + 1] + 108 : -high * 256 - dict[at + 1] - 108;
      at += 2;
    } else {
      return false;
    }
    if (count == std::size(operands)) return false;
    operands[count++] = value;
  }
  return true;
}

}  // namespace

bool IsCffProgram(std::span<const uint8_t> program) { return program.size() >= 4 && program[0] == 1; }

bool CffProgram::Read(std::span<const uint8_t> program, std::string& reason) {
  Name.clear();
  Glyphs = 0;
  reason = "the CFF font program is truncated or damaged";
  if (!IsCffProgram(program) || program[2] < 4 || program[2] > program.size()) return false;
  const auto names = ReadIndex(program, program[2]);
  if (!names) return false;
  const auto tops = ReadIndex(program, names->end);
  if (!tops) return false;
  if (names->count != 1 || tops->count != 1) {
    reason = "the CFF font program does not hold exactly one font";
    return false;
  }
  const auto strings = ReadIndex(program, tops->end);
  if (!strings || !ReadIndex(program, strings->end)) return false;
  TopDictionary top;
  const size_t topStart = tops->dataStart + tops->Offset(0);
  if (!ReadTopDictionary(program.subspan(topStart, tops->Offset(1) - tops->Offset(0)), top)) return false;
  if (top.cidKeyed) {
    reason = "CID-keyed CFF font programs are not supported";
    return false;
  }
  if (top.charStrings < 0 || top.privateSize < 0 || top.privateOffset < 0 ||
      top.privateOffset > static_cast<int64_t>(program.size()) - top.privateSize) {
    return false;
  }
  const auto glyphs = ReadIndex(program, static_cast<size_t>(top.charStrings));
  if (!glyphs || glyphs->count == 0) return false;
  Glyphs = glyphs->count;
  const size_t nameStart = names->dataStart + names->Offset(0);
  Name.assign(program.begin() + static_cast<ptrdiff_t>(nameStart),
              program.begin() + static_cast<ptrdiff_t>(names->dataStart + names->Offset(1)));
  reason.clear();
  return true;
}

}  // namespace paginor
