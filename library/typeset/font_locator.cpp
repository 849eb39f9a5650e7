#include "typeset/font_locator.h"

#include <fontconfig/fontconfig.h>
#include <sys/stat.h>

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>
#include <string_view>
#include <tuple>

namespace paginor::typeset {
namespace {

// The font configuration is loaded once and kept for the life of the process; every query goes through
// one lock, and every answer is cached, so that a document asks the system at most once per family,
// style and character.
struct Configuration {
  std::mutex Lock;
  FcConfig* Config = nullptr;
  std::map<std::pair<std::string, FontStyleConstants>, std::optional<FaceLocation>> Families;
  std::map<std::tuple<char32_t, FontStyleConstants, size_t>, std::vector<FaceLocation>> Characters;
};

Configuration& Shared() {
  static Configuration* configuration = [] {
    auto* loaded = new Configuration();  // never destroyed: lookups may come from static destructors
    loaded->Config = FcInitLoadConfigAndFonts();
    return loaded;
  }();
  return *configuration;
}

bool IsBold(FontStyleConstants style) {
  return style == FontStyleConstants::Bold || style == FontStyleConstants::BoldItalic;
}

bool IsItalic(FontStyleConstants style) {
  return style == FontStyleConstants::Italic || style == FontStyleConstants::BoldItalic;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return FcToLower(static_cast<FcChar8>(x)) == FcToLower(static_cast<FcChar8>(y));
         });
}

bool IsRegularFile(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

// A pattern for scalable faces of the requested weight and slant.
FcPattern* StyledPattern(FontStyleConstants style) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddInteger(pattern, FC_WEIGHT, IsBold(style) ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, IsItalic(style) ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  return pattern;
}

// Scalable faces in TrueType or OpenType files (TrueType or CFF outlines); Type 1 and bitmap files of
// the same family are passed over.
bool IsUsableFormat(FcPattern* font) {
  FcChar8* format = nullptr;
  FcBool scalable = FcFalse;
  if (FcPatternGetString(font, FC_FONTFORMAT, 0, &format) != FcResultMatch) return false;
  const std::string_view kind(reinterpret_cast<const char*>(format));
  return (kind == "TrueType" || kind == "CFF") &&
         FcPatternGetBool(font, FC_SCALABLE, 0, &scalable) == FcResultMatch && scalable;
}

// The file and index of a matched face; nothing when it has no file.
std::optional<FaceLocation> LocationOf(FcPattern* font) {
  FcChar8* file = nullptr;
  if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch) return std::nullopt;
  FaceLocation location;
  location.Path = reinterpret_cast<const char*>(file);
  int index = 0;
  if (FcPatternGetInteger(font, FC_INDEX, 0, &index) == FcResultMatch && index > 0) {
    location.Index = static_cast<uint32_t>(index & 0xFFFF);  // the upper bits select a named instance
  }
  return location;
}

bool HasFamily(FcPattern* font, const std::string& family) {
  FcChar8* name = nullptr;
  for (int n = 0; FcPatternGetString(font, FC_FAMILY, n, &name) == FcResultMatch; ++n) {
    if (EqualIgnoringCase(reinterpret_cast<const char*>(name), family)) return true;
  }
  return false;
}

// The faces the configuration ranks for a pattern of `style` with `add` applied, best first.
template <typename Add>
FcFontSet* SortedFaces(FcConfig* config, FontStyleConstants style, Add add) {
  FcPattern* pattern = StyledPattern(style);
  add(pattern);
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcFontSet* sorted = FcFontSort(config, pattern, FcFalse, nullptr, &result);
  FcPatternDestroy(pattern);
  return sorted;
}

// The best ranked usable face of the family, in the configuration's ranking.
std::optional<FaceLocation> MatchFamily(FcConfig* config, const std::string& family, FontStyleConstants style) {
  if (family.empty() || config == nullptr) return std::nullopt;
  FcFontSet* sorted = SortedFaces(config, style, [&](FcPattern* pattern) {
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  });
  std::optional<FaceLocation> location;
  for (int n = 0; sorted != nullptr && n < sorted->nfont && !location; ++n) {
    if (IsUsableFormat(sorted->fonts[n]) && HasFamily(sorted->fonts[n], family)) {
      location = LocationOf(sorted->fonts[n]);
    }
  }
  if (sorted != nullptr) FcFontSetDestroy(sorted);
  return location;
}

std::vector<FaceLocation> MatchCharacter(FcConfig* config, char32_t character, FontStyleConstants style,
                                         size_t limit) {
  std::vector<FaceLocation> found;
  if (config == nullptr) return found;
  FcCharSet* wanted = FcCharSetCreate();
  FcCharSetAddChar(wanted, character);
  FcFontSet* sorted = SortedFaces(config, style, [&](FcPattern* pattern) {
    FcPatternAddCharSet(pattern, FC_CHARSET, wanted);
  });
  for (int n = 0; sorted != nullptr && n < sorted->nfont && found.size() < limit; ++n) {
    FcPattern* font = sorted->fonts[n];
    FcCharSet* charset = nullptr;
    if (!IsUsableFormat(font) || FcPatternGetCharSet(font, FC_CHARSET, 0, &charset) != FcResultMatch ||
        !FcCharSetHasChar(charset, character)) {
      continue;
    }
    if (auto location = LocationOf(font)) {
      if (std::find(found.begin(), found.end(), *location) == found.end()) found.push_back(*location);
    }
  }
  if (sorted != nullptr) FcFontSetDestroy(sorted);
  FcCharSetDestroy(wanted);
  return found;
}

}  // namespace

bool IsFontFilePath(const std::string& family) {
  if (family.find('/') != std::string::npos) return true;
  if (family.size() < 4) return false;
  const std::string_view extension = std::string_view(family).substr(family.size() - 4);
  return EqualIgnoringCase(extension, ".ttf") || EqualIgnoringCase(extension, ".otf") ||
         EqualIgnoringCase(extension, ".ttc");
}

std::optional<FaceLocation> LocateFace(const std::string& family, FontStyleConstants style) {
  if (IsFontFilePath(family)) {
    if (!IsRegularFile(family)) return std::nullopt;
    return FaceLocation{family, 0};
  }
  Configuration& shared = Shared();
  const std::lock_guard<std::mutex> guard(shared.Lock);
  const auto key = std::make_pair(family, style);
  const auto cached = shared.Families.find(key);
  if (cached != shared.Families.end()) return cached->second;
  return shared.Families.emplace(key, MatchFamily(shared.Config, family, style)).first->second;
}

std::vector<FaceLocation> LocateFacesWithCharacter(char32_t character, FontStyleConstants style, size_t limit) {
  Configuration& shared = Shared();
  const std::lock_guard<std::mutex> guard(shared.Lock);
  const auto key = std::make_tuple(character, style, limit);
  const auto cached = shared.Characters.find(key);
  if (cached != shared.Characters.end()) return cached->second;
  return shared.Characters.emplace(key, MatchCharacter(shared.Config, character, style, limit)).first->second;
}

}  // namespace paginor::typeset
