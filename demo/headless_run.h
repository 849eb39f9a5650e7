#pragma once

#include <vector>

#include "program_paths.h"
#include "sample_document.h"

namespace paginor::demo {

// Writes the documents of these formats, in order, without a window: every message, the library's
// included, is printed as "caption: text", information on standard output and the rest on standard
// error. The exit status: 0 when every document was written, 1 otherwise.
int RunHeadless(const DocumentFields& fields, const std::vector<DocumentFormat>& formats,
                const ProgramPaths& paths);

// Prints one message as RunHeadless does.
void PrintMessage(const std::string& text, const std::string& caption, MessageIcon icon);

}  // namespace paginor::demo
