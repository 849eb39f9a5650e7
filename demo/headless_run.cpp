#include "headless_run.h"

#include <iostream>

namespace paginor::demo {

void PrintMessage(const std::string& text, const std::string& caption, MessageIcon icon) {
  std::ostream& out = icon == MessageIcon::Information ? std::cout : std::cerr;
  out << caption << ": " << text << std::endl;
}

int RunHeadless(const DocumentFields& fields, const std::vector<DocumentFormat>& formats,
                const ProgramPaths& paths) {
  SetMessageHandler(PrintMessage);
  bool allWritten = true;
  for (const DocumentFormat format : formats) {
    allWritten = WriteSampleDocument(format, fields, paths, PrintMessage) && allWritten;
  }
  SetMessageHandler(nullptr);
  return allWritten ? 0 : 1;
}

}  // namespace paginor::demo
