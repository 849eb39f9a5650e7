#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "encoders/adler32.h"
#include "encoders/deflate_encoder.h"
#include "encoders/page_stream_compressor.h"
#include "encoders/shift_operator.h"
#include "encoders/zlib_encoder.h"
#include "paginor/enumerations.h"
#include "services/picture_codec.h"
#include "support/stream_decoders.h"

namespace paginor {
namespace {

using Bytes = std::vector<uint8_t>;

constexpr auto kASCII85 = static_cast<int32_t>(EncodingConstants::ASCII85);
constexpr auto kASCIIHex = static_cast<int32_t>(EncodingConstants::ASCIIHex);
constexpr auto kRunLength = static_cast<int32_t>(EncodingConstants::RunLength);
constexpr auto kFlate = static_cast<int32_t>(EncodingConstants::Flate);

Bytes Encode(const Bytes& data, int32_t encoding) { return PictureCodec().EncodeData(data, encoding); }

std::string Text(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

Bytes Of(const std::string& text) { return Bytes(text.begin(), text.end()); }

TEST(EncodeData, ASCII85GroupsZeroShortcutAndPartialGroups) {
  const std::vector<std::pair<Bytes, std::string>> cases = {
      {{}, "~>"},
      {{0x00}, "!!~>"},
      {{0x00, 0x00, 0x00, 0x00}, "z~>"},
      {{0x00, 0x00, 0x00, 0x00, 0x00}, "z!!~>"},
      {{0x01, 0x02, 0x03}, "!<N?~>"},
      {{0x01, 0x02, 0x03, 0x04}, "!<N?+~>"},
      {{0xFF, 0xFF, 0xFF, 0xFF}, "s8W-!~>"},
      {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "s8W-!rr~>"},
  };
  for (const auto& [input, expected] : cases) EXPECT_EQ(Text(Encode(input, kASCII85)), expected);
}

TEST(EncodeData, ASCIIHexUpperCaseDigitsAndEndMarker) {
  EXPECT_EQ(Text(Encode({}, kASCIIHex)), ">");
  EXPECT_EQ(Text(Encode({0x00, 0xAB, 0xFF}, kASCIIHex)), "00ABFF>");
  EXPECT_EQ(Text(Encode({0x0A}, kASCIIHex)), "0A>");
}

TEST(EncodeData, RunLengthSingleBytesAndRunsCutAt128) {
  EXPECT_EQ(Encode(Of("A"), kRunLength), (Bytes{0x00, 0x41, 0x80}));
  EXPECT_EQ(Encode(Of("AA"), kRunLength), (Bytes{0xFF, 0x41, 0x80}));
  EXPECT_EQ(Encode(Of("AAB"), kRunLength), (Bytes{0xFF, 0x41, 0x00, 0x42, 0x80}));
  EXPECT_EQ(Encode(Of("AB"), kRunLength), (Bytes{0x00, 0x41, 0x00, 0x42, 0x80}));
  EXPECT_EQ(Encode(Of(std::string(128, 'A')), kRunLength), (Bytes{0x81, 0x41, 0x80}));
  EXPECT_EQ(Encode(Of(std::string(129, 'A')), kRunLength), (Bytes{0x81, 0x41, 0x00, 0x41, 0x80}));
  EXPECT_EQ(Encode(Of(std::string(130, 'A')), kRunLength), (Bytes{0x81, 0x41, 0xFF, 0x41, 0x80}));
  // Empty data gives the end-of-data byte alone rather than a failure.
  EXPECT_EQ(Encode({}, kRunLength), (Bytes{0x80}));
}

TEST(EncodeData, FlateStreamsAtLevelSix) {
  EXPECT_EQ(Encode({}, kFlate), (Bytes{0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01}));
  EXPECT_EQ(Encode(Of("a"), kFlate), (Bytes{0x78, 0x9C, 0x4B, 0x04, 0x00, 0x00, 0x62, 0x00, 0x62}));
  EXPECT_EQ(Encode(Of("abc"), kFlate),
            (Bytes{0x78, 0x9C, 0x4B, 0x4C, 0x4A, 0x06, 0x00, 0x02, 0x4D, 0x01, 0x27}));
}

TEST(EncodeData, UnknownEncodingGivesNothing) {
  for (const int32_t encoding : {0, 5, -1, 1 << 30}) {
    EXPECT_TRUE(Encode(Of("abc"), encoding).empty()) << encoding;
  }
}

// The checksum straight from its definition, reduced after every byte.
uint32_t NaiveAdler32(const Bytes& data) {
  uint32_t s1 = 1;
  uint32_t s2 = 0;
  for (const uint8_t byte : data) {
    s1 = (s1 + byte) % 65521;
    s2 = (s2 + s1) % 65521;
  }
  return s2 << 16 | s1;
}

TEST(Zlib, HeaderFollowsLevelAndEveryStreamEndsWithTheChecksum) {
  const Bytes data = Of("The quick brown fox jumps over the lazy dog, again and again and again.");
  const uint8_t expected[10] = {0, 0x01, 0x01, 0x5E, 0x5E, 0x9C, 0x9C, 0xDA, 0xDA, 0xDA};
  const uint32_t checksum = NaiveAdler32(data);
  const Bytes trailer = {static_cast<uint8_t>(checksum >> 24), static_cast<uint8_t>(checksum >> 16),
                         static_cast<uint8_t>(checksum >> 8), static_cast<uint8_t>(checksum)};
  for (uint8_t level = 1; level <= 9; ++level) {
    Bytes stream;
    ASSERT_TRUE(Zlib().Encode(data, stream, level));
    EXPECT_EQ(stream[0], 0x78);
    EXPECT_EQ(stream[1], expected[level]) << int{level};
    EXPECT_EQ(Bytes(stream.end() - 4, stream.end()), trailer) << int{level};
    Bytes decoded;
    ASSERT_TRUE(testing::DecodeFlate(stream, data.size(), decoded));
    EXPECT_EQ(decoded, data);
  }
}

TEST(Zlib, LevelsOutsideOneToNineAreRefused) {
  for (const uint8_t level : Bytes{0, 10, 255}) {
    Bytes stream = {1, 2, 3};
    EXPECT_FALSE(Zlib().Encode(Of("abc"), stream, level));
    EXPECT_TRUE(stream.empty());
    Bytes raw = {1, 2, 3};
    EXPECT_FALSE(Deflate().Encode(Of("abc"), raw, level));
    EXPECT_TRUE(raw.empty());
  }
}

TEST(Adler32, MatchesTheDefinitionAsASigned32BitPattern) {
  EXPECT_EQ(Adler32().Calculate({}), 1);
  EXPECT_EQ(Adler32().Calculate(Of("abc")), 0x024D0127);
  // 300 bytes of 255 push the high sum past 32767: the pattern reads negative.
  const Bytes high(300, 0xFF);
  EXPECT_LT(Adler32().Calculate(high), 0);
  EXPECT_EQ(static_cast<uint32_t>(Adler32().Calculate(high)), NaiveAdler32(high));
  std::mt19937 random(7);
  for (const size_t size : {1u, 5551u, 5552u, 5553u, 100000u}) {
    Bytes data(size);
    for (uint8_t& byte : data) byte = static_cast<uint8_t>(random());
    EXPECT_EQ(static_cast<uint32_t>(Adler32().Calculate(data)), NaiveAdler32(data)) << size;
  }
}

TEST(Operator, ShiftLeftKeepsThe32BitPattern) {
  const Operator op;
  EXPECT_EQ(op.ShiftLeft(1, 31), INT32_MIN);
  EXPECT_EQ(op.ShiftLeft(3, 4), 48);
  EXPECT_EQ(op.ShiftLeft(65520, 16), -1048576);
  EXPECT_EQ(op.ShiftLeft(-1, 1), -2);
  EXPECT_EQ(op.ShiftLeft(-123, 0), -123);
  EXPECT_EQ(op.ShiftLeft(2, 31), 0);
  for (const uint8_t b : Bytes{32, 33, 255}) EXPECT_EQ(op.ShiftLeft(-1, b), 0);
}

// Round trips: every encoding decodes to its input with an independent strict decoder.

enum class Pattern { Noise, Runs, Zeros };

// Deterministic data of a pattern: random bytes; runs of random bytes with lengths around the 128-copy
// cut; or zeros with scattered bytes, at every alignment to the four-byte groups of base 85.
Bytes Sample(Pattern pattern, size_t size, uint32_t seed) {
  std::mt19937 random(seed);
  Bytes data;
  data.reserve(size);
  const size_t runs[] = {1, 2, 3, 127, 128, 129, 130, 255, 256, 257, 1000};
  while (data.size() < size) {
    const size_t left = size - data.size();
    switch (pattern) {
      case Pattern::Noise:
        data.push_back(static_cast<uint8_t>(random()));
        break;
      case Pattern::Runs:
        data.insert(data.end(), std::min(left, runs[random() % std::size(runs)]),
                    static_cast<uint8_t>(random() % 4));
        break;
      case Pattern::Zeros:
        data.insert(data.end(), std::min<size_t>(left, random() % 13), 0);
        if (data.size() < size) data.push_back(static_cast<uint8_t>(random()));
        break;
    }
  }
  return data;
}

TEST(EncodeData, EveryEncodingDecodesBackToItsInput) {
  const size_t sizes[] = {0,   1,   2,   3,    4,    5,     6,     7,       8,         9,      127,
                          128, 129, 130, 131,  255,  256,   257,   1000,    4093,      65537,  1u << 20,
                          (3u << 20) + 5};
  uint32_t seed = 1;
  for (const Pattern pattern : {Pattern::Noise, Pattern::Runs, Pattern::Zeros}) {
    for (const size_t size : sizes) {
      const Bytes data = Sample(pattern, size, ++seed);
      for (const int32_t encoding : {kASCII85, kASCIIHex, kRunLength, kFlate}) {
        const Bytes encoded = Encode(data, encoding);
        Bytes decoded;
        ASSERT_TRUE(testing::DecodeStream(encoding, encoded, size, decoded))
            << "encoding " << encoding << ", size " << size << ", pattern " << static_cast<int>(pattern);
        ASSERT_EQ(decoded, data) << "encoding " << encoding << ", size " << size;
      }
    }
  }
}

// Page streams of every size, from empty to past the compressor's internal blocks, come back as they
// went in from one compressor used again and again.
TEST(PageStreamCompressor, EveryPageDecodesBackThroughOneReusedCompressor) {
  const PageStreamCompressor compressor;
  Bytes stream;
  uint32_t seed = 100;
  for (const size_t size : {size_t{0}, size_t{1}, size_t{6164}, size_t{1} << 20, size_t{70000}, size_t{3}}) {
    for (const Pattern pattern : {Pattern::Noise, Pattern::Runs}) {
      const Bytes data = Sample(pattern, size, ++seed);
      ASSERT_TRUE(compressor.Compress(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()),
                                      stream));
      ASSERT_GE(stream.size(), 6u);
      EXPECT_EQ(stream[0], 0x78);  // deflate with a 32 KB window: the header FlateDecode expects
      Bytes decoded;
      ASSERT_TRUE(testing::DecodeFlate(stream, data.size(), decoded)) << size;
      EXPECT_EQ(decoded, data) << size;
    }
  }
}

TEST(PageStreamCompressor, LevelsOutsideOneToTwelveAlwaysFail) {
  for (const int level : {0, 13, -1}) {
    Bytes stream = {1, 2, 3};
    EXPECT_FALSE(PageStreamCompressor(level).Compress("abc", stream)) << level;
    EXPECT_TRUE(stream.empty());
  }
  Bytes stream;
  EXPECT_TRUE(PageStreamCompressor(12).Compress("abc abc abc", stream));
}

}  // namespace
}  // namespace paginor
