#include "pdf/pdf_strings.h"

#include <vector>

#include "services/code_page.h"

namespace paginor {

void PutEscapedText(std::string_view codes, LineBuffer& out) {
  // Runs without anything to escape go in whole.
  size_t run = 0;
  for (size_t index = 0; index < codes.size(); ++index) {
    const char code = codes[index];
    if (code == '\\' || code == '(' || code == ')') {
      out.Put(codes.substr(run, index - run)).Put('\\');
      run = index;
    }
  }
  out.Put(codes.substr(run));
}

std::string EscapedLiteral(std::string_view utf8) {
  const std::string codes = ToWindows1252(utf8);
  // Pair each ")" with the nearest open "(" before it; what stays unpaired is escaped.
  std::vector<bool> unpaired(codes.size(), false);
  std::vector<size_t> open;
  for (size_t index = 0; index < codes.size(); ++index) {
    if (codes[index] == '(') {
      open.push_back(index);
    } else if (codes[index] == ')') {
      if (open.empty()) {
        unpaired[index] = true;
      } else {
        open.pop_back();
      }
    }
  }
  for (const size_t index : open) unpaired[index] = true;

  std::string out;
  out.reserve(codes.size() + 8);
  for (size_t index = 0; index < codes.size(); ++index) {
    if (codes[index] == '\\' || unpaired[index]) out.push_back('\\');
    out.push_back(codes[index]);
  }
  return out;
}

}  // namespace paginor
