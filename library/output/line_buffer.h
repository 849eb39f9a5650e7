#pragma once

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace paginor {

// Where a document's bytes go once they leave memory, in order, block by block.
class BlockDestination {
 public:
  virtual void Take(std::string_view block) = 0;

 protected:
  ~BlockDestination() = default;
};

// The document as it grows: the bytes of every line with its CR LF, in large fixed-size chunks. When
// the chunk in use is full, the chunks are handed to the destination and the first is used again, so
// memory stays at one chunk whatever the document's length; only the chunks holding bytes appended
// after a kept checkpoint pile up, so that it can still take everything back. A line is built from
// pieces with Put and ended with EndLine; Offset is the byte position in the document of the next byte.
class LineBuffer {
 public:
  LineBuffer() = default;

  // Forgets every byte and sends what fills up from now on to destination (kept in memory when none).
  void Clear(BlockDestination* destination);

  // Appends a piece of the current line.
  LineBuffer& Put(std::string_view text) {
    const size_t size = text.size();
    if (size <= static_cast<size_t>(ChunkEnd - Cursor)) {
      if (size <= 16) {
        CopyShort(Cursor, text.data(), size);
      } else {
        std::memcpy(Cursor, text.data(), size);
      }
      Cursor += size;
    } else {
      PutSlow(text);
    }
    return *this;
  }
  // A string literal: its size, without the terminating zero, is known when compiling, so the copy
  // becomes a few moves.
  template <size_t N>
  LineBuffer& Put(const char (&literal)[N]) {
    return Put(std::string_view(literal, N - 1));
  }
  LineBuffer& Put(char character) {
    if (Cursor == ChunkEnd) NextChunk();
    *Cursor++ = character;
    return *this;
  }

  // Appends an integer in plain decimal ("-" for negatives, no leading zeros).
  LineBuffer& Put(int64_t number) {
    constexpr ptrdiff_t Longest = 20;  // "-9223372036854775808"
    if (ChunkEnd - Cursor < Longest) {
      char digits[Longest];
      const auto result = std::to_chars(digits, digits + Longest, number);
      return Put(std::string_view(digits, static_cast<size_t>(result.ptr - digits)));
    }
    // Most numbers in a document are small and not negative: coordinates, sizes, object numbers.
    if (number >= 0 && number < 10) {
      *Cursor++ = static_cast<char>('0' + number);
    } else if (number >= 0 && number <= UINT32_MAX) {
      Cursor = std::to_chars(Cursor, ChunkEnd, static_cast<uint32_t>(number)).ptr;
    } else {
      Cursor = std::to_chars(Cursor, ChunkEnd, number).ptr;
    }
    return *this;
  }

  // Ends the current line with CR LF.
  void EndLine() { Put("\r\n"); }

  // Appends a whole line.
  void AddLine(std::string_view line) {
    Put(line);
    EndLine();
  }
  template <size_t N>
  void AddLine(const char (&line)[N]) {
    Put(line);
    EndLine();
  }

  // Byte offset in the document of the next byte to be appended.
  int64_t Offset() const { return ChunkStart + (Cursor - ChunkBegin); }
  // Offset of the first byte still in memory: the bytes before it went to the destination.
  int64_t HandedOver() const {
    return InUse == 0 ? ChunkStart : ChunkStart - static_cast<int64_t>((InUse - 1) * ChunkSize);
  }

  // A place to go back to. While it is kept, nothing appended after it leaves memory; TakeBack drops
  // everything appended since, so that an operation failing part way leaves nothing behind.
  class Checkpoint {
   public:
    explicit Checkpoint(LineBuffer& lines) : Lines(lines), Place(lines.Offset()) {
      if (Lines.Checkpoints++ == 0) Lines.HeldFrom = Place;
    }
    ~Checkpoint() { --Lines.Checkpoints; }
    Checkpoint(const Checkpoint&) = delete;
    Checkpoint& operator=(const Checkpoint&) = delete;
    void TakeBack() { Lines.Truncate(Place); }

   private:
    LineBuffer& Lines;
    int64_t Place;
  };

  // Replaces bytes from offset on by as many others, when they are all still in memory; false, changing
  // nothing, otherwise.
  bool Overwrite(int64_t offset, std::string_view bytes);

  // Hands every byte still in memory to the destination.
  void HandOverAll();
  // Once every byte was handed over, and the destination grew or moved them, continues the document
  // at offset: the next byte appended goes there.
  void ContinueAt(int64_t offset);

  // Calls visit with the bytes from offset from up to offset to, which must still be in memory.
  template <typename Visit>
  void VisitMemory(int64_t from, int64_t to, Visit&& visit) const {
    while (from < to) {
      const int64_t inMemory = from - HandedOver();
      const size_t chunk = static_cast<size_t>(inMemory / static_cast<int64_t>(ChunkSize));
      const int64_t within = inMemory % static_cast<int64_t>(ChunkSize);
      const int64_t piece = std::min<int64_t>(to - from, static_cast<int64_t>(ChunkSize) - within);
      visit(std::string_view(Chunks[chunk].get() + within, static_cast<size_t>(piece)));
      from += piece;
    }
  }

 private:
  static constexpr size_t ChunkSize = size_t{1} << 20;

  // Copies up to 16 bytes with two fixed-size moves that may overlap, instead of a library call.
  static void CopyShort(char* to, const char* from, size_t size) {
    if (size >= 8) {
      std::memcpy(to, from, 8);
      std::memcpy(to + size - 8, from + size - 8, 8);
    } else if (size >= 4) {
      std::memcpy(to, from, 4);
      std::memcpy(to + size - 4, from + size - 4, 4);
    } else if (size > 0) {
      to[0] = from[0];
      to[size / 2] = from[size / 2];
      to[size - 1] = from[size - 1];
    }
  }

  void PutSlow(std::string_view text);
  // Makes room after a full chunk: hands over the full chunks no checkpoint may take back, and uses a
  // chunk after those still held.
  void NextChunk();
  void UseChunk(size_t index);
  void Truncate(int64_t offset);

  std::vector<std::unique_ptr<char[]>> Chunks;  // allocated chunks; the first InUse hold the bytes
  size_t InUse = 0;
  char* ChunkBegin = nullptr;
  char* Cursor = nullptr;
  char* ChunkEnd = nullptr;
  int64_t ChunkStart = 0;  // document offset of the current chunk's first byte
  int Checkpoints = 0;
  int64_t HeldFrom = 0;  // the place of the outermost kept checkpoint
  BlockDestination* Destination = nullptr;
};

}  // namespace paginor
