#pragma once

// Small, strict decoders of the four stream encodings, written independently of the encoders for round
// trips in tests and fuzz targets. Each returns false for anything a strict reader would refuse:
// characters outside the encoding (line breaks and blanks included), a missing or early end marker.

#include <zlib.h>

#include <cstdint>
#include <span>
#include <vector>

namespace paginor::testing {

inline bool DecodeASCII85(std::span<const uint8_t> text, std::vector<uint8_t>& data) {
  data.clear();
  if (text.size() < 2 || text[text.size() - 2] != '~' || text.back() != '>') return false;
  uint64_t value = 0;
  int digits = 0;
  auto flush = [&](int bytes) {
    for (int shift = 24; shift > 24 - 8 * bytes; shift -= 8) {
      data.push_back(static_cast<uint8_t>(value >> shift));
    }
  };
  for (const uint8_t c : text.first(text.size() - 2)) {
    if (c == 'z' && digits == 0) {
      data.insert(data.end(), 4, 0);
      continue;
    }
    if (c < '!' || c > 'u') return false;
    value = value * 85 + (c - '!');
    if (++digits == 5) {
      if (value > 0xFFFFFFFFu) return false;
      flush(4);
      value = 0;
      digits = 0;
    }
  }
  if (digits == 1) return false;
  if (digits > 0) {
    // A final group of k digits stands for k - 1 bytes: pad with the highest digit, keep the high bytes.
    for (int pad = digits; pad < 5; ++pad) value = value * 85 + 84;
    flush(digits - 1);
  }
  return true;
}

inline bool DecodeASCIIHex(std::span<const uint8_t> text, std::vector<uint8_t>& data) {
  data.clear();
  if (text.empty() || text.back() != '>' || text.size() % 2 != 1) return false;
  auto digit = [](uint8_t c) {
    return c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
  };
  for (size_t index = 0; index + 1 < text.size(); index += 2) {
    const int high = digit(text[index]);
    const int low = digit(text[index + 1]);
    if (high < 0 || low < 0) return false;
    data.push_back(static_cast<uint8_t>(high * 16 + low));
  }
  return true;
}

inline bool DecodeRunLength(std::span<const uint8_t> encoded, std::vector<uint8_t>& data) {
  data.clear();
  size_t index = 0;
  while (index < encoded.size()) {
    const uint8_t length = encoded[index++];
    if (length == 128) return index == encoded.size();
    if (length < 128) {
      if (encoded.size() - index < length + 1u) return false;
      data.insert(data.end(), encoded.begin() + static_cast<std::ptrdiff_t>(index),
                  encoded.begin() + static_cast<std::ptrdiff_t>(index + length + 1));
      index += length + 1u;
    } else {
      if (index == encoded.size()) return false;
      data.insert(data.end(), 257u - length, encoded[index++]);
    }
  }
  return false;
}

// Inflates a zlib stream whose decoded size is known, checking header and checksum.
inline bool DecodeFlate(std::span<const uint8_t> stream, size_t size, std::vector<uint8_t>& data) {
  data.assign(size + 1, 0);  // one spare byte: a stream that decodes to more than size is refused
  uLongf produced = data.size();
  uLong consumed = stream.size();
  if (uncompress2(data.data(), &produced, stream.data(), &consumed) != Z_OK) return false;
  if (consumed != stream.size()) return false;
  data.resize(produced);
  return true;
}

// Decodes with the decoder of an EncodingConstants value (1 to 4); size is the expected decoded size.
inline bool DecodeStream(int32_t encoding, std::span<const uint8_t> encoded, size_t size,
                         std::vector<uint8_t>& data) {
  switch (encoding) {
    case 1: return DecodeASCII85(encoded, data);
    case 2: return DecodeASCIIHex(encoded, data);
    case 3: return DecodeRunLength(encoded, data);
    default: return DecodeFlate(encoded, size, data);
  }
}

}  // namespace paginor::testing
