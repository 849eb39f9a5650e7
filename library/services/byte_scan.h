#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace paginor {

// Scans of a text eight bytes at a time, for the loops that copy the long runs of ordinary bytes whole
// and stop only at the few that need work.
namespace byte_scan {

constexpr uint64_t EveryByte(uint8_t value) { return 0x0101010101010101u * value; }
constexpr uint64_t HighBits = EveryByte(0x80);

inline uint64_t Word(const char* bytes) {
  uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

// The high bit set in the bytes of word that are zero. Only the first flag in memory order need be
// exact: where the bytes in memory are the low ones of the word, the short test serves (a borrow can
// flag a byte only after a zero one); elsewhere the exact test, which adds 0x7F to the low seven bits of
// every byte (carrying into its high bit unless they are all zero) and tests the high bit apart.
constexpr uint64_t ZeroBytes(uint64_t word) {
  if constexpr (std::endian::native == std::endian::little) {
    return (word - EveryByte(1)) & ~word & HighBits;
  } else {
    const uint64_t low = EveryByte(0x7F);
    return ~(((word & low) + low) | word | low);
  }
}

// Sixteen bytes as one value, and the result of comparing two such: 0xFF in every byte that matched.
using Bytes16 = uint8_t __attribute__((vector_size(16)));
using Mask16 = int8_t __attribute__((vector_size(16)));

// The index within the eight bytes of the first byte flagged in a nonzero mask of high bits.
inline size_t FirstFlagged(uint64_t flags) {
  if constexpr (std::endian::native == std::endian::little) {
    return static_cast<size_t>(std::countr_zero(flags)) / 8;
  } else {
    return static_cast<size_t>(std::countl_zero(flags)) / 8;
  }
}

}  // namespace byte_scan

// The position of the first byte at or after from that is not printable ASCII (a control character,
// DEL or a byte from 128 up), or text.size().
inline size_t FindNonPrintable(std::string_view text, size_t from) {
  // Moved down by the blank, the printable bytes 0x20 to 0x7E become 0x00 to 0x5E and every other byte
  // lies above: one subtraction and one comparison test sixteen bytes at once.
  constexpr uint8_t Blank = 0x20, LastMoved = 0x7E - 0x20;
  for (; text.size() - from >= 16; from += 16) {
    byte_scan::Bytes16 block;
    std::memcpy(&block, text.data() + from, sizeof block);
    const byte_scan::Mask16 outside = (block - Blank) > LastMoved;
    uint64_t halves[2];
    std::memcpy(halves, &outside, sizeof halves);
    if (halves[0] != 0) return from + byte_scan::FirstFlagged(halves[0]);
    if (halves[1] != 0) return from + 8 + byte_scan::FirstFlagged(halves[1]);
  }
  while (from < text.size() && static_cast<uint8_t>(static_cast<uint8_t>(text[from]) - Blank) <= LastMoved) ++from;
  return from;
}

// A small set of byte values (not zero) to find in texts: the characters a string syntax escapes.
template <size_t Count>
class ByteSet {
 public:
  // The members as a string literal.
  constexpr explicit ByteSet(const char (&members)[Count + 1]) {
    for (size_t index = 0; index < Count; ++index) Members[index] = static_cast<uint8_t>(members[index]);
  }

  // The position of the first member at or after from, or text.size().
  size_t Find(std::string_view text, size_t from) const {
    // Sixteen bytes at a time compared with every member at once, where the machine has such
    // comparisons (every 64-bit x86 and ARM); then eight bytes at a time in a word; then one by one.
    for (; text.size() - from >= 16; from += 16) {
      byte_scan::Bytes16 block;
      std::memcpy(&block, text.data() + from, sizeof block);
      byte_scan::Mask16 hits = block == byte_scan::Bytes16{} + Members[0];
      for (size_t index = 1; index < Count; ++index) hits |= block == byte_scan::Bytes16{} + Members[index];
      uint64_t halves[2];
      std::memcpy(halves, &hits, sizeof halves);
      if (halves[0] != 0) return from + byte_scan::FirstFlagged(halves[0]);
      if (halves[1] != 0) return from + 8 + byte_scan::FirstFlagged(halves[1]);
    }
    for (; text.size() - from >= 8; from += 8) {
      const uint64_t word = byte_scan::Word(text.data() + from);
      uint64_t flags = 0;
      for (const uint8_t member : Members) flags |= byte_scan::ZeroBytes(word ^ byte_scan::EveryByte(member));
      if (flags != 0) return from + byte_scan::FirstFlagged(flags);
    }
    while (from < text.size() && !Contains(static_cast<uint8_t>(text[from]))) ++from;
    return from;
  }

 private:
  bool Contains(uint8_t byte) const {
    for (const uint8_t member : Members) {
      if (member == byte) return true;
    }
    return false;
  }

  std::array<uint8_t, Count> Members{};
};

template <size_t N>
ByteSet(const char (&)[N]) -> ByteSet<N - 1>;

}  // namespace paginor
