// Settings are parsed with inih. As packaged, inih reads lines of at most 199 characters and takes the
// rest of a longer line for a line of its own; a long value would be cut and its tail could even pass
// for another key. So each line is read here whole: a line too long for inih reaches it as its name and
// separator only, and the value is taken from the whole line when inih reports the name.
#include "settings_file.h"

#include <ini.h>

#include <fstream>

#include "same_name.h"

namespace paginor::demo {
namespace {

constexpr std::string_view Blanks = " \t\r\n\f\v";

std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(Blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

// What inih makes of a value: cut at a ';' that follows a blank, then trimmed.
std::string_view ValueOfLine(std::string_view raw) {
  for (size_t index = 1; index < raw.size(); ++index) {
    if (raw[index] == ';' && Blanks.find(raw[index - 1]) != std::string_view::npos) {
      raw = raw.substr(0, index);
      break;
    }
  }
  return Trimmed(raw);
}

struct Lookup {
  std::ifstream Input;
  std::string Line;
  bool LongLine = false;  // the line inih is parsing reached it without its value
  std::string_view Section;
  std::string_view Key;
  bool Found = false;
  std::string Value;
};

char* ReadLine(char* buffer, int size, void* stream) {
  Lookup& lookup = *static_cast<Lookup*>(stream);
  if (!std::getline(lookup.Input, lookup.Line)) return nullptr;
  const size_t room = static_cast<size_t>(size) - 1;
  std::string_view handed = lookup.Line;
  lookup.LongLine = handed.size() > room;
  if (lookup.LongLine) {
    const size_t separator = handed.find_first_of("=:");
    const bool namedValue = separator != std::string_view::npos && separator < room;
    handed = handed.substr(0, namedValue ? separator + 1 : room);
    lookup.LongLine = namedValue;
  }
  handed.copy(buffer, handed.size());
  buffer[handed.size()] = '\0';
  return buffer;
}

int TakeValue(void* user, const char* section, const char* name, const char* value) {
  Lookup& lookup = *static_cast<Lookup*>(user);
  if (lookup.Found || !SameName(section, lookup.Section) || !SameName(name, lookup.Key)) return 1;
  std::string_view text = value;
  if (lookup.LongLine) text = ValueOfLine(std::string_view(lookup.Line).substr(lookup.Line.find_first_of("=:") + 1));
  lookup.Value.assign(text.substr(0, SettingCapacity));
  lookup.Found = true;
  return 1;
}

}  // namespace

std::string ReadSetting(const std::string& file, std::string_view section, std::string_view key) {
  Lookup lookup;
  lookup.Section = section;
  lookup.Key = key;
  lookup.Input.open(file, std::ios::binary);
  if (!lookup.Input) return {};
  ::ini_parse_stream(ReadLine, &lookup, TakeValue, &lookup);
  return lookup.Value;
}

}  // namespace paginor::demo
