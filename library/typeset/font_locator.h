#pragma once

// Finding font files: a family name and style through the system's font configuration, a file named by
// its path, or an installed face that holds a given character. Lookups are cached for the whole process
// and may be made from any thread.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "paginor/enumerations.h"

namespace paginor::typeset {

// Where a face lives: a font file and the index of the face inside it (a collection holds several).
struct FaceLocation {
  std::string Path;
  uint32_t Index = 0;

  bool operator==(const FaceLocation&) const = default;
};

// True when `family` names a font file rather than a family: it contains a '/' or ends in .ttf, .otf
// or .ttc (in any case).
bool IsFontFilePath(const std::string& family);

// The face of `family` in `style`: the font configuration's choice among the faces of that family (a
// family name must match one of the face's family names, ignoring case, or nothing is found), or the
// file itself when `family` is a path (its first face; a path to a missing file finds nothing). When
// the family has no face of that style, the nearest one is found.
// Only scalable faces in TrueType or OpenType files are considered.
std::optional<FaceLocation> LocateFace(const std::string& family, FontStyleConstants style);

// Installed faces that hold `character`, best match for `style` first (at most `limit`).
std::vector<FaceLocation> LocateFacesWithCharacter(char32_t character, FontStyleConstants style,
                                                   size_t limit);

}  // namespace paginor::typeset
