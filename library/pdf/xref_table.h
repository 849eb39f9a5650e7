#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "output/file_io.h"
#include "output/line_buffer.h"
#include "services/failure.h"

namespace paginor {

// The byte offsets of a document's objects, one per object from object 1 on, written at the end as the
// lines of its cross-reference table ("offset in ten digits, 00000 n"). The offsets wait in memory up to
// a block and then, as binary numbers, in an unnamed file, so that memory does not grow with the
// document; when no such file can be made they stay in memory.
class XrefTable {
 public:
  // Forgets every object.
  void Clear();
  // The next object, at offset; 0 for an object written later (see Set).
  void Add(int64_t offset) {
    CheckOffset(offset);
    Pending.push_back(offset);
    if (Pending.size() >= SpillAt) Spill();
  }
  // The offset of object number (1 or more, already added).
  void Set(int32_t number, int64_t offset);
  // Forgets the objects after the first count.
  void Truncate(int32_t count);
  // Appends the lines of every object, in order.
  void WriteTo(LineBuffer& lines);

 private:
  static constexpr size_t EntrySize = 20;               // the length of a line
  static constexpr size_t Block = size_t{8} << 10;      // offsets kept in memory before the file
  static constexpr int64_t OffsetSize = sizeof(int64_t);  // the size of an offset in the file

  static void CheckOffset(int64_t offset) {
    if (offset < 0 || offset > 9999999999) Fail();  // the table has ten digits
  }
  static void PutLines(std::span<const int64_t> offsets, LineBuffer& lines);
  void Spill();

  std::vector<int64_t> Pending;  // the offsets after those in the file
  int64_t InFile = 0;            // offsets in the file
  size_t SpillAt = Block;        // Pending's size that sends it to the file
  TemporaryFile File;
};

}  // namespace paginor
