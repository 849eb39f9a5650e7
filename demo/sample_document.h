#pragma once

#include <string>

#include "paginor/enumerations.h"
#include "paginor/platform.h"
#include "program_paths.h"

namespace paginor::demo {

// The demo's title: the caption of its window and of its messages.
inline constexpr const char* ProgramTitle = "Paginor Demo";
// The section of the settings file that holds the captions and the sample texts.
inline constexpr const char* SettingsSection = "FormPaginorDemo";

enum class DocumentFormat { Pdf, PostScript };

// The document properties the user chooses, with the values the form starts with.
struct DocumentFields {
  std::string Author = "Larkfield";
  std::string Creator = "Paginor Demo";
  std::string Title = "Demo";
  PaperSizeConstants PaperSize = PaperSizeConstants::A4;
  bool Landscape = false;
  bool Rotated = false;
};

// The file a format's sample document is written to: "Test.pdf" or "Test.ps" in the temporary directory.
std::string SampleFile(DocumentFormat format, const ProgramPaths& paths);

// Writes the sample document in this format with these properties, its texts read from the settings
// file, and tells show the outcome, captioned ProgramTitle: the file name (information) when the
// document was written, otherwise the settings' "Const5" text, a blank and the file name
// (exclamation). True when the document was written.
bool WriteSampleDocument(DocumentFormat format, const DocumentFields& fields, const ProgramPaths& paths,
                         const MessageHandler& show);

}  // namespace paginor::demo
