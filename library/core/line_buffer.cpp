#include "core/line_buffer.h"

#include "services/failure.h"

namespace paginor {

void LineBuffer::Clear(BlockDestination* destination) {
  Chunks.resize(std::min<size_t>(Chunks.size(), 1));  // the first chunk is used again
  InUse = 0;
  ChunkBegin = Cursor = ChunkEnd = nullptr;
  ChunkStart = 0;
  Destination = destination;
}

void LineBuffer::UseChunk(size_t index) {
  if (index == Chunks.size()) Chunks.push_back(std::make_unique_for_overwrite<char[]>(ChunkSize));
  InUse = index + 1;
  ChunkBegin = Cursor = Chunks[index].get();
  ChunkEnd = ChunkBegin + ChunkSize;
}

void LineBuffer::NextChunk() {
  if (InUse == 0) {
    UseChunk(0);
    return;
  }
  ChunkStart += static_cast<int64_t>(ChunkSize);
  if (Checkpoints == 0 && Destination != nullptr) {
    for (size_t index = 0; index < InUse; ++index) Destination->Take(std::string_view(Chunks[index].get(), ChunkSize));
    Chunks.resize(1);  // chunks added while a checkpoint was kept go back
    UseChunk(0);
  } else {
    UseChunk(InUse);
  }
}

void LineBuffer::PutSlow(std::string_view text) {
  while (!text.empty()) {
    if (Cursor == ChunkEnd) NextChunk();
    const size_t part = std::min(static_cast<size_t>(ChunkEnd - Cursor), text.size());
    Cursor = std::copy_n(text.begin(), part, Cursor);
    text.remove_prefix(part);
  }
}

void LineBuffer::HandOverAll() {
  if (Destination == nullptr || InUse == 0 || Checkpoints != 0) return;
  const int64_t end = Offset();
  VisitMemory(HandedOver(), end, [&](std::string_view block) { Destination->Take(block); });
  Chunks.resize(1);
  UseChunk(0);
  ChunkStart = end;
}

void LineBuffer::ContinueAt(int64_t offset) {
  if (HandedOver() != Offset()) Fail();
  ChunkStart = offset;
}

void LineBuffer::Truncate(int64_t offset) {
  const int64_t first = HandedOver();
  if (offset < first || offset > Offset()) Fail();
  if (InUse == 0) return;
  // Every chunk before the last one in use stays full.
  const auto kept = static_cast<size_t>(offset - first);
  const size_t last = kept == 0 ? 0 : (kept - 1) / ChunkSize;
  UseChunk(last);
  Cursor = ChunkBegin + (kept - last * ChunkSize);
  ChunkStart = first + static_cast<int64_t>(last * ChunkSize);
  Chunks.resize(InUse);
}

}  // namespace paginor
