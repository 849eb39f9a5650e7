#include "support/document_formats.h"

#include <sstream>

#include "support/external_tools.h"
#include "support/pdf_reader.h"

namespace paginor::testing {

bool PdfFormat::ReadersInstalled() {
  // Every tool is asked, so that CI names each one that is missing.
  const bool qpdf = HasTool("qpdf"), gs = HasTool("gs"), pdftotext = HasTool("pdftotext");
  return qpdf && gs && pdftotext;
}

std::string PdfFormat::ReaderProblems(const std::string& path) { return testing::ReaderProblems(path); }

std::vector<std::string> PdfFormat::Words(const std::string& path) {
  std::istringstream text(RunCommand("pdftotext -raw " + Quoted(path) + " -").output);
  std::vector<std::string> words;
  for (std::string word; text >> word;) words.push_back(word);
  return words;
}

size_t PdfFormat::Pages(const std::string& path) { return PdfFile(path).Pages().size(); }

}  // namespace paginor::testing
