#include "core/picture_cache.h"

#include <algorithm>
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

std::span<const uint8_t> EmbeddedPicture::Pixels(EncodingConstants encoding) {
  return Encoded(0, false, encoding);
}

std::span<const uint8_t> EmbeddedPicture::Palette(EncodingConstants encoding) {
  if (!Indexed()) Fail();
  return Encoded(4, true, encoding);
}

std::span<const uint8_t> EmbeddedPicture::Encoded(size_t slot, bool palette, EncodingConstants encoding) {
  const auto code = static_cast<int32_t>(encoding);
  if (code < 1 || code > 4) Fail();
  std::vector<uint8_t>& stored = Entry->encoded[slot + static_cast<size_t>(code - 1)];
  if (!stored.empty()) return stored;
  if (!Decoded) {
    // Stored before with other encodings only: the same bytes decode to the same picture.
    PictureDescription picture;
    if (!Cache->Services.LoadImage(Entry->file, picture)) Fail();
    Decoded = std::move(picture);
  }
  std::vector<uint8_t> encoded = Cache->Services.EncodeData(palette ? Decoded->palette : Decoded->pixels, code);
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
  if (!Services.LoadImage(bytes, picture)) {
    const char* kind = PictureKind(bytes);
    LoadFailure = kind == nullptr ? "not a BMP, GIF or JPEG picture"
                                  : std::string("the ") + kind + " decoder found the data damaged or unsupported";
    return std::nullopt;
  }
  CachedPicture& entry = Entries.emplace_front();
  entry.hash = hash;
  entry.width = picture.width;
  entry.height = picture.height;
  entry.bits = picture.bitsPerPixel;
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
