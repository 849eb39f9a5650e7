#include "command_line.h"

#include <algorithm>

#include "paper_items.h"

namespace paginor::demo {
namespace {

void AddFormat(CommandLine& command, DocumentFormat format) {
  if (std::find(command.Formats.begin(), command.Formats.end(), format) == command.Formats.end()) {
    command.Formats.push_back(format);
  }
}

// The text field an option sets; none for the other options.
std::string* TextField(CommandLine& command, const std::string& option) {
  if (option == "--author") return &command.Fields.Author;
  if (option == "--creator") return &command.Fields.Creator;
  if (option == "--title") return &command.Fields.Title;
  return nullptr;
}

bool TakesValue(const std::string& option) {
  return option == "--author" || option == "--creator" || option == "--title" || option == "--paper";
}

// Applies one option (its value, if it takes one, is the next argument); false when it is unknown or
// its value is missing or invalid, with the reason in command.Error.
bool ApplyOption(CommandLine& command, const std::string& option, const std::string* value) {
  if (TakesValue(option) && value == nullptr) {
    command.Error = option + " needs a value";
    return false;
  }
  if (std::string* field = TextField(command, option)) {
    *field = *value;
  } else if (option == "--paper") {
    const auto paper = PaperByName(*value);
    if (!paper) {
      command.Error = "unknown paper size \"" + *value + "\"";
      return false;
    }
    command.Fields.PaperSize = *paper;
  } else if (option == "--landscape") {
    command.Fields.Landscape = true;
  } else if (option == "--rotated") {
    command.Fields.Rotated = true;
  } else if (option == "--pdf") {
    AddFormat(command, DocumentFormat::Pdf);
  } else if (option == "--ps") {
    AddFormat(command, DocumentFormat::PostScript);
  } else if (option == "--both") {
    AddFormat(command, DocumentFormat::Pdf);
    AddFormat(command, DocumentFormat::PostScript);
  } else if (option == "--help" || option == "-h") {
    command.Help = true;
  } else {
    command.Error = "unknown option \"" + option + "\"";
    return false;
  }
  return true;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine command;
  for (size_t index = 0; index < arguments.size(); ++index) {
    std::string option = arguments[index];
    std::string inlineValue;
    const bool hasInlineValue = option.starts_with("--") && option.find('=') != std::string::npos;
    if (hasInlineValue) {
      inlineValue = option.substr(option.find('=') + 1);
      option.erase(option.find('='));
    }
    const bool takesValue = TakesValue(option);
    const std::string* value = nullptr;
    if (hasInlineValue) {
      value = &inlineValue;
    } else if (takesValue && index + 1 < arguments.size()) {
      value = &arguments[++index];
    }
    if (hasInlineValue && !takesValue) {
      command.Error = option + " takes no value";
      return command;
    }
    if (!ApplyOption(command, option, value)) return command;
    command.AnyOption = true;
  }
  if (command.Formats.empty()) {
    command.Formats = {DocumentFormat::Pdf, DocumentFormat::PostScript};
  }
  return command;
}

std::string HelpText(const std::string& name) {
  return "Usage: " + name + " [options]\n"
         "\n"
         "Writes a sample document as PDF (Test.pdf) and as PostScript (Test.ps) into the temporary\n"
         "directory ($TMPDIR, or /tmp when it is not set), through the Paginor library.\n"
         "\n"
         "Without options and with a display, it opens its window: edit the document properties and\n"
         "press PDF or PS. With any option, or without a display, it runs without the window: it\n"
         "writes the documents and prints its messages instead of showing them.\n"
         "\n"
         "Options:\n"
         "  --author TEXT     the document's author (default \"Larkfield\")\n"
         "  --creator TEXT    the document's creator (default \"Paginor Demo\")\n"
         "  --title TEXT      the document's title (default \"Demo\")\n"
         "  --paper NAME      the paper size: A3, A4, A5, Executive, Folio, Ledger, Legal, Letter or\n"
         "                    Tabloid (default A4)\n"
         "  --landscape       landscape orientation (default portrait)\n"
         "  --rotated         the page shown turned a quarter turn\n"
         "  --pdf             write the PDF document\n"
         "  --ps              write the PostScript document\n"
         "  --both            write both (the default when neither --pdf nor --ps is given)\n"
         "  -h, --help        show this text and exit\n"
         "  An option's value may also follow an equals sign: --paper=Letter.\n"
         "\n"
         "Captions and sample texts come from the settings file beside the program, named after it\n"
         "with \".ini\" (section [FormPaginorDemo]); the picture is Samples/Sample.gif beside it.\n"
         "\n"
         "Exit status: 0 when every document was written, 1 when one could not be created,\n"
         "2 for a wrong command line.\n";
}

}  // namespace paginor::demo
