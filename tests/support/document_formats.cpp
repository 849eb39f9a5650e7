#include "support/document_formats.h"

#include <sstream>

#include "support/external_tools.h"
#include "support/pdf_reader.h"
#include "support/ps_reader.h"

namespace paginor::testing {

bool PdfFormat::ReadersInstalled() {
  // Every tool is asked, so that CI names each one that is missing.
  const bool qpdf = HasTool("qpdf"), gs = HasTool("gs"), pdftotext = HasTool("pdftotext");
  return qpdf && gs && pdftotext;
}

std::string PdfFormat::ReaderProblems(const std::string& path) { return testing::ReaderProblems(path); }

namespace {

std::vector<std::string> WordsOf(const std::string& output) {
  std::istringstream text(output);
  std::vector<std::string> words;
  for (std::string word; text >> word;) words.push_back(word);
  return words;
}

}  // namespace

std::vector<std::string> PdfFormat::Words(const std::string& path) {
  return WordsOf(RunCommand("pdftotext -raw " + Quoted(path) + " -").output);
}

size_t PdfFormat::Pages(const std::string& path) { return PdfFile(path).Pages().size(); }

bool PsFormat::ReadersInstalled() {
  const bool gs = HasTool("gs"), pdftotext = HasTool("pdftotext");
  return gs && pdftotext;
}

std::string PsFormat::ReaderProblems(const std::string& path) { return GhostscriptProblems(path); }

std::vector<std::string> PsFormat::Words(const std::string& path) {
  // Turned into PDF by Ghostscript, the text keeps the order in which it was written.
  const std::string pdf = path + ".pdf";
  RunCommand("gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=pdfwrite -sOutputFile=" + Quoted(pdf) + " " + Quoted(path));
  return PdfFormat::Words(pdf);
}

size_t PsFormat::Pages(const std::string& path) {
  return static_cast<size_t>(ReadWithGhostscript(path).pages);
}

}  // namespace paginor::testing
