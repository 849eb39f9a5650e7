#include "core/line_buffer.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace paginor {

void LineBuffer::Clear() {
  Chunks.clear();
  ChunkBegin = Cursor = ChunkEnd = nullptr;
  Completed = 0;
  Count = 0;
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

bool LineBuffer::WriteTo(int descriptor) const {
  for (size_t chunk = 0; chunk < Chunks.size(); ++chunk) {
    const char* data = Chunks[chunk].get();
    size_t remaining = chunk + 1 == Chunks.size() ? static_cast<size_t>(Cursor - ChunkBegin) : ChunkSize;
    while (remaining > 0) {
      const ssize_t written = ::write(descriptor, data, remaining);
      if (written < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      data += written;
      remaining -= static_cast<size_t>(written);
    }
  }
  return true;
}

}  // namespace paginor
