#pragma once

#include <string>
#include <vector>

#include "sample_document.h"

namespace paginor::demo {

// What the command line asks for.
struct CommandLine {
  DocumentFields Fields;
  std::vector<DocumentFormat> Formats;  // the documents to write, in order; empty: both
  bool Help = false;
  bool AnyOption = false;  // some option was given: run without the window
  std::string Error;       // what is wrong with the command line; empty when nothing is
};

// Reads the arguments after the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The text --help prints, for the program called name.
std::string HelpText(const std::string& name);

}  // namespace paginor::demo
