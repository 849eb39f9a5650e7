#include "output/line_buffer.h"

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
  // Every chunk in use is full; the next one starts where the last ends. Bytes before a kept
  // checkpoint can no longer be taken back, so their chunks leave as well: a document of many pictures,
  // each written under a checkpoint, holds no more than one picture.
  const int64_t firstInMemory = ChunkStart - static_cast<int64_t>((InUse - 1) * ChunkSize);
  ChunkStart += static_cast<int64_t>(ChunkSize);
  const int64_t keepFrom = Checkpoints == 0 ? ChunkStart : HeldFrom;
  size_t handed = 0;
  while (Destination != nullptr && handed < InUse &&
         firstInMemory + static_cast<int64_t>((handed + 1) * ChunkSize) <= keepFrom) {
    Destination->Take(std::string_view(Chunks[handed].get(), ChunkSize));
    ++handed;
  }
  // The chunks handed over are used again after those still held.
  std::rotate(Chunks.begin(), Chunks.begin() + static_cast<ptrdiff_t>(handed),
              Chunks.begin() + static_cast<ptrdiff_t>(InUse));
  InUse -= handed;
  if (Checkpoints == 0 && Chunks.size() > InUse + 1) Chunks.resize(InUse + 1);  // chunks added for a checkpoint go back
  UseChunk(InUse);
}

void LineBuffer::PutSlow(std::string_view text) {
  while (!text.empty()) {
    if (Cursor == ChunkEnd) NextChunk();
    const size_t part = std::min(static_cast<size_t>(ChunkEnd - Cursor), text.size());
    Cursor = std::copy_n(text.begin(), part, Cursor);
    text.remove_prefix(part);
  }
}

bool LineBuffer::Overwrite(int64_t offset, std::string_view bytes) {
  if (InUse == 0 || offset < HandedOver() || offset > Offset() - static_cast<int64_t>(bytes.size())) return false;
  for (int64_t at = offset; !bytes.empty();) {
    const int64_t inMemory = at - HandedOver();
    const size_t within = static_cast<size_t>(inMemory % static_cast<int64_t>(ChunkSize));
    const size_t piece = std::min(bytes.size(), ChunkSize - within);
    std::memcpy(Chunks[static_cast<size_t>(inMemory / static_cast<int64_t>(ChunkSize))].get() + within, bytes.data(), piece);
    bytes.remove_prefix(piece);
    at += static_cast<int64_t>(piece);
  }
  return true;
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
