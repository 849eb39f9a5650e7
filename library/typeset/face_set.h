#pragma once

// The faces one document uses: each font file's face opened once, and the fallback faces found for
// characters the chosen face lacks. Not shared between documents (a document is used by one thread).
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "typeset/font_face.h"

namespace paginor::typeset {

class FaceSet {
 public:
  // The face at a location, opened on first use; nullptr when it is not a usable face (also remembered).
  const OpenTypeFace* Open(const FaceLocation& location);

  // An installed face of `style` that has a glyph for `character`: a fallback face already in use when
  // one has it, else the font configuration's best usable choice (damaged files are skipped). nullptr
  // when no installed face has the character.
  const OpenTypeFace* FallbackFor(char32_t character, FontStyleConstants style);

 private:
  std::map<std::pair<std::string, uint32_t>, std::unique_ptr<OpenTypeFace>> Faces;
  std::vector<std::pair<FontStyleConstants, const OpenTypeFace*>> Fallbacks;  // in order of first use
  std::set<std::pair<char32_t, FontStyleConstants>> Unavailable;
};

}  // namespace paginor::typeset
