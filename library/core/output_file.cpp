#include "core/output_file.h"

#include <fcntl.h>
#include <unistd.h>

namespace paginor {

bool OutputFile::Open(const std::string& path, bool staged) {
  Close();
  if (path.empty() || path.find('\0') != std::string::npos) return false;
  Descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  Staged = staged;
  Failed = false;
  Folder = FolderOf(path);
  StagedBytes = 0;
  return Descriptor >= 0;
}

void OutputFile::Take(std::string_view block) {
  if (Descriptor < 0 || Failed) return;
  if (!Staged) {
    Failed = !WriteAll(Descriptor, block);
    return;
  }
  Failed = !Stage.Open(Folder) || !WriteAllAt(Stage.Handle(), block, StagedBytes);
  StagedBytes += static_cast<int64_t>(block.size());
}

bool OutputFile::Finish(LineBuffer& lines, PatchSource& patches) {
  if (Descriptor < 0) return false;
  if (Staged) {
    Failed = Failed || !CopyStaged(lines, patches);
  } else {
    lines.HandOverAll();
  }
  Stage.Close();
  if (Failed) {
    Close();
    return false;
  }
  const bool closed = ::close(Descriptor) == 0;
  Descriptor = -1;
  return closed;
}

bool OutputFile::CopyStaged(LineBuffer& lines, PatchSource& patches) {
  if (Failed) return false;
  int64_t next = 0;
  Patch patch;
  for (size_t index = 0; patches.NextPatch(index, patch); ++index) {
    if (patch.Offset < next || patch.Length < 0 || patch.Offset + patch.Length > lines.Offset()) return false;
    if (!CopyDocument(lines, next, patch.Offset) || !WriteAll(Descriptor, patch.Text)) return false;
    next = patch.Offset + patch.Length;
  }
  return CopyDocument(lines, next, lines.Offset());
}

bool OutputFile::CopyDocument(LineBuffer& lines, int64_t from, int64_t to) {
  // The staged file holds the bytes up to StagedBytes, memory the rest.
  if (from < StagedBytes) {
    const int64_t end = std::min(to, StagedBytes);
    if (!CopyRange(Stage.Handle(), from, end - from, Descriptor)) return false;
    from = end;
  }
  bool written = true;
  if (from < to) {
    lines.VisitMemory(from, to, [&](std::string_view bytes) { written = written && WriteAll(Descriptor, bytes); });
  }
  return written;
}

void OutputFile::Close() {
  Stage.Close();
  if (Descriptor < 0) return;
  // Empties a regular file; a pipe or terminal refuses, and keeps what it already passed on.
  (void)::ftruncate(Descriptor, 0);
  ::close(Descriptor);
  Descriptor = -1;
}

}  // namespace paginor
