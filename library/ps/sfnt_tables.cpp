#include "ps/sfnt_tables.h"

#include <algorithm>

namespace paginor {
namespace {

uint32_t Tag(const char (&name)[5]) {
  return uint32_t{static_cast<uint8_t>(name[0])} << 24 | uint32_t{static_cast<uint8_t>(name[1])} << 16 |
         uint32_t{static_cast<uint8_t>(name[2])} << 8 | uint32_t{static_cast<uint8_t>(name[3])};
}

// Big-endian numbers at an offset the caller has checked.
uint32_t Read16(std::span<const uint8_t> bytes, size_t at) {
  return uint32_t{bytes[at]} << 8 | uint32_t{bytes[at + 1]};
}
uint32_t Read32(std::span<const uint8_t> bytes, size_t at) { return Read16(bytes, at) << 16 | Read16(bytes, at + 2); }

struct Table {
  uint32_t offset = 0;
  uint32_t length = 0;
  bool found = false;
};

}  // namespace

bool IsTrueTypeProgram(std::span<const uint8_t> program) {
  return program.size() >= 4 && (Read32(program, 0) == 0x00010000 || Read32(program, 0) == Tag("true"));
}

bool SfntTables::Read(std::span<const uint8_t> program, std::string& reason) {
  Glyphs = 0;
  Cuts.clear();
  if (!IsTrueTypeProgram(program) || program.size() < 12) {
    reason = "the font program is not a TrueType font";
    return false;
  }
  if (program.size() > UINT32_MAX) {
    reason = "the font program is larger than 4 GiB";
    return false;
  }
  const size_t tableCount = Read16(program, 4);
  if (tableCount == 0 || 12 + 16 * tableCount > program.size()) {
    reason = "the font program's table directory is truncated";
    return false;
  }
  Table head, maxp, loca, glyf;
  Cuts.push_back(0);
  for (size_t index = 0; index < tableCount; ++index) {
    const size_t entry = 12 + 16 * index;
    const uint32_t tag = Read32(program, entry);
    const Table table{Read32(program, entry + 8), Read32(program, entry + 12), true};
    if (uint64_t{table.offset} + table.length > program.size()) {
      reason = "a table of the font program lies outside it";
      return false;
    }
    if (table.offset % 2 == 0) Cuts.push_back(table.offset);
    for (auto [wanted, into] : {std::pair{Tag("head"), &head}, {Tag("maxp"), &maxp}, {Tag("loca"), &loca},
                                {Tag("glyf"), &glyf}}) {
      if (tag == wanted) *into = table;
    }
  }
  if (!head.found || !maxp.found || !loca.found || !glyf.found) {
    reason = "the font program lacks one of its head, maxp, loca and glyf tables";
    return false;
  }
  if (head.length < 54 || maxp.length < 6) {
    reason = "the font program's head or maxp table is truncated";
    return false;
  }
  const uint32_t locaFormat = Read16(program, head.offset + 50);
  Glyphs = Read16(program, maxp.offset + 4);
  const size_t entrySize = locaFormat == 0 ? 2 : 4;
  if (locaFormat > 1 || Glyphs == 0 || loca.length < entrySize * (size_t{Glyphs} + 1)) {
    reason = "the font program's glyph locations are damaged";
    return false;
  }
  // Each glyph starts where its location says and ends where the next one starts.
  uint32_t previous = 0;
  for (size_t glyph = 0; glyph <= Glyphs; ++glyph) {
    const size_t at = loca.offset + glyph * entrySize;
    const uint32_t start = entrySize == 2 ? 2 * Read16(program, at) : Read32(program, at);
    if (start < previous || start > glyf.length) {
      reason = "the font program's glyph locations are damaged";
      return false;
    }
    previous = start;
    const uint32_t place = glyf.offset + start;
    if (place % 2 == 0 && place < program.size()) Cuts.push_back(place);
  }
  std::sort(Cuts.begin(), Cuts.end());
  Cuts.erase(std::unique(Cuts.begin(), Cuts.end()), Cuts.end());
  return true;
}

}  // namespace paginor
