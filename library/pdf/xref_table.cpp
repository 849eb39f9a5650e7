#include "pdf/xref_table.h"

#include <unistd.h>

#include <cerrno>
#include <memory>

#include "services/failure.h"

namespace paginor {

void XrefTable::Clear() {
  Pending.clear();
  InFile = 0;
  SpillAt = Block;
}

void XrefTable::FormatOffset(int64_t offset, char* digits) {
  if (offset < 0 || offset > 9999999999) Fail();  // the table has ten digits
  for (int digit = 9; digit >= 0; --digit) {
    digits[digit] = static_cast<char>('0' + offset % 10);
    offset /= 10;
  }
}

void XrefTable::Add(int64_t offset) {
  char entry[EntrySize] = {'0', '0', '0', '0', '0', '0', '0', '0', '0', '0',
                           ' ', '0', '0', '0', '0', '0', ' ', 'n', '\r', '\n'};
  FormatOffset(offset, entry);
  Pending.append(entry, EntrySize);
  if (Pending.size() >= SpillAt) Spill();
}

void XrefTable::Spill() {
  if (File.Open("") &&
      WriteAllAt(File.Handle(), Pending, InFile * static_cast<int64_t>(EntrySize))) {
    InFile += static_cast<int64_t>(Pending.size() / EntrySize);
    Pending.clear();
  } else {
    SpillAt = Pending.size() * 2;  // no file: the lines stay in memory, tried again much later
  }
}

void XrefTable::Set(int32_t number, int64_t offset) {
  char digits[10];
  FormatOffset(offset, digits);
  const int64_t index = int64_t{number} - 1;
  const int64_t pendingIndex = index - InFile;
  if (index < 0 || pendingIndex >= static_cast<int64_t>(Pending.size() / EntrySize)) Fail();
  if (pendingIndex >= 0) {
    Pending.replace(static_cast<size_t>(pendingIndex) * EntrySize, sizeof digits, digits, sizeof digits);
  } else if (!WriteAllAt(File.Handle(), std::string_view(digits, sizeof digits), index * int64_t{EntrySize})) {
    Fail();
  }
}

void XrefTable::Truncate(int32_t count) {
  const int64_t kept = int64_t{count} - InFile;
  if (kept >= 0) {
    if (static_cast<size_t>(kept) * EntrySize < Pending.size()) Pending.resize(static_cast<size_t>(kept) * EntrySize);
  } else {
    // The lines after count in the file are written over by the next ones.
    InFile = count;
    Pending.clear();
  }
}

void XrefTable::WriteTo(LineBuffer& lines) {
  const auto buffer = std::make_unique_for_overwrite<char[]>(Block);
  int64_t offset = 0;
  const int64_t end = InFile * static_cast<int64_t>(EntrySize);
  while (offset < end) {
    const size_t wanted = static_cast<size_t>(std::min<int64_t>(end - offset, static_cast<int64_t>(Block)));
    const ssize_t got = ::pread(File.Handle(), buffer.get(), wanted, offset);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) Fail();
    lines.Put(std::string_view(buffer.get(), static_cast<size_t>(got)));
    offset += got;
  }
  lines.Put(Pending);
}

}  // namespace paginor
