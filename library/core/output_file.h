#pragma once

#include <string>

#include "core/line_buffer.h"

namespace paginor {

// The document's output file, open from Create to Flush. Opening replaces any file of that name; the
// file is closed when it is written, when another one is opened, and when the owner goes away.
class OutputFile {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile() { Close(); }

  bool Open(const std::string& path);
  bool IsOpen() const { return Descriptor >= 0; }
  // Writes the whole buffer and closes the file; true when every byte was written and the file closed.
  bool WriteAndClose(const LineBuffer& lines);
  void Close();

 private:
  int Descriptor = -1;
};

}  // namespace paginor
