#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/file_io.h"
#include "core/line_buffer.h"
#include "paginor/enumerations.h"

namespace paginor {

// A text that takes the place of a placeholder of the same document when it is written out.
struct Patch {
  int64_t Offset = 0;
  int64_t Length = 0;  // the placeholder's bytes
  std::string Text;
};

// Gives the patches of a document one by one, in increasing offset order; false when none is left.
class PatchSource {
 public:
  virtual bool NextPatch(size_t index, Patch& patch) = 0;

 protected:
  ~PatchSource() = default;
};

// Receives a document's bytes in order, block by block; false refuses them and ends the document.
using ByteSink = std::function<bool(std::string_view bytes)>;

// The document's output, open from Create to Flush: a file, or the caller's function. Opening a file
// replaces any file of that name and leaves it empty. The document's blocks go straight to the output
// as they fill up; a staged document (one with placeholders filled in at the end) keeps them in an
// unnamed file instead, and Finish copies that into the output with the patches. A file that is given
// up, or whose writing failed, is emptied again, so that no half-written document looks complete; a
// pipe, a terminal or a caller's function cannot take bytes back, and there the failure is only
// reported. After a failure, FailureReason and FailureText tell what went wrong.
class OutputFile final : public BlockDestination {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile() { Close(); }

  bool Open(const std::string& path, bool staged);
  // Sends the document to sink instead of a file; false for an empty function.
  bool Open(ByteSink sink, bool staged);
  bool IsOpen() const { return Descriptor >= 0 || Sink; }
  void Take(std::string_view block) override;
  // Writes the rest of the document, with the patches when staged, and closes the output; true when
  // every byte was delivered and the file closed.
  bool Finish(LineBuffer& lines, PatchSource& patches);
  // Gives the output up: empties what was written to a file and closes it.
  void Close();

  FailureConstants FailureReason() const { return Reason; }
  const std::string& FailureText() const { return Text; }

 private:
  void Start(bool staged, std::string folder);
  // Passes bytes on to the file or the function; false, with the reason noted, when they were refused.
  bool Deliver(std::string_view bytes);
  bool CopyStaged(LineBuffer& lines, PatchSource& patches);
  // Copies the document's bytes from offset from to offset to into the output.
  bool CopyDocument(LineBuffer& lines, int64_t from, int64_t to);
  // Notes a failure of the system: the reason, and what, with the system's error text.
  bool FileFailed(std::string_view what);

  int Descriptor = -1;
  ByteSink Sink;
  std::string Path;
  bool Staged = false;
  bool Failed = false;
  std::string Folder;
  TemporaryFile Stage;
  int64_t StagedBytes = 0;
  FailureConstants Reason = FailureConstants::NoFailure;
  std::string Text;
};

}  // namespace paginor
