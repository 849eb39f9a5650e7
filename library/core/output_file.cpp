#include "core/output_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <system_error>

namespace paginor {

bool OutputFile::Open(const std::string& path, bool staged) {
  Close();
  Start(staged, FolderOf(path));
  Path = path;
  if (path.empty() || path.find('\0') != std::string::npos) {
    Reason = FailureConstants::InvalidArgument;
    Text = "the file name \"" + path.substr(0, path.find('\0')) + "\" is empty or holds a zero byte";
    return false;
  }
  Descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  return Descriptor >= 0 || FileFailed("cannot create");
}

bool OutputFile::Open(ByteSink sink, bool staged) {
  Close();
  // Staged bytes of a function's document wait in the temporary folder.
  Start(staged, {});
  Path = "the output function";
  if (!sink) {
    Reason = FailureConstants::InvalidArgument;
    Text = "the output function is empty";
    return false;
  }
  Sink = std::move(sink);
  return true;
}

void OutputFile::Start(bool staged, std::string folder) {
  Staged = staged;
  Failed = false;
  Folder = std::move(folder);
  StagedBytes = 0;
  Reason = FailureConstants::NoFailure;
  Text.clear();
}

bool OutputFile::FileFailed(std::string_view what) {
  const int error = errno;
  Reason = FailureConstants::FileError;
  Text.assign(what).append(" \"").append(Path).append("\": ").append(std::generic_category().message(error));
  return false;
}

bool OutputFile::Deliver(std::string_view bytes) {
  if (!Sink) return WriteAll(Descriptor, bytes) || FileFailed("cannot write");
  bool taken = false;
  try {
    taken = Sink(bytes);
  } catch (...) {  // a function that throws refuses the bytes as one that returns false
  }
  if (taken) return true;
  Reason = FailureConstants::OutputAborted;
  Text = "the output function refused the document's bytes";
  return false;
}

void OutputFile::Take(std::string_view block) {
  if (!IsOpen() || Failed) return;
  if (!Staged) {
    Failed = !Deliver(block);
    return;
  }
  if (!Stage.Open(Folder)) {
    Failed = !FileFailed("cannot create a temporary file for");
  } else if (!WriteAllAt(Stage.Handle(), block, StagedBytes)) {
    Failed = !FileFailed("cannot write the temporary file for");
  }
  StagedBytes += static_cast<int64_t>(block.size());
}

bool OutputFile::Finish(LineBuffer& lines, PatchSource& patches) {
  if (!IsOpen()) return false;
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
  Sink = nullptr;
  if (Descriptor < 0) return true;
  const bool closed = ::close(Descriptor) == 0 || FileFailed("cannot close");
  Descriptor = -1;
  return closed;
}

bool OutputFile::CopyStaged(LineBuffer& lines, PatchSource& patches) {
  if (Failed) return false;
  int64_t next = 0;
  Patch patch;
  for (size_t index = 0; patches.NextPatch(index, patch); ++index) {
    if (patch.Offset < next || patch.Length < 0 || patch.Offset + patch.Length > lines.Offset()) {
      Reason = FailureConstants::InternalFailure;
      Text = "a placeholder of the document lies outside it";
      return false;
    }
    if (!CopyDocument(lines, next, patch.Offset) || !Deliver(patch.Text)) return false;
    next = patch.Offset + patch.Length;
  }
  return CopyDocument(lines, next, lines.Offset());
}

bool OutputFile::CopyDocument(LineBuffer& lines, int64_t from, int64_t to) {
  // The staged file holds the bytes up to StagedBytes, memory the rest.
  if (from < StagedBytes) {
    const int64_t end = std::min(to, StagedBytes);
    if (Sink) {
      if (!ReadRange(Stage.Handle(), from, end - from, [&](std::string_view bytes) { return Deliver(bytes); })) {
        return Reason != FailureConstants::NoFailure ? false : FileFailed("cannot read the temporary file for");
      }
    } else if (!CopyRange(Stage.Handle(), from, end - from, Descriptor)) {
      return FileFailed("cannot write");
    }
    from = end;
  }
  bool written = true;
  if (from < to) {
    lines.VisitMemory(from, to, [&](std::string_view bytes) { written = written && Deliver(bytes); });
  }
  return written;
}

void OutputFile::Close() {
  Stage.Close();
  Sink = nullptr;
  if (Descriptor < 0) return;
  // Empties a regular file; a pipe or terminal refuses, and keeps what it already passed on.
  (void)::ftruncate(Descriptor, 0);
  ::close(Descriptor);
  Descriptor = -1;
}

}  // namespace paginor
