#include "typeset/pdf_font_objects.h"

#include <cmath>

#include "encoders/zlib_encoder.h"
#include "services/code_page.h"
#include "typeset/pdf_numbers.h"

namespace paginor::typeset {
namespace {

// A length in face units in the thousandths of the em that PDF glyph space uses, halves to even.
int64_t Thousandths(const OpenTypeFace& face, int64_t units) {
  return static_cast<int64_t>(std::nearbyint(static_cast<double>(units) * 1000.0 / face.Metrics().UnitsPerEm));
}

void AppendReference(std::string& out, uint32_t object) {
  AppendNumber(out, object);
  out += " 0 R";
}

// A text's UTF-16BE code units in hexadecimal.
std::string Utf16Hex(std::string_view utf8) {
  std::string hex;
  for (size_t position = 0; position < utf8.size();) {
    const char32_t character = NextCharacter(utf8, position);
    if (character >= 0x10000) {
      AppendHex16(hex, 0xD800 + ((character - 0x10000) >> 10));
      AppendHex16(hex, 0xDC00 + ((character - 0x10000) & 0x3FF));
    } else {
      AppendHex16(hex, character);
    }
  }
  return hex;
}

// Writes a Flate-compressed stream; `entries` come before the filter. An extra entry (the program's
// original length) may follow.
void WriteCompressed(PdfObjectSink& sink, uint32_t number, std::string entries, std::span<const uint8_t> data) {
  std::vector<uint8_t> compressed;
  if (Zlib().Encode(data, compressed, 9)) {
    entries += "/Filter /FlateDecode\r\n";
    sink.WriteStream(number, entries, compressed);
  } else {
    sink.WriteStream(number, entries, data);
  }
}

// The glyph widths: runs of consecutive codes as "first [w1 w2 ...]".
std::string WidthArray(const OpenTypeFace& face, const GlyphUsage& usage) {
  std::string widths = "[";
  uint32_t next = 0;
  bool open = false;
  for (const auto& entry : usage.Codes()) {
    if (!open || entry.first != next) {
      if (open) widths += "]\r\n";
      AppendNumber(widths, entry.first);
      widths += " [";
      open = true;
    } else {
      widths += ' ';
    }
    AppendDecimal(widths, face.PdfWidth(entry.second.Glyph), 3);
    next = entry.first + 1;
  }
  if (open) widths += ']';
  widths += ']';
  return widths;
}

// The map from codes back to the text each stands for, in groups of at most 100.
std::string ToUnicodeMap(const GlyphUsage& usage) {
  std::string map =
      "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
      "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
      "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
      "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
  std::vector<std::pair<uint32_t, std::string>> entries;
  for (const auto& [code, coded] : usage.Codes()) {
    if (!coded.Text.empty()) entries.emplace_back(code, Utf16Hex(coded.Text));
  }
  for (size_t first = 0; first < entries.size(); first += 100) {
    const size_t count = std::min<size_t>(100, entries.size() - first);
    AppendNumber(map, static_cast<int64_t>(count));
    map += " beginbfchar\n";
    for (size_t n = first; n < first + count; ++n) {
      map += '<';
      AppendHex16(map, entries[n].first);
      map += "> <" + entries[n].second + ">\n";
    }
    map += "endbfchar\n";
  }
  map += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
  return map;
}

// The descriptor's flags: fixed pitch, serif, symbolic (the glyphs are outside the standard Latin
// set's names, as in every composite font), italic.
int64_t DescriptorFlags(const FaceMetrics& metrics) {
  return (metrics.FixedPitch ? 1 : 0) | (metrics.Serif ? 2 : 0) | 4 | (metrics.Italic ? 64 : 0);
}

}  // namespace

std::string_view PdfVersionFor(const OpenTypeFace& face) {
  return face.Outlines() == OutlineFormat::CompactFontFormat ? "1.3" : "1.2";
}

void WritePdfFont(const OpenTypeFace& face, const GlyphUsage& usage, uint32_t fontObject, PdfObjectSink& sink) {
  const bool cff = face.Outlines() == OutlineFormat::CompactFontFormat;
  const std::string name = SubsetTag(usage) + '+' + face.PostScriptName();
  const FaceMetrics& m = face.Metrics();
  const uint32_t cidFont = sink.ReserveObject();
  const uint32_t descriptor = sink.ReserveObject();
  const uint32_t program = sink.ReserveObject();
  const uint32_t toUnicode = sink.ReserveObject();

  std::string type0 = "<< /Type /Font /Subtype /Type0 /BaseFont /" + name + (cff ? "-Identity-H" : "") +
                      " /Encoding /Identity-H\r\n/DescendantFonts [";
  AppendReference(type0, cidFont);
  type0 += "] /ToUnicode ";
  AppendReference(type0, toUnicode);
  type0 += " >>";
  sink.WriteDictionary(fontObject, type0);

  std::string cid = std::string("<< /Type /Font /Subtype /") + (cff ? "CIDFontType0" : "CIDFontType2") +
                    " /BaseFont /" + name +
                    "\r\n/CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >>"
                    "\r\n/FontDescriptor ";
  AppendReference(cid, descriptor);
  const uint32_t codeMap = cff || !usage.HasSpareCodes() ? 0 : sink.ReserveObject();
  if (codeMap != 0) {
    cid += " /CIDToGIDMap ";
    AppendReference(cid, codeMap);
  } else if (!cff) {
    cid += " /CIDToGIDMap /Identity";
  }
  cid += "\r\n/W " + WidthArray(face, usage) + " >>";
  sink.WriteDictionary(cidFont, cid);

  std::string font = "<< /Type /FontDescriptor /FontName /" + name + " /Flags ";
  AppendNumber(font, DescriptorFlags(m));
  font += "\r\n/FontBBox [";
  for (const int32_t corner : {m.XMin, m.YMin, m.XMax}) {
    AppendNumber(font, Thousandths(face, corner));
    font += ' ';
  }
  AppendNumber(font, Thousandths(face, m.YMax));
  font += ']';
  font += " /ItalicAngle ";
  AppendDecimal(font, m.ItalicAngle, 2);
  font += "\r\n/Ascent ";
  AppendNumber(font, Thousandths(face, m.Ascent));
  font += " /Descent ";
  AppendNumber(font, Thousandths(face, m.Descent));
  font += " /CapHeight ";
  AppendNumber(font, Thousandths(face, m.CapHeight));
  font += " /StemV ";
  AppendNumber(font, m.StemV);
  font += cff ? "\r\n/FontFile3 " : "\r\n/FontFile2 ";
  AppendReference(font, program);
  font += " >>";
  sink.WriteDictionary(descriptor, font);

  std::vector<uint8_t> subset = SubsetFontProgram(face, usage);
  if (subset.empty()) {
    // The subsetter refused the face: the whole program keeps every code valid.
    hb_blob_t* whole = cff ? hb_face_reference_table(face.Face(), HB_TAG('C', 'F', 'F', ' '))
                           : hb_face_reference_blob(face.Face());
    unsigned int length = 0;
    const char* data = hb_blob_get_data(whole, &length);
    subset.assign(data, data + (data == nullptr ? 0 : length));
    hb_blob_destroy(whole);
  }
  std::string entries;
  if (cff) {
    entries = "/Subtype /CIDFontType0C\r\n";
  } else {
    entries = "/Length1 ";
    AppendNumber(entries, static_cast<int64_t>(subset.size()));
    entries += "\r\n";
  }
  WriteCompressed(sink, program, entries, subset);

  if (codeMap != 0) {
    // Two bytes per code up to the last: each code's glyph number, 0 for codes not drawn.
    std::vector<uint8_t> glyphs(2 * (static_cast<size_t>(usage.Codes().rbegin()->first) + 1));
    for (const auto& [code, coded] : usage.Codes()) {
      glyphs[2 * code] = static_cast<uint8_t>(coded.Glyph >> 8);
      glyphs[2 * code + 1] = static_cast<uint8_t>(coded.Glyph & 0xFF);
    }
    WriteCompressed(sink, codeMap, {}, glyphs);
  }
  const std::string map = ToUnicodeMap(usage);
  WriteCompressed(sink, toUnicode, {},
                  std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(map.data()), map.size()));
}

}  // namespace paginor::typeset
