#pragma once

#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

namespace paginor {

// The placeholders of a footer's text: "{page}" stands for the page's number, "{pages}" for the
// document's page count, "{{" and "}}" for a single brace. Any other brace stands for itself.

// True when the footer shows the page count, which is known only when the document ends.
inline bool NamesPageCount(std::string_view codes) {
  // "{{pages}" is a literal brace followed by "pages}": pairs of braces are read before placeholders.
  for (size_t at = codes.find('{'); at != std::string_view::npos; at = codes.find('{', at + 1)) {
    if (codes.substr(at, 2) == "{{") {
      ++at;
    } else if (codes.substr(at, 7) == "{pages}") {
      return true;
    }
  }
  return false;
}

// Walks a footer's codes in order: its text goes to text(piece), "{page}" as the digits of page and a
// doubled brace as one brace; each "{pages}" calls count().
template <typename Text, typename Count>
void VisitFooter(std::string_view codes, int64_t page, Text&& text, Count&& count) {
  size_t run = 0;  // the start of the text not yet handed on
  for (size_t at = codes.find_first_of("{}"); at != std::string_view::npos; at = codes.find_first_of("{}", at)) {
    const std::string_view rest = codes.substr(at);
    size_t skip = 0;
    if (rest.starts_with("{{") || rest.starts_with("}}")) {
      text(codes.substr(run, at + 1 - run));  // up to and with the first brace
      skip = 2;
    } else if (rest.starts_with("{page}")) {
      text(codes.substr(run, at - run));
      char digits[20];
      const auto end = std::to_chars(digits, digits + sizeof digits, page).ptr;
      text(std::string_view(digits, static_cast<size_t>(end - digits)));
      skip = 6;
    } else if (rest.starts_with("{pages}")) {
      text(codes.substr(run, at - run));
      count();
      skip = 7;
    } else {
      ++at;
      continue;
    }
    at += skip;
    run = at;
  }
  text(codes.substr(run));
}

// The footer's codes with its placeholders filled in.
inline std::string FilledFooter(std::string_view codes, int64_t page, int64_t pages) {
  std::string filled;
  filled.reserve(codes.size() + 8);
  VisitFooter(
      codes, page, [&](std::string_view piece) { filled.append(piece); },
      [&] {
        char digits[20];
        const auto end = std::to_chars(digits, digits + sizeof digits, pages).ptr;
        filled.append(digits, static_cast<size_t>(end - digits));
      });
  return filled;
}

}  // namespace paginor
