#include "output/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>
#include <system_error>
#include <utility>

namespace paginor {
namespace {

// A document with count fields can be held in the output file itself when that is, or will be, a
// regular file: anything else (a pipe, a terminal, a device) is opened for writing only, as a reader
// of the other end expects.
bool MayHoldDocument(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return errno == ENOENT;
  return S_ISREG(status.st_mode);
}

bool IsRegularFile(int descriptor) {
  struct stat status {};
  return ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
}

}  // namespace

bool OutputFile::Open(const std::string& path, bool countFields) {
  Close();
  Start(countFields, FolderOf(path));
  Path = "\"" + path + "\"";
  if (path.empty() || path.find('\0') != std::string::npos) {
    Reason = FailureConstants::InvalidArgument;
    Text = "the file name \"" + path.substr(0, path.find('\0')) + "\" is empty or holds a zero byte";
    return false;
  }
  constexpr int Flags = O_CREAT | O_TRUNC | O_CLOEXEC;
  // The fields are filled in, and widened, in the file itself when it can be read back.
  bool readBack = countFields && MayHoldDocument(path);
  if (readBack) {
    Descriptor = ::open(path.c_str(), O_RDWR | Flags, 0666);
    readBack = Descriptor >= 0;
  }
  if (Descriptor < 0) Descriptor = ::open(path.c_str(), O_WRONLY | Flags, 0666);
  if (Descriptor < 0) return FileFailed("cannot create");
  Staged = countFields && !(readBack && IsRegularFile(Descriptor));
  return OpenStage();
}

bool OutputFile::Open(ByteSink sink, bool countFields, std::string name) {
  Close();
  // The document of a function waits in the temporary folder.
  Start(countFields, {});
  Path = std::move(name);
  if (!sink) {
    Reason = FailureConstants::InvalidArgument;
    Text = Path + " is empty";
    return false;
  }
  Sink = std::move(sink);
  Staged = countFields;
  return OpenStage();
}

bool OutputFile::OpenStage() {
  return !Staged || Stage.Open(Folder) || FileFailed("cannot create a temporary file for");
}

void OutputFile::Start(bool countFields, std::string folder) {
  Held = countFields;
  Staged = false;
  Failed = false;
  Folder = std::move(folder);
  Fields.Clear();
  Written = 0;
  HeadFieldAt = -1;
  HeadFieldLength = 0;
  HeadFieldText.clear();
  LateFields.clear();
  Late = nullptr;
  Reason = FailureConstants::NoFailure;
  Text.clear();
}

bool OutputFile::FileFailed(std::string_view what) {
  const int error = errno;
  Reason = FailureConstants::FileError;
  Text.assign(what).append(" ").append(Path).append(": ").append(std::generic_category().message(error));
  return false;
}

bool OutputFile::InternalFailure(std::string text) {
  Reason = FailureConstants::InternalFailure;
  Text = std::move(text);
  return false;
}

bool OutputFile::Deliver(std::string_view bytes) {
  if (!Sink) return WriteAll(Descriptor, bytes) || FileFailed("cannot write");
  bool taken = false;
  bool memoryRanOut = false;
  InSink = true;
  try {
    taken = Sink(bytes);
  } catch (const std::bad_alloc&) {
    memoryRanOut = true;
  } catch (...) {  // a function that throws refuses the bytes as one that returns false
  }
  InSink = false;
  if (taken) return true;
  if (memoryRanOut) return InternalFailure("memory ran out while " + Path + " took the document's bytes");
  Reason = FailureConstants::OutputAborted;
  Text = Path + " refused the document's bytes";
  return false;
}

void OutputFile::Take(std::string_view block) {
  if (!IsOpen() || Failed) return;
  if (!Held) {
    Failed = !Deliver(block);
  } else if (!WriteAllAt(Holder(), block, Written)) {
    Failed = !FileFailed(Staged ? "cannot write the temporary file for" : "cannot write");
  }
  Written += static_cast<int64_t>(block.size());
}

void OutputFile::SetFieldCount(LineBuffer& lines, int64_t count) {
  Fields.SetCount(count);
  while (Fields.TooNarrow()) {
    lines.HandOverAll();
    const int64_t length = lines.Offset();
    if (IsOpen() && !Failed) {
      if (lines.HandedOver() != length) {
        Failed = !InternalFailure("the document's count fields cannot grow while bytes are held back");
      } else if (length > 0 && !Fields.WidenIn(Holder(), length)) {
        Failed = !FileFailed("cannot widen the count fields of");
      }
    }
    if (Failed) return;  // nothing more reaches the file: the fields stay as they are
    Fields.Widened();
    lines.ContinueAt(length + static_cast<int64_t>(Fields.Fields()));
    Written = lines.Offset();
  }
}

bool OutputFile::Rewrite(int64_t offset, std::string_view bytes) {
  if (!IsOpen() || Failed || offset < 0 || offset + static_cast<int64_t>(bytes.size()) > Written) return false;
  // A held document is in a file that can be read back; else only a regular output file takes bytes
  // back.
  if (!Held && (Sink || !IsRegularFile(Descriptor))) return false;
  if (WriteAllAt(Holder(), bytes, offset)) return true;
  Failed = !FileFailed(Staged ? "cannot write the temporary file for" : "cannot write");
  return false;
}

void OutputFile::PutHeadField(LineBuffer& lines, std::string_view text) {
  if (Held && Fields.Fields() == 0) {
    HeadFieldAt = lines.Offset();
    HeadFieldLength = text.size();
  }
  lines.Put(text);
}

void OutputFile::SetHeadField(std::string text) {
  if (text.size() <= HeadFieldLength) HeadFieldText = std::move(text);
}

void OutputFile::PutLateField(const LineBuffer& lines) {
  if (Held) LateFields.push_back({lines.Offset(), Fields.Fields(), Fields.Width()});
}

bool OutputFile::Finish(LineBuffer& lines) {
  if (!IsOpen()) return false;
  lines.HandOverAll();
  if (Held && !Failed) Failed = !Complete();
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

bool OutputFile::Complete() {
  if (!Fields.FillIn(Holder())) {
    return FileFailed(Staged ? "cannot write the temporary file for" : "cannot write");
  }
  if (Late && !Staged && !StageHeldDocument()) return false;
  if (!Staged) return !HeadFieldChanges() || ShortenInPlace() || FileFailed("cannot write");
  if (Sink) {
    const auto deliver = [&](std::string_view bytes) { return Deliver(bytes); };
    const bool copied = PassOn(
        [&](int64_t offset, int64_t length) { return ReadRange(Stage.Handle(), offset, length, deliver); }, deliver);
    // A refusal of the function was noted by Deliver; else the temporary file could not be read.
    if (!copied && Reason == FailureConstants::NoFailure) FileFailed("cannot read the temporary file for");
    return copied;
  }
  // A late text that could not be made was noted by PassOn; else the output refused its bytes.
  return PassOn([&](int64_t offset, int64_t length) { return CopyRange(Stage.Handle(), offset, length, Descriptor); },
                [&](std::string_view text) { return WriteAll(Descriptor, text); }) ||
         (Reason == FailureConstants::NoFailure && FileFailed("cannot write"));
}

bool OutputFile::StageHeldDocument() {
  if (!Stage.Open(Folder)) return FileFailed("cannot create a temporary file for");
  if (!CopyRange(Descriptor, 0, Written, Stage.Handle())) return FileFailed("cannot copy");
  if (::ftruncate(Descriptor, 0) != 0 || ::lseek(Descriptor, 0, SEEK_SET) != 0) return FileFailed("cannot write");
  Staged = true;
  return true;
}

bool OutputFile::PassOn(const std::function<bool(int64_t offset, int64_t length)>& copy,
                        const std::function<bool(std::string_view text)>& put) {
  int64_t copied = 0;  // the held document's bytes handed over, or skipped, so far
  const auto copyTo = [&](int64_t end) {
    const int64_t from = std::exchange(copied, end);
    return end <= from || copy(from, end - from);
  };
  bool headPending = HeadFieldChanges();
  const auto passHead = [&] {
    headPending = false;
    if (!copyTo(HeadFieldAt) || !put(HeadFieldText)) return false;
    copied += static_cast<int64_t>(HeadFieldLength);
    return true;
  };
  if (Late) {
    const size_t width = Fields.Width();
    for (size_t index = 0; index < LateFields.size(); ++index) {
      const LateField& field = LateFields[index];
      const int64_t at = field.offset + static_cast<int64_t>(field.fieldsBefore * (width - field.width));
      if (headPending && HeadFieldAt < at && !passHead()) return false;
      std::string reason;
      if (!copyTo(at)) return false;
      if (!Late(index, put, reason)) {
        if (Reason == FailureConstants::NoFailure) InternalFailure(std::move(reason));
        return false;
      }
    }
  }
  if (headPending && !passHead()) return false;
  return copyTo(Written);
}

bool OutputFile::ShortenInPlace() {
  if (!WriteAllAt(Descriptor, HeadFieldText, HeadFieldAt)) return false;
  const auto given = static_cast<int64_t>(HeadFieldLength - HeadFieldText.size());
  if (given == 0) return true;
  // Front first, so that no byte is overwritten before it was read.
  constexpr int64_t Block = int64_t{1} << 20;
  std::string block(static_cast<size_t>(std::min(Block, Written)), '\0');
  for (int64_t from = HeadFieldAt + static_cast<int64_t>(HeadFieldLength); from < Written; from += Block) {
    const auto size = static_cast<size_t>(std::min(Block, Written - from));
    if (!ReadAllAt(Descriptor, block.data(), size, from) ||
        !WriteAllAt(Descriptor, std::string_view(block.data(), size), from - given)) {
      return false;
    }
  }
  return ::ftruncate(Descriptor, Written - given) == 0;
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
