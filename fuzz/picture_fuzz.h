#pragma once

// Runs one picture decoder on arbitrary bytes through its in-memory path, then reads every row of a
// bitmap it made (its first and last byte), so that a wrong size or layout shows up under AddressSanitizer.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <span>

#include "services/dib.h"
#include "services/picture_decoders.h"

namespace paginor {

inline int FuzzDecoder(bool (*decoder)(std::span<const uint8_t>, DIB&), const uint8_t* data, size_t size) {
  DIB dib;
  try {
    if (!decoder(std::span<const uint8_t>(data, size), dib)) return 0;
    volatile uint8_t sum = 0;
    for (int32_t y = 0; y < dib.ImageHeight(); ++y) {
      const uint8_t* row = dib.Row(y);
      sum = static_cast<uint8_t>(sum + row[0] + row[dib.ImageScanWidth() - 1]);
    }
  } catch (const std::exception&) {
  }
  return 0;
}

}  // namespace paginor
