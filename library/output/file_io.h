#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace paginor {

// Plain system-call helpers that carry on after partial writes and interrupted calls.

// Writes every byte at the descriptor's position; false when a write fails.
bool WriteAll(int descriptor, std::string_view bytes);
// Writes every byte at offset, without moving the descriptor's position; false when a write fails.
bool WriteAllAt(int descriptor, std::string_view bytes, int64_t offset);
// Reads size bytes from offset into data, without moving the descriptor's position; false when a read
// fails or the file ends early.
bool ReadAllAt(int descriptor, char* data, size_t size, int64_t offset);
// Reads length bytes from offset of a file and hands them to take a block at a time; false when the
// source ends early or take refuses a block.
bool ReadRange(int source, int64_t offset, int64_t length, const std::function<bool(std::string_view)>& take);
// Copies length bytes from offset of a file to the position of another descriptor (a file, a pipe, a
// terminal), in the kernel where it can; false when the source ends early or a write fails.
bool CopyRange(int source, int64_t offset, int64_t length, int destination);

// An unnamed file for data that would otherwise stay in memory: created in folder when it can be (the
// same file system as the document keeps copies in the kernel), else in the temporary folder; it
// disappears when closed. Not copyable.
class TemporaryFile {
 public:
  TemporaryFile() = default;
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() { Close(); }

  // Creates the file when there is none yet; false when no folder takes one.
  bool Open(const std::string& folder);
  bool IsOpen() const { return Descriptor >= 0; }
  int Handle() const { return Descriptor; }
  void Close();

 private:
  int Descriptor = -1;
};

// The folder of a file path ("." for a bare name).
std::string FolderOf(const std::string& path);

}  // namespace paginor
