#include "typeset/font_face.h"

#include <hb-ot.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace paginor::typeset {
namespace {

constexpr hb_tag_t HeadTable = HB_TAG('h', 'e', 'a', 'd');
constexpr hb_tag_t PostTable = HB_TAG('p', 'o', 's', 't');
constexpr hb_tag_t Os2Table = HB_TAG('O', 'S', '/', '2');
constexpr hb_tag_t GlyphTable = HB_TAG('g', 'l', 'y', 'f');
constexpr hb_tag_t LocationTable = HB_TAG('l', 'o', 'c', 'a');
constexpr hb_tag_t CffTable = HB_TAG('C', 'F', 'F', ' ');
constexpr hb_tag_t CharacterMapTable = HB_TAG('c', 'm', 'a', 'p');

// A table's bytes for the life of the object.
class Table {
 public:
  Table(hb_face_t* face, hb_tag_t tag) : Blob(hb_face_reference_table(face, tag)) {
    unsigned int length = 0;
    const char* data = hb_blob_get_data(Blob, &length);
    Bytes = std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(data), data == nullptr ? 0 : length);
  }
  ~Table() { hb_blob_destroy(Blob); }
  Table(const Table&) = delete;
  Table& operator=(const Table&) = delete;

  size_t Size() const { return Bytes.size(); }
  // Big-endian fields; a field past the end of the table reads as 0.
  uint16_t Unsigned16(size_t offset) const {
    if (offset + 2 > Bytes.size()) return 0;
    return static_cast<uint16_t>(Bytes[offset] << 8 | Bytes[offset + 1]);
  }
  int16_t Signed16(size_t offset) const { return static_cast<int16_t>(Unsigned16(offset)); }
  uint32_t Unsigned32(size_t offset) const {
    return static_cast<uint32_t>(Unsigned16(offset)) << 16 | Unsigned16(offset + 2);
  }

 private:
  hb_blob_t* Blob;
  std::span<const uint8_t> Bytes;
};

int32_t MetricOr(hb_font_t* font, hb_ot_metrics_tag_t tag, int32_t fallback) {
  hb_position_t value = 0;
  return hb_ot_metrics_get_position(font, tag, &value) ? value : fallback;
}

// Keeps the characters a PDF name and a PostScript font name may hold without escapes.
std::string CleanName(const std::string& name) {
  std::string clean;
  for (const char c : name) {
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (letter || c == '-' || c == '_' || c == '.') clean += c;
    if (clean.size() == 63) break;
  }
  return clean;
}

std::string NameEntry(hb_face_t* face, hb_ot_name_id_t id) {
  char buffer[256];
  unsigned int size = sizeof buffer;
  if (hb_ot_name_get_utf8(face, id, hb_language_from_string("en", -1), &size, buffer) == 0) {
    size = sizeof buffer;
    if (hb_ot_name_get_utf8(face, id, HB_LANGUAGE_INVALID, &size, buffer) == 0) return {};
  }
  return std::string(buffer, size);
}

}  // namespace

std::unique_ptr<OpenTypeFace> OpenTypeFace::Open(const FaceLocation& location) {
  hb_blob_t* blob = hb_blob_create_from_file_or_fail(location.Path.c_str());
  if (blob == nullptr) return nullptr;
  std::unique_ptr<OpenTypeFace> face(new OpenTypeFace(location, blob));
  if (!face->Prepare()) return nullptr;
  return face;
}

std::unique_ptr<OpenTypeFace> OpenTypeFace::FromBytes(std::span<const uint8_t> bytes, uint32_t index) {
  if (bytes.empty() || bytes.size() > 0x7FFFFFFF) return nullptr;
  hb_blob_t* blob = hb_blob_create_or_fail(reinterpret_cast<const char*>(bytes.data()),
                                           static_cast<unsigned int>(bytes.size()),
                                           HB_MEMORY_MODE_DUPLICATE, nullptr, nullptr);
  if (blob == nullptr) return nullptr;
  std::unique_ptr<OpenTypeFace> face(new OpenTypeFace(FaceLocation{{}, index}, blob));
  if (!face->Prepare()) return nullptr;
  return face;
}

OpenTypeFace::OpenTypeFace(FaceLocation location, hb_blob_t* blob) : Where(std::move(location)), Blob(blob) {}

OpenTypeFace::~OpenTypeFace() {
  hb_font_destroy(Font);
  hb_face_destroy(FaceData);
  hb_blob_destroy(Blob);
}

