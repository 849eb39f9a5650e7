#include "typeset/face_set.h"

namespace paginor::typeset {
namespace {

// Candidates asked of the font configuration per missing character: enough to step over a few damaged
// files without scanning every installed font.
constexpr size_t FallbackCandidates = 4;

}  // namespace

const OpenTypeFace* FaceSet::Open(const FaceLocation& location) {
  const auto key = std::make_pair(location.Path, location.Index);
  const auto found = Faces.find(key);
  if (found != Faces.end()) return found->second.get();
  return Faces.emplace(key, OpenTypeFace::Open(location)).first->second.get();
}

const OpenTypeFace* FaceSet::FallbackFor(char32_t character, FontStyleConstants style) {
  for (const auto& [faceStyle, face] : Fallbacks) {
    if (faceStyle == style && face->GlyphFor(character) != 0) return face;
  }
  if (Unavailable.contains({character, style})) return nullptr;
  for (const FaceLocation& location : LocateFacesWithCharacter(character, style, FallbackCandidates)) {
    const OpenTypeFace* face = Open(location);
    if (face != nullptr && face->GlyphFor(character) != 0) {
      Fallbacks.emplace_back(style, face);
      return face;
    }
  }
  Unavailable.emplace(character, style);
  return nullptr;
}

}  // namespace paginor::typeset
