#pragma once

#include <cstdint>
#include <string>

#include "core/file_io.h"
#include "core/line_buffer.h"

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

// The document's output file, open from Create to Flush. Opening replaces any file of that name and
// leaves it empty. The document's blocks go straight to the file as they fill up; a staged document
// (one with placeholders filled in at the end) keeps them in an unnamed file beside it instead, and
// Finish copies that into the file with the patches. A file that is given up, or whose writing failed,
// is emptied again, so that no half-written document looks complete; a pipe or terminal cannot be
// emptied, and there the failure is only reported.
class OutputFile final : public BlockDestination {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile() { Close(); }

  bool Open(const std::string& path, bool staged);
  bool IsOpen() const { return Descriptor >= 0; }
  void Take(std::string_view block) override;
  // Writes the rest of the document, with the patches when staged, and closes the file; true when
  // every byte was written and the file closed.
  bool Finish(LineBuffer& lines, PatchSource& patches);
  // Gives the file up: empties what was written and closes it.
  void Close();

 private:
  bool CopyStaged(LineBuffer& lines, PatchSource& patches);
  // Copies the document's bytes from offset from to offset to into the file.
  bool CopyDocument(LineBuffer& lines, int64_t from, int64_t to);

  int Descriptor = -1;
  bool Staged = false;
  bool Failed = false;
  std::string Folder;
  TemporaryFile Stage;
  int64_t StagedBytes = 0;
};

}  // namespace paginor
