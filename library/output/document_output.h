#pragma once

// The output module owns where a document's bytes go: the growing lines, the destination (a file, the
// caller's function, memory), the staged file that lets count fields and the head field be rewritten
// until the document ends, and the delivery when it ends. It knows nothing of pages or formats.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "services/failure_report.h"
#include "output/line_buffer.h"
#include "output/output_file.h"

namespace paginor {

class DocumentOutput {
 public:
  DocumentOutput();
  DocumentOutput(const DocumentOutput&) = delete;
  DocumentOutput& operator=(const DocumentOutput&) = delete;

  // Starts a new document in a file (emptied), through the caller's function, or in memory. A
  // destination that does not open changes nothing and records why in report; one that opens replaces
  // the earlier one, which is given up with whatever it collected. countFields: the document holds count
  // fields (see FormatWriter::HasCountFields).
  bool Create(const std::string& file, bool countFields, FailureReport& report);
  bool Create(ByteSink sink, bool countFields, FailureReport& report);
  bool CreateInMemory(bool countFields, FailureReport& report);
  // Gives the document collected in memory, once, after it ended completely.
  std::string TakeOutput();

  bool IsOpen() const { return File->IsOpen(); }
  // True while bytes are being handed to the caller's function.
  bool Delivering() const { return File->Delivering(); }
  // Gives up the document: its file is emptied, later bytes go nowhere.
  void Abandon() { File->Close(); }
  // Ends the document: true when every byte reached the destination. closed: the format's end was
  // written; a document without it is abandoned. Either way later bytes go nowhere.
  bool Finish(bool closed);
  FailureConstants FailureReason() const { return File->FailureReason(); }
  const std::string& FailureText() const { return File->FailureText(); }

  // Replaces bytes already appended, from offset on, by as many others: in memory, else where the
  // destination keeps them (a regular file, the document collected in memory). False, changing nothing,
  // when the destination took them for good (a pipe, the caller's function).
  bool Rewrite(int64_t offset, std::string_view bytes);
  // A count field at the end of the document, and the count every field shows from now on.
  void PutCountField() { File->PutCountField(Lines); }
  void SetFieldCount(int64_t count) { File->SetFieldCount(Lines, count); }
  // The head field (see OutputFile), before any count field, and its final text.
  void PutHeadField(std::string_view text) { File->PutHeadField(Lines, text); }
  void SetHeadField(std::string text) { File->SetHeadField(std::move(text)); }
  // A late field (see OutputFile), and the texts Finish inserts at the late fields.
  void PutLateField() { File->PutLateField(Lines); }
  void SetLateTexts(LateTexts texts) { File->SetLateTexts(std::move(texts)); }
  void StageNow() { File->StageNow(); }

  // The document as it grows.
  LineBuffer Lines;

 private:
  bool Start(std::unique_ptr<OutputFile> output, bool opened, bool inMemory, FailureReport& report);

  std::unique_ptr<OutputFile> File = std::make_unique<OutputFile>();
  std::string Collected;  // the document collected in memory
  bool CollectingInMemory = false;
  bool CollectedComplete = false;
};

}  // namespace paginor
