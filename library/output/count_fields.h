#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string_view>

#include "output/line_buffer.h"

namespace paginor {

// Fields of a document that all show one count known only when the document ends (such as a page
// count named at the head and on every page). Each field is written as zeros, as many as the count has
// digits so far, and its place is noted. When the count gains a digit, every field written so far
// grows by one byte: the document is re-laid in its file with a '0' in front of each field. At the end
// each field is overwritten with the count, which then has exactly the fields' width, so the document
// never has to be copied to be completed.
class CountFields {
 public:
  // No fields; the count is 0, one digit wide.
  void Clear();
  // Writes a field at the end of the document and notes its place.
  void Put(LineBuffer& lines);
  void SetCount(int64_t count) { Value = count; }
  // True when the count has more digits than the fields: they must be widened before the next Put.
  bool TooNarrow() const;
  // Re-lays the first length bytes of the document in its file, inserting a '0' in front of every
  // field; the document grows by Fields() bytes. The file is read and written once, from the end
  // towards the start, in blocks through one reused buffer, each block written at or after its old
  // start and up to where the block after it now begins, so that no byte is overwritten before it was
  // read. False, with errno telling why, when a read or write fails.
  bool WidenIn(int descriptor, int64_t length);
  // Notes that every field gained a '0' in front: the fields' new places and width.
  void Widened();
  // Writes the count (not TooNarrow) in the fields' width into every field of the document in its
  // file; false, with errno telling why, when a write fails.
  bool FillIn(int descriptor) const;

  size_t Fields() const { return Offsets.size(); }
  // The digits each field has now.
  size_t Width() const { return FieldWidth; }

 private:
  // Where each field starts, in increasing order; a deque grows a block at a time, without the copy and
  // the double size a vector needs for a moment when it grows.
  std::deque<int64_t> Offsets;
  size_t FieldWidth = 1;
  int64_t Value = 0;
  std::unique_ptr<char[]> Buffer;  // the widening's blocks, allocated at the first widening
};

}  // namespace paginor
