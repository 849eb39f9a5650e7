#include "support/pdf_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>

#include "paginor/pdf.h"
#include "support/external_tools.h"
#include "support/test_files.h"

namespace paginor::testing {
namespace {

// The numbers of every "N 0 R" reference in a line.
std::vector<int32_t> References(const std::string& line) {
  static const std::regex reference("(\\d+) 0 R");
  std::vector<int32_t> numbers;
  for (std::sregex_iterator match(line.begin(), line.end(), reference), end; match != end; ++match) {
    numbers.push_back(std::stoi((*match)[1]));
  }
  return numbers;
}

// The first line of lines that starts with prefix; empty when none does.
std::string LineStartingWith(const Lines& lines, const std::string& prefix) {
  for (const std::string& line : lines) {
    if (line.starts_with(prefix)) return line;
  }
  return {};
}

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

PdfFile::PdfFile(const std::string& path) : Content(ReadFile(path)), FileLines(SplitCrLfLines(Content)) {
  for (size_t index = 0; index < FileLines.size(); ++index) {
    const std::string_view line = FileLines[index];
    if (line.ends_with(" 0 obj") && AllDigits(line.substr(0, line.size() - 6))) {
      ObjectLines.emplace(std::stoi(FileLines[index]), index);
    }
  }
}

Lines PdfFile::Object(int32_t number) const {
  const auto found = ObjectLines.find(number);
  if (found == ObjectLines.end()) return {};
  Lines lines;
  for (size_t index = found->second; index < FileLines.size(); ++index) {
    lines.push_back(FileLines[index]);
    if (FileLines[index] == "endobj") break;
  }
  return lines;
}

Lines PdfFile::StreamData(int32_t number) const {
  const Lines lines = Object(number);
  Lines data;
  bool inside = false;
  for (const std::string& line : lines) {
    if (line == "endstream") break;
    if (inside) data.push_back(line);
    if (line == "stream") inside = true;
  }
  return data;
}

Lines PdfFile::PageTree() const {
  for (const auto& [number, index] : ObjectLines) {
    Lines lines = Object(number);
    if (LineStartingWith(lines, "/Type /Pages") != "") return lines;
  }
  return {};
}

std::vector<int32_t> PdfFile::Pages() const { return References(LineStartingWith(PageTree(), "/Kids [ ")); }

std::vector<int32_t> PdfFile::PageList(size_t page, const std::string& key) const {
  const std::vector<int32_t> pages = Pages();
  if (page >= pages.size()) return {};
  return References(LineStartingWith(Object(pages[page]), key));
}

std::vector<Lines> PdfFile::PageContents(size_t page) const {
  std::vector<Lines> contents;
  for (const int32_t stream : PageList(page, "/Contents [ ")) contents.push_back(StreamData(stream));
  return contents;
}

std::string PdfFile::StructureProblems() const {
  try {
    return CheckedStructureProblems();
  } catch (const std::exception& error) {  // a number or an offset that cannot be read
    return std::string("unreadable structure: ") + error.what() + '\n';
  }
}

std::string PdfFile::CheckedStructureProblems() const {
  std::ostringstream problems;
  const size_t count = FileLines.size();
  if (count < 9 || FileLines[count - 1] != "%%EOF" || FileLines[count - 3] != "startxref" ||
      !Content.ends_with("%%EOF\r\n")) {
    return "the file does not end with startxref, its offset and %%EOF\n";
  }
  const size_t xref = std::stoull(FileLines[count - 2]);
  if (Content.compare(xref, 6, "xref\r\n") != 0) return "startxref does not point at the xref line\n";

  // The table: "0 K", the free entry, then K - 1 entries of exactly 20 bytes.
  size_t position = xref + 6;
  const size_t lineEnd = Content.find("\r\n", position);
  const std::string subsection = Content.substr(position, lineEnd - position);
  if (!subsection.starts_with("0 ")) return "the xref table does not start at object 0\n";
  const int32_t size = std::stoi(subsection.substr(2));
  position = lineEnd + 2;
  if (Content.compare(position, 20, "0000000000 65535 f\r\n") != 0) problems << "bad free entry\n";
  std::vector<size_t> offsets(static_cast<size_t>(size), 0);
  for (int32_t number = 1; number < size; ++number) {
    position += 20;
    const std::string entry = Content.substr(position, 20);
    if (!AllDigits(entry.substr(0, 10)) || entry.substr(10) != " 00000 n\r\n") {
      problems << "xref entry " << number << " is not 20 bytes of offset, generation and n\n";
      continue;
    }
    const size_t offset = std::stoull(entry.substr(0, 10));
    offsets[static_cast<size_t>(number)] = offset;
    const std::string header = std::to_string(number) + " 0 obj\r\n";
    if (offset == 0 || Content.compare(offset, header.size(), header) != 0 || Content[offset - 1] != '\n') {
      problems << "xref entry " << number << " (" << offset << ") does not point at its object\n";
    }
  }
  if (Content.compare(position + 20, 9, "trailer\r\n") != 0) problems << "no trailer after the table\n";
  const Lines trailer(FileLines.end() - 9, FileLines.end());
  if (trailer[2] != "/Size " + std::to_string(size)) problems << "trailer " << trailer[2] << " for " << size << '\n';
  if (ObjectLines.size() != static_cast<size_t>(size - 1) ||
      (size > 1 && ObjectLines.rbegin()->first != size - 1)) {
    problems << "objects written are not exactly 1 to " << size - 1 << '\n';
  }

  // Every stream's length object holds the bytes between "stream" CR LF and CR LF "endstream".
  for (int32_t number = 1; number < size; ++number) {
    const Lines lines = Object(number);
    if (lines.size() < 5 || lines[4] != "stream") continue;
    const std::vector<int32_t> lengthObject = References(lines[2]);
    const size_t start = Content.find("\r\nstream\r\n", offsets[static_cast<size_t>(number)]) + 10;
    const size_t end = Content.find("\r\nendstream\r\n", start);
    const Lines length = lengthObject.empty() ? Lines{} : Object(lengthObject[0]);
    if (length.size() != 3 || length[1] != std::to_string(end - start)) {
      problems << "stream " << number << " has " << end - start << " bytes, its length object says "
               << (length.size() == 3 ? length[1] : "nothing") << '\n';
    }
  }

  const std::string counted = LineStartingWith(PageTree(), "/Count ");
  if (counted != "/Count " + std::to_string(Pages().size())) problems << counted << " disagrees with /Kids\n";
  return problems.str();
}

void FixCreationDate() { ::setenv("SOURCE_DATE_EPOCH", "1796703518", 1); }

PdfFile FlushAndCheck(PDF& pdf, const std::string& path) {
  EXPECT_TRUE(pdf.Flush());
  PdfFile file(path);
  EXPECT_EQ(file.StructureProblems(), "");
  EXPECT_EQ(ReaderProblems(path), "");
  return file;
}

std::string ReaderProblems(const std::string& path) {
  std::string problems;
  if (HasTool("qpdf")) {
    const CommandResult check = RunCommand("qpdf --check " + ShellQuoted(path));
    if (check.status != 0 || check.output.find("WARNING") != std::string::npos) problems += check.output;
  }
  if (HasTool("gs")) {
    const CommandResult render = RunCommand("gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=nullpage " + ShellQuoted(path));
    if (render.status != 0 || !render.output.empty()) problems += "gs: " + render.output;
  }
  return problems;
}

std::string ExtractedText(const std::string& path, int page) {
  if (!HasTool("pdftotext")) return {};
  const std::string range = page > 0 ? "-f " + std::to_string(page) + " -l " + std::to_string(page) + " " : "";
  return RunCommand("pdftotext " + range + ShellQuoted(path) + " -").output;
}

bool IsOpenInProcess(const std::string& path) {
  namespace fs = std::filesystem;
  const fs::path target = fs::weakly_canonical(path);
  std::error_code error;
  for (const auto& entry : fs::directory_iterator("/proc/self/fd", error)) {
    if (fs::read_symlink(entry.path(), error) == target) return true;
  }
  return false;
}

}  // namespace paginor::testing
