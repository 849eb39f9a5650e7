#include "output/document_output.h"

#include <utility>

namespace paginor {

DocumentOutput::DocumentOutput() {
  Lines.Clear(File.get());  // before Create, output goes nowhere
}

bool DocumentOutput::Create(const std::string& file, bool countFields, FailureReport& report) {
  auto output = std::make_unique<OutputFile>();
  const bool opened = output->Open(file, countFields);
  return Start(std::move(output), opened, false, report);
}

bool DocumentOutput::Create(ByteSink sink, bool countFields, FailureReport& report) {
  auto output = std::make_unique<OutputFile>();
  const bool opened = output->Open(std::move(sink), countFields, "the output function");
  return Start(std::move(output), opened, false, report);
}

bool DocumentOutput::CreateInMemory(bool countFields, FailureReport& report) {
  auto output = std::make_unique<OutputFile>();
  const bool opened = output->Open(
      [this](std::string_view bytes) {
        Collected.append(bytes);
        return true;
      },
      countFields, "the document in memory");
  return Start(std::move(output), opened, true, report);
}

bool DocumentOutput::Start(std::unique_ptr<OutputFile> output, bool opened, bool inMemory, FailureReport& report) {
  // An output that did not open changes nothing: the earlier document stays open, or its collected
  // bytes stay there to take.
  if (!opened) return report.Refuse(output->FailureReason(), output->FailureText());
  File = std::move(output);
  Collected.clear();
  CollectedComplete = false;
  CollectingInMemory = inMemory;
  Lines.Clear(File.get());
  return true;
}

std::string DocumentOutput::TakeOutput() {
  if (!CollectedComplete) return {};
  CollectedComplete = false;
  return std::exchange(Collected, {});
}

bool DocumentOutput::Finish(bool closed) {
  if (!closed) File->Close();
  const bool written = closed && File->Finish(Lines);
  Lines.Clear(File.get());  // the closed file takes nothing more: later output is dropped
  CollectedComplete = written && CollectingInMemory;
  if (!written) Collected.clear();
  return written;
}

bool DocumentOutput::Rewrite(int64_t offset, std::string_view bytes) {
  if (Lines.Overwrite(offset, bytes) || File->Rewrite(offset, bytes)) return true;
  // The bytes of a document collected in memory were handed over from its first byte on.
  const auto end = offset + static_cast<int64_t>(bytes.size());
  if (!CollectingInMemory || offset < 0 || end > static_cast<int64_t>(Collected.size())) return false;
  Collected.replace(static_cast<size_t>(offset), bytes.size(), bytes);
  return true;
}

}  // namespace paginor