// Checks that the face has what shaping and embedding need, then reads its metrics. A face is refused
// when its index is past the file's faces, its head table or units per em are implausible, it has no
// character map or no glyphs, or its outlines are neither TrueType nor CFF (CFF2, bitmaps only).
bool OpenTypeFace::Prepare() {
  if (Where.Index >= hb_face_count(Blob)) return false;
  FaceData = hb_face_create(Blob, Where.Index);
  const Table head(FaceData, HeadTable);
  if (head.Size() < 54 || head.Unsigned32(12) != 0x5F0F3CF5) return false;  // the magic number
  const int32_t unitsPerEm = head.Unsigned16(18);
  if (unitsPerEm < 16 || unitsPerEm > 16384) return false;
  Glyphs = hb_face_get_glyph_count(FaceData);
  if (Glyphs == 0 || Glyphs > 65535) return false;
  if (Table(FaceData, CharacterMapTable).Size() == 0) return false;
  if (Table(FaceData, GlyphTable).Size() > 0 && Table(FaceData, LocationTable).Size() > 0) {
    Format = OutlineFormat::TrueType;
  } else if (Table(FaceData, CffTable).Size() > 0) {
    Format = OutlineFormat::CompactFontFormat;
  } else {
    return false;
  }
  hb_face_make_immutable(FaceData);
  Font = hb_font_create(FaceData);
  hb_font_set_scale(Font, unitsPerEm, unitsPerEm);  // positions in face units
  hb_font_make_immutable(Font);

  for (uint32_t character = 0; character < 128; ++character) {
    if (GlyphFor(character) != 0) AsciiCoverage[character >> 6] |= uint64_t{1} << (character & 63);
  }

  FaceMetrics& m = Measures;
  m.UnitsPerEm = unitsPerEm;
  m.XMin = head.Signed16(36);
  m.YMin = head.Signed16(38);
  m.XMax = head.Signed16(40);
  m.YMax = head.Signed16(42);
  m.Ascent = MetricOr(Font, HB_OT_METRICS_TAG_HORIZONTAL_ASCENDER, m.YMax);
  m.Descent = MetricOr(Font, HB_OT_METRICS_TAG_HORIZONTAL_DESCENDER, m.YMin);
  if (m.Descent > 0) m.Descent = -m.Descent;
  m.CapHeight = MetricOr(Font, HB_OT_METRICS_TAG_CAP_HEIGHT, 0);
  if (m.CapHeight <= 0) m.CapHeight = m.Ascent;
  m.UnderlineThickness = MetricOr(Font, HB_OT_METRICS_TAG_UNDERLINE_SIZE, 0);
  if (m.UnderlineThickness <= 0) m.UnderlineThickness = std::max(1, unitsPerEm / 20);
  m.UnderlinePosition = MetricOr(Font, HB_OT_METRICS_TAG_UNDERLINE_OFFSET, -unitsPerEm / 10);
  m.StrikeoutThickness = MetricOr(Font, HB_OT_METRICS_TAG_STRIKEOUT_SIZE, 0);
  if (m.StrikeoutThickness <= 0) m.StrikeoutThickness = m.UnderlineThickness;
  m.StrikeoutPosition = MetricOr(Font, HB_OT_METRICS_TAG_STRIKEOUT_OFFSET, 0);
  if (m.StrikeoutPosition <= 0) m.StrikeoutPosition = m.CapHeight * 2 / 5;

  const Table post(FaceData, PostTable);
  m.ItalicAngle = static_cast<int32_t>(post.Unsigned32(4)) / 65536.0;
  if (!std::isfinite(m.ItalicAngle) || std::abs(m.ItalicAngle) > 60) m.ItalicAngle = 0;
  m.FixedPitch = post.Unsigned32(12) != 0;
  const Table os2(FaceData, Os2Table);
  const int32_t weight = os2.Size() >= 6 ? std::clamp<int32_t>(os2.Unsigned16(4), 1, 1000) : 400;
  m.Bold = weight >= 600 || (head.Unsigned16(44) & 1) != 0;
  m.Italic = m.ItalicAngle != 0 || (head.Unsigned16(44) & 2) != 0;
  // sFamilyClass 1 to 7 are the serif classes.
  const int32_t familyClass = os2.Size() >= 32 ? os2.Unsigned16(30) >> 8 : 0;
  m.Serif = familyClass >= 1 && familyClass <= 7;
  // The usual estimate of the dominant vertical stem from the weight class.
  m.StemV = 10 + 220 * std::max(0, weight - 50) / 900;

  Family = NameEntry(FaceData, HB_OT_NAME_ID_TYPOGRAPHIC_FAMILY);
  if (Family.empty()) Family = NameEntry(FaceData, HB_OT_NAME_ID_FONT_FAMILY);
  Name = CleanName(NameEntry(FaceData, HB_OT_NAME_ID_POSTSCRIPT_NAME));
  if (Name.empty()) Name = CleanName(Family);
  if (Name.empty()) Name = "Font";
  return true;
}

uint32_t OpenTypeFace::GlyphFor(char32_t character) const {
  hb_codepoint_t glyph = 0;
  return hb_font_get_nominal_glyph(Font, character, &glyph) ? glyph : 0;
}

int32_t OpenTypeFace::Advance(uint32_t glyph) const { return hb_font_get_glyph_h_advance(Font, glyph); }

double OpenTypeFace::PdfWidth(uint32_t glyph) const {
  if (glyph >= Glyphs) return std::nearbyint(Advance(glyph) * 1000000.0 / Measures.UnitsPerEm) / 1000;
  if (PdfWidths.empty()) PdfWidths.assign(Glyphs, -1);
  double& width = PdfWidths[glyph];
  if (width < 0) width = std::nearbyint(Advance(glyph) * 1000000.0 / Measures.UnitsPerEm) / 1000;
  return width;
}

}  // namespace paginor::typeset
