#include "core/line_buffer.h"

#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "services/failure.h"

namespace paginor {
namespace {

// Gathers pieces of memory and writes them to a file descriptor with few system calls.
class GatheredWrite {
 public:
  explicit GatheredWrite(int descriptor) : Descriptor(descriptor) {}

  // Adds a piece; false when a write failed.
  bool Add(const char* data, size_t size) {
    if (size == 0) return true;
    Pieces.push_back({const_cast<char*>(data), size});
    return Pieces.size() < BatchSize || Drain();
  }

  // Writes every piece added so far; false when a write failed.
  bool Drain() {
    size_t first = 0;
    while (first < Pieces.size()) {
      const ssize_t written = ::writev(Descriptor, Pieces.data() + first, static_cast<int>(Pieces.size() - first));
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) return false;
      // Skip what went out; a piece written in part goes on from where the write stopped.
      size_t left = static_cast<size_t>(written);
      while (first < Pieces.size() && left >= Pieces[first].iov_len) left -= Pieces[first++].iov_len;
      if (left > 0) {
        Pieces[first].iov_base = static_cast<char*>(Pieces[first].iov_base) + left;
        Pieces[first].iov_len -= left;
      }
    }
    Pieces.clear();
    return true;
  }

 private:
  static constexpr size_t BatchSize = 512;  // well below the system's limit of pieces per call

  int Descriptor;
  std::vector<iovec> Pieces;
};

}  // namespace

void LineBuffer::Clear() {
  Chunks.clear();
  ChunkBegin = Cursor = ChunkEnd = nullptr;
  Completed = 0;
  Count = 0;
  Replacements.clear();
}

void LineBuffer::Truncate(const Mark& mark) {
  Chunks.resize(mark.chunks);
  if (Chunks.empty()) {
    Clear();
    return;
  }
  ChunkBegin = Chunks.back().get();
  Cursor = ChunkBegin + mark.used;
  ChunkEnd = ChunkBegin + ChunkSize;
  Completed = mark.completed;
  Count = mark.count;
  while (!Replacements.empty() && Replacements.back().Offset + Replacements.back().Length > Offset()) {
    Replacements.pop_back();
  }
}

void LineBuffer::StartChunk() {
  if (ChunkBegin != nullptr) Completed += Cursor - ChunkBegin;
  Chunks.push_back(std::make_unique_for_overwrite<char[]>(ChunkSize));
  ChunkBegin = Cursor = Chunks.back().get();
  ChunkEnd = ChunkBegin + ChunkSize;
}

void LineBuffer::PutSlow(std::string_view text) {
  while (!text.empty()) {
    if (Cursor == ChunkEnd) StartChunk();
    const size_t room = static_cast<size_t>(ChunkEnd - Cursor);
    const size_t part = std::min(room, text.size());
    Cursor = std::copy_n(text.begin(), part, Cursor);
    text.remove_prefix(part);
  }
}

void LineBuffer::Replace(int64_t offset, int64_t length, std::string text) {
  const int64_t previousEnd = Replacements.empty() ? 0 : Replacements.back().Offset + Replacements.back().Length;
  if (offset < previousEnd || length < 0 || offset + length > Offset()) Fail();
  Replacements.push_back({offset, length, std::move(text)});
}

bool LineBuffer::WriteTo(int descriptor) const {
  GatheredWrite out(descriptor);
  int64_t next = 0;
  // The bytes from next up to end, chunk by chunk: every chunk but the last is full.
  auto bytesUpTo = [&](int64_t end) {
    while (next < end) {
      const size_t chunk = static_cast<size_t>(next / static_cast<int64_t>(ChunkSize));
      const int64_t chunkEnd = static_cast<int64_t>((chunk + 1) * ChunkSize);
      const int64_t pieceEnd = std::min(end, chunkEnd);
      const char* data = Chunks[chunk].get() + next % static_cast<int64_t>(ChunkSize);
      if (!out.Add(data, static_cast<size_t>(pieceEnd - next))) return false;
      next = pieceEnd;
    }
    return true;
  };
  for (const Replacement& replacement : Replacements) {
    if (!bytesUpTo(replacement.Offset) || !out.Add(replacement.Text.data(), replacement.Text.size())) return false;
    next = replacement.Offset + replacement.Length;
  }
  return bytesUpTo(Offset()) && out.Drain();
}

}  // namespace paginor
