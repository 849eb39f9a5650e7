#include "core/picture_cache.h"

#include <algorithm>
#include <array>
#include <functional>
#include <string_view>
#include <utility>

#include "services/failure.h"
#include "services/picture_decoders.h"
#include "services/picture_file.h"

namespace paginor {

namespace {

size_t HashOf(std::span<const uint8_t> bytes) {
  return std::hash<std::string_view>()(
      std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

// Encodings kept of each part of a picture: one for each of the four.
constexpr size_t SlotsPerPart = 4;

// The pixels of a transparent picture laid over a background: each channel mixed by the pixel's
// opacity, rounded to the nearest level.
std::vector<uint8_t> Composited(const PictureDescription& picture, std::array<uint8_t, 3> background) {
  std::vector<uint8_t> pixels(picture.pixels.size());
  if (picture.opacity.size() * 3 != pixels.size()) Fail();
  for (size_t pixel = 0, at = 0; pixel < picture.opacity.size(); ++pixel) {
    const unsigned opacity = picture.opacity[pixel];
    for (size_t channel = 0; channel < 3; ++channel, ++at) {
      // A mix of whole levels over 255 never lies halfway between two levels, 255 being odd.
      pixels[at] = static_cast<uint8_t>((picture.pixels[at] * opacity + background[channel] * (255 - opacity) + 127) / 255);
    }
  }
  return pixels;
}

size_t BytesOf(const CachedPicture& entry) {
  size_t bytes = entry.file.size();
  for (const std::vector<uint8_t>& encoded : entry.encoded) bytes += encoded.size();
  return bytes;
}

}  // namespace

EmbeddedPicture::EmbeddedPicture(PictureCache& cache, CachedPicture& entry,
                                 std::optional<PictureDescription> decoded)
    : Cache(&cache), Entry(&entry), Decoded(std::move(decoded)) {}

EmbeddedPicture::EmbeddedPicture(EmbeddedPicture&& other) noexcept
    : Cache(std::exchange(other.Cache, nullptr)), Entry(other.Entry), Decoded(std::move(other.Decoded)) {}

EmbeddedPicture::~EmbeddedPicture() {
  if (Cache != nullptr) Cache->Trim();
}

std::span<const uint8_t> EmbeddedPicture::Pixels(EncodingConstants encoding) { return Encoded(Part::Pixels, encoding); }

std::span<const uint8_t> EmbeddedPicture::Palette(EncodingConstants encoding) {
  if (!Indexed()) Fail();
  return Encoded(Part::Palette, encoding);
}

std::span<const uint8_t> EmbeddedPicture::Opacity(EncodingConstants encoding) {
  if (!Transparent()) Fail();
  return Encoded(Part::Opacity, encoding);
}

std::span<const uint8_t> EmbeddedPicture::PixelsOver(std::array<uint8_t, 3> background, EncodingConstants encoding) {
  if (!Transparent()) return Pixels(encoding);
  if (Entry->background != background) {
    // Made over another colour: those encodings no longer apply.
    for (size_t slot = SlotsPerPart * static_cast<size_t>(Part::Composited); slot < Entry->encoded.size(); ++slot) {
      Cache->Stored -= Entry->encoded[slot].size();
      Entry->encoded[slot] = std::vector<uint8_t>();
    }
    Entry->background = background;
  }
  return Encoded(Part::Composited, encoding);
}

std::span<const uint8_t> EmbeddedPicture::Encoded(Part part, EncodingConstants encoding) {
  const auto code = static_cast<int32_t>(encoding);
  if (code < 1 || code > 4) Fail();
  std::vector<uint8_t>& stored =
      Entry->encoded[SlotsPerPart * static_cast<size_t>(part) + static_cast<size_t>(code - 1)];
  if (!stored.empty()) return stored;
  if (!Decoded) {
    // Stored before with other encodings only: the same bytes decode to the same picture.
    PictureDescription picture;
    if (!Cache->Codec.LoadImage(Entry->file, picture)) Fail();
    Decoded = std::move(picture);
  }
  std::vector<uint8_t> encoded;
  switch (part) {
    case Part::Pixels: encoded = Cache->Codec.EncodeData(Decoded->pixels, code); break;
    case Part::Palette: encoded = Cache->Codec.EncodeData(Decoded->palette, code); break;
    case Part::Opacity: encoded = Cache->Codec.EncodeData(Decoded->opacity, code); break;
    case Part::Composited: encoded = Cache->Codec.EncodeData(Composited(*Decoded, Entry->background), code); break;
  }
  // Every encoding ends with a marker or a checksum: nothing at all means the encoder failed.
  if (encoded.empty()) Fail();
  stored = std::move(encoded);
  Cache->Stored += stored.size();
  return stored;
}

std::optional<EmbeddedPicture> PictureCache::Load(const std::string& file) try {
  std::vector<uint8_t> bytes;
  LoadFailure.clear();
  if (!ReadPictureFile(file, bytes, &LoadFailure)) return std::nullopt;
  const size_t hash = HashOf(bytes);
  const auto found = std::find_if(Entries.begin(), Entries.end(), [&](const CachedPicture& entry) {
    return entry.hash == hash && entry.file == bytes;
  });
  if (found != Entries.end()) {
    Entries.splice(Entries.begin(), Entries, found);
    return EmbeddedPicture(*this, Entries.front(), std::nullopt);
  }

  PictureDescription picture;
  if (!Codec.LoadImage(bytes, picture)) {
    const char* kind = PictureKind(bytes);
    LoadFailure = kind == nullptr ? "not a BMP, GIF, JPEG or PNG picture"
                                  : std::string("the ") + kind + " decoder found the data damaged, unsupported or too large";
    return std::nullopt;
  }
  CachedPicture& entry = Entries.emplace_front();
  entry.hash = hash;
  entry.width = picture.width;
  entry.height = picture.height;
  entry.bits = picture.bitsPerPixel;
  entry.transparent = !picture.opacity.empty();
  entry.file = std::move(bytes);
  Stored += entry.file.size();
  return EmbeddedPicture(*this, entry, std::move(picture));
} catch (const std::exception&) {  // memory refused for the file or the picture
  LoadFailure = "not enough memory for the picture";
  return std::nullopt;
}

void PictureCache::Trim() {
  // The picture just used comes first: one larger than the whole bound is not kept, and pushes out
  // nothing else.
  if (!Entries.empty() && BytesOf(Entries.front()) > Bound) {
    Stored -= BytesOf(Entries.front());
    Entries.pop_front();
  }
  while (Stored > Bound) {
    Stored -= BytesOf(Entries.back());
    Entries.pop_back();
  }
}

}  // namespace paginor
