#include "support/text_readers.h"

#include <algorithm>
#include <cmath>
#include <regex>

#include "support/external_tools.h"

namespace paginor::testing {
namespace {

std::string UnescapeXml(std::string text) {
  static const std::pair<const char*, const char*> entities[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
  for (const auto& [entity, character] : entities) {
    for (size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1)) {
      text.replace(at, std::char_traits<char>::length(entity), character);
    }
  }
  return text;
}

}  // namespace

std::vector<WordBox> WordBoxes(const std::string& path, int page) {
  std::vector<WordBox> words;
  if (!HasTool("pdftotext")) return words;
  const std::string number = std::to_string(page);
  const std::string xhtml = RunCommand("pdftotext -bbox -f " + number + " -l " + number + " '" + path + "' -").output;
  static const std::regex word(
      R"re(<word xMin="([-0-9.]+)" yMin="([-0-9.]+)" xMax="([-0-9.]+)" yMax="([-0-9.]+)">([^<]*)</word>)re");
  for (auto match = std::sregex_iterator(xhtml.begin(), xhtml.end(), word); match != std::sregex_iterator(); ++match) {
    words.push_back({UnescapeXml((*match)[5]), std::stod((*match)[1]), std::stod((*match)[2]), std::stod((*match)[3]),
                     std::stod((*match)[4])});
  }
  return words;
}

std::vector<TextLine> TextLines(std::vector<WordBox> words) {
  std::stable_sort(words.begin(), words.end(), [](const WordBox& a, const WordBox& b) { return a.top < b.top; });
  std::vector<TextLine> lines;
  for (const WordBox& box : words) {
    if (lines.empty() || std::abs(lines.back().front().top - box.top) > 1.0) lines.emplace_back();
    lines.back().push_back(box);
  }
  for (TextLine& line : lines) {
    std::sort(line.begin(), line.end(), [](const WordBox& a, const WordBox& b) { return a.left < b.left; });
  }
  return lines;
}

std::string GhostscriptText(const std::string& path) {
  if (!HasTool("gs")) return {};
  return RunCommand("gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=txtwrite -sOutputFile=- '" + path + "'").output;
}

bool ConvertToPdf(const std::string& pspath, const std::string& pdfpath) {
  return HasTool("ps2pdf") && RunCommand("ps2pdf '" + pspath + "' '" + pdfpath + "'").status == 0;
}

}  // namespace paginor::testing
