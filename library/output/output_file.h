#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>

#include "output/count_fields.h"
#include "output/file_io.h"
#include "output/line_buffer.h"
#include "paginor/enumerations.h"

namespace paginor {

// Receives a document's bytes in order, block by block; false refuses them and ends the document.
using ByteSink = std::function<bool(std::string_view bytes)>;

// Hands the text of the late field of number index (see OutputFile::PutLateField) to put, a piece at a
// time; false, with the reason, when the text cannot be made or put refused it.
using LateTexts = std::function<bool(size_t index, const ByteSink& put, std::string& reason)>;

// The document's output, open from Create to Flush: a file, or the caller's function. Opening a file
// replaces any file of that name and leaves it empty. A document without count fields goes straight to
// the output, block by block, as it fills up. A document with count fields (see CountFields) is held
// in a file that can be read back and rewritten until Finish fills the fields in: a regular output file
// itself, else (a pipe, a terminal, a file that cannot be read, the caller's function) an unnamed
// temporary file, which Finish then copies into the output. A file that is given up, or whose writing
// failed, is emptied again, so that no half-written document looks complete; a pipe, a terminal or a
// caller's function cannot take bytes back, and there the failure is only reported. After a failure,
// FailureReason and FailureText tell what went wrong. The temporary file is made when the output opens,
// so that an output that cannot hold its document is refused there rather than at Finish.
class OutputFile final : public BlockDestination {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile() { Close(); }

  bool Open(const std::string& path, bool countFields);
  // Sends the document to sink instead of a file; false for an empty function. Messages call the
  // output by name.
  bool Open(ByteSink sink, bool countFields, std::string name);
  bool IsOpen() const { return Descriptor >= 0 || Sink; }
  // True while the sink runs: the document is handing it bytes.
  bool Delivering() const { return InSink; }
  void Take(std::string_view block) override;
  // Writes a count field at the end of the document.
  void PutCountField(LineBuffer& lines) { Fields.Put(lines); }
  // Sets the count the fields show; when it gains a digit, every field written so far is widened in
  // the file that holds the document, and the document continues at its new end.
  void SetFieldCount(LineBuffer& lines, int64_t count);
  // Replaces bytes already handed over, from offset on, by as many others, in the file that holds them;
  // false when they went to a pipe, a terminal or the caller's function, or after a failure (a failing
  // write is noted as the output's failure).
  bool Rewrite(int64_t offset, std::string_view bytes);
  // Writes text as the head field of a document with count fields: a field before the first count
  // field whose final text, no longer than text, is settled only by the whole document. SetHeadField
  // gives it; Finish puts it in place of text, and the document shrinks by the difference.
  void PutHeadField(LineBuffer& lines, std::string_view text);
  void SetHeadField(std::string text);
  // Notes a late field at the end of a document with count fields: an empty place where Finish inserts
  // a text that only the document's end settles (the resources its pages turned out to use, a line
  // naming the page count). Fields are numbered from 0 in the order they are put; a field must not lie
  // in bytes taken back later.
  void PutLateField(const LineBuffer& lines);
  // What Finish inserts at the late fields. Without texts (the default) they stay empty and the
  // document is completed as it was held; with texts it is handed over through the temporary file.
  void SetLateTexts(LateTexts texts) { Late = std::move(texts); }
  // Holds the rest of a document held in the output file itself in the temporary file instead (what
  // was written so far is moved there), as soon as it is known to get late texts: the document is then
  // copied once, at Finish, rather than moved aside then. Nothing for a document already staged.
  void StageNow() {
    if (Held && !Staged && !Failed && IsOpen()) Failed = !StageHeldDocument();
  }
  // Writes the rest of the document, fills in its count fields and closes the output; true when every
  // byte was delivered and the file closed.
  bool Finish(LineBuffer& lines);
  // Gives the output up: empties what was written to a file and closes it.
  void Close();

  FailureConstants FailureReason() const { return Reason; }
  const std::string& FailureText() const { return Text; }

 private:
  void Start(bool countFields, std::string folder);
  // Passes bytes on to the file or the function; false, with the reason noted, when they were refused.
  bool Deliver(std::string_view bytes);
  // Makes the temporary file that holds the document of a pipe, a terminal or a function.
  bool OpenStage();
  // The file that holds a document with count fields: the output file, or the temporary one.
  int Holder() const { return Staged ? Stage.Handle() : Descriptor; }
  // Fills in the count fields and the head field, and copies a temporary file into the output.
  bool Complete();
  // True when the head field's text is to change.
  bool HeadFieldChanges() const { return HeadFieldAt >= 0 && !HeadFieldText.empty(); }
  // Moves a document held in the output file itself into the temporary file, to be handed back with its
  // late texts.
  bool StageHeldDocument();
  // Hands the held document over in order, with the head field's final text and the late texts: copy
  // takes a range of the file that holds it, put a text.
  bool PassOn(const std::function<bool(int64_t offset, int64_t length)>& copy,
              const std::function<bool(std::string_view text)>& put);
  // Puts the head field's final text in place in the output file that holds the document, and moves
  // the rest towards the start by the bytes the field gave up.
  bool ShortenInPlace();
  // Notes a failure of the system: the reason, and what, with the system's error text.
  bool FileFailed(std::string_view what);
  bool InternalFailure(std::string text);

  int Descriptor = -1;
  ByteSink Sink;
  std::string Path;  // the output as messages name it: a file path in quotes, or what it is
  bool Held = false;    // the document has count fields and is held in a file until Finish
  bool Staged = false;  // it is held in the temporary file
  bool Failed = false;
  bool InSink = false;
  std::string Folder;
  TemporaryFile Stage;
  CountFields Fields;
  int64_t Written = 0;  // bytes of the document handed to the output (for a held one: in its file)
  int64_t HeadFieldAt = -1;  // where the head field starts; -1 for none
  size_t HeadFieldLength = 0;
  std::string HeadFieldText;  // its final text; empty while it stays as written
  // A late field: where it was put, with the count fields before it and their width then (each
  // widening since moved it by one byte a field).
  struct LateField {
    int64_t offset = 0;
    size_t fieldsBefore = 0, width = 0;
  };
  std::deque<LateField> LateFields;
  LateTexts Late;
  FailureConstants Reason = FailureConstants::NoFailure;
  std::string Text;
};

}  // namespace paginor
