#pragma once

#include <charconv>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace paginor {

// The document as it grows: the bytes of every line with its CR LF, kept in large fixed-size chunks so
// that appending never moves what is already there (peak memory stays close to the file size). A line
// is built from pieces with Put and ended with EndLine; Offset is the byte position of the next line.
// Bytes already appended can be replaced when the buffer is written (Replace), for values only known
// at the end, such as a page count written near the start.
class LineBuffer {
 public:
  LineBuffer() = default;

  void Clear();

  // Appends a piece of the current line.
  LineBuffer& Put(std::string_view text) {
    if (text.size() <= static_cast<size_t>(ChunkEnd - Cursor)) {
      Cursor = std::copy(text.begin(), text.end(), Cursor);
    } else {
      PutSlow(text);
    }
    return *this;
  }
  LineBuffer& Put(char character) { return Put(std::string_view(&character, 1)); }

  // Appends an integer in plain decimal ("-" for negatives, no leading zeros).
  LineBuffer& Put(int64_t number) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, number);
    return Put(std::string_view(digits, static_cast<size_t>(result.ptr - digits)));
  }

  // Ends the current line with CR LF.
  void EndLine() {
    Put(std::string_view("\r\n", 2));
    ++Count;
  }

  // Appends a whole line.
  void AddLine(std::string_view line) {
    Put(line);
    EndLine();
  }

  // Byte offset in the file of the next byte to be appended.
  int64_t Offset() const { return Completed + (Cursor - ChunkBegin); }

  // Number of lines ended so far.
  int64_t LineCount() const { return Count; }

  // A place in the buffer to go back to: Truncate(Place()) drops everything appended since (and the
  // replacements within it), so that an operation failing part way leaves nothing behind. Chunks
  // emptied by it are released.
  struct Mark {
    size_t chunks = 0;
    size_t used = 0;  // bytes used in the last chunk
    int64_t completed = 0;
    int64_t count = 0;
  };
  Mark Place() const {
    return {Chunks.size(), static_cast<size_t>(Cursor - ChunkBegin), Completed, Count};
  }
  void Truncate(const Mark& mark);

  // Writes, when the buffer is written, text instead of the length bytes from offset. Replacements
  // come in increasing offset order and do not overlap; the text may be longer or shorter.
  void Replace(int64_t offset, int64_t length, std::string text);

  // Writes every byte, with the replacements, to a file descriptor; false when any write fails.
  bool WriteTo(int descriptor) const;

 private:
  static constexpr size_t ChunkSize = size_t{4} << 20;

  struct Replacement {
    int64_t Offset;
    int64_t Length;
    std::string Text;
  };

  void PutSlow(std::string_view text);
  void StartChunk();

  std::vector<std::unique_ptr<char[]>> Chunks;
  char* ChunkBegin = nullptr;
  char* Cursor = nullptr;
  char* ChunkEnd = nullptr;
  int64_t Completed = 0;  // bytes in the chunks before the current one
  int64_t Count = 0;
  std::vector<Replacement> Replacements;
};

}  // namespace paginor
