#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace paginor {
class PDF;
}

namespace paginor::testing {

using Lines = std::vector<std::string>;

// A written PDF read back from its file: the bytes, the CR LF lines and where each object starts.
class PdfFile {
 public:
  explicit PdfFile(const std::string& path);

  const std::string& Bytes() const { return Content; }
  const Lines& AllLines() const { return FileLines; }

  // The lines of object number from "N 0 obj" to "endobj"; empty when there is no such object.
  Lines Object(int32_t number) const;
  // The data lines of stream object number, between "stream" and "endstream".
  Lines StreamData(int32_t number) const;
  // The page objects in page order, from the page tree's /Kids.
  std::vector<int32_t> Pages() const;
  // The object numbers listed after key (such as "/Contents [ " or "/Annots [ ") in page page.
  std::vector<int32_t> PageList(size_t page, const std::string& key) const;
  // The data lines of every content stream of page page, in drawing order.
  std::vector<Lines> PageContents(size_t page) const;

  // What is wrong with the file's structure, one problem a line; empty when nothing is. Checked by
  // reading: every cross-reference entry points at its "N 0 obj" line, "startxref" at "xref", every
  // stream's length object holds the byte count of its data, /Size and /Count agree with the tables.
  std::string StructureProblems() const;

 private:
  std::string CheckedStructureProblems() const;
  Lines PageTree() const;  // the lines of the object of type /Pages

  std::string Content;
  Lines FileLines;
  std::map<int32_t, size_t> ObjectLines;  // object number -> index of its "N 0 obj" line
};

// Sets SOURCE_DATE_EPOCH to 2026-12-08 04:18:38 UTC, the date every test document carries.
void FixCreationDate();
inline constexpr const char* FixedCreationDate = "/CreationDate (D:20261208041838)";

// Flushes a document (expecting success), reads the file back and checks its structure and, when the
// tools are installed, that qpdf and Ghostscript accept it without a word of complaint.
PdfFile FlushAndCheck(PDF& pdf, const std::string& path);

// What qpdf --check and a Ghostscript rendering say against the file; empty when both are content.
std::string ReaderProblems(const std::string& path);

// The text pdftotext finds on one page (1-based), or on every page for page 0.
std::string ExtractedText(const std::string& path, int page = 0);

// True while this process holds a descriptor open on the file.
bool IsOpenInProcess(const std::string& path);

}  // namespace paginor::testing
