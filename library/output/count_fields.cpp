#include "output/count_fields.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstring>

#include "output/file_io.h"

namespace paginor {
namespace {

// The bytes read at a time while widening; the buffer holds twice as much, since every byte read may
// start a field and gain a '0'.
constexpr size_t WideningBlock = size_t{1} << 20;
// The part of the file held in memory at a time while the fields are filled in.
constexpr int64_t FillingWindow = int64_t{1} << 20;

size_t DigitsOf(int64_t number) {
  size_t digits = 1;
  for (; number >= 10; number /= 10) ++digits;
  return digits;
}

// Inserts a '0' in front of every field of a block held in data: size bytes read from document offset
// from, [first, end) the offsets of the fields inside it. The data grows by one byte a field; it is
// moved from its end towards its start, so that every byte is moved once.
template <typename Iterator>
void InsertZeros(char* data, size_t size, int64_t from, Iterator first, Iterator end) {
  size_t tail = size;
  for (auto shift = static_cast<size_t>(end - first); shift > 0; --shift) {
    const auto at = static_cast<size_t>(*--end - from);
    std::memmove(data + at + shift, data + at, tail - at);
    data[at + shift - 1] = '0';
    tail = at;
  }
}

}  // namespace

void CountFields::Clear() {
  Offsets.clear();
  FieldWidth = 1;
  Value = 0;
}

void CountFields::Put(LineBuffer& lines) {
  static constexpr std::string_view Zeros = "0000000000000000000";
  Offsets.push_back(lines.Offset());
  lines.Put(Zeros.substr(0, FieldWidth));
}

bool CountFields::TooNarrow() const { return DigitsOf(Value) > FieldWidth; }

bool CountFields::WidenIn(int descriptor, int64_t length) {
  if (!Buffer) Buffer = std::make_unique_for_overwrite<char[]>(2 * WideningBlock);
  // The bytes before the first field stay where they are; every later block moves by the number of
  // fields before it.
  size_t end = Offsets.size();
  for (int64_t blockEnd = length; end > 0;) {
    const int64_t blockStart = std::max(blockEnd - static_cast<int64_t>(WideningBlock), Offsets.front());
    const auto endField = Offsets.begin() + static_cast<ptrdiff_t>(end);
    const auto firstField = std::lower_bound(Offsets.begin(), endField, blockStart);
    const auto first = static_cast<size_t>(firstField - Offsets.begin());
    const auto size = static_cast<size_t>(blockEnd - blockStart);
    if (!ReadAllAt(descriptor, Buffer.get(), size, blockStart)) return false;
    InsertZeros(Buffer.get(), size, blockStart, firstField, endField);
    const std::string_view widened(Buffer.get(), size + (end - first));
    if (!WriteAllAt(descriptor, widened, blockStart + static_cast<int64_t>(first))) return false;
    blockEnd = blockStart;
    end = first;
  }
  return true;
}

void CountFields::Widened() {
  int64_t before = 0;  // fields before this one, each a byte longer now
  for (int64_t& offset : Offsets) offset += before++;
  ++FieldWidth;
}

bool CountFields::FillIn(int descriptor) const {
  char text[24];
  const size_t digits = DigitsOf(Value);
  std::fill_n(text, FieldWidth - digits, '0');
  std::to_chars(text + (FieldWidth - digits), text + FieldWidth, Value);
  // Through a shared mapping of the part of the file that holds the fields, each page of the file is
  // touched once, at several times less cost than a write call per field. The pages already filled are
  // let go of a window at a time (their bytes stay in the file), so that memory stays at one window. A
  // file that cannot be mapped gets the write calls.
  if (Offsets.empty()) return true;
  const int64_t page = ::sysconf(_SC_PAGESIZE);
  const int64_t from = Offsets.front() / page * page;
  const auto length = static_cast<size_t>(Offsets.back() + static_cast<int64_t>(FieldWidth) - from);
  void* const mapping = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_SHARED, descriptor, from);
  if (mapping != MAP_FAILED) {
    char* const mapped = static_cast<char*>(mapping);
    int64_t held = from;  // the start of the pages still held
    for (const int64_t offset : Offsets) {
      for (; offset - held >= FillingWindow; held += FillingWindow) {
        ::madvise(mapped + (held - from), FillingWindow, MADV_DONTNEED);
      }
      std::memcpy(mapped + (offset - from), text, FieldWidth);
    }
    return ::munmap(mapping, length) == 0;
  }
  for (const int64_t offset : Offsets) {
    if (!WriteAllAt(descriptor, std::string_view(text, FieldWidth), offset)) return false;
  }
  return true;
}

}  // namespace paginor
