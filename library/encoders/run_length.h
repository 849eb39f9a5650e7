#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace paginor {

// Run-length data as the RunLengthDecode filter reads it, built from two kinds of groups only: a run of
// 2 to 128 copies of a byte (length byte 257 - copies, then the byte) and a single byte (length byte 0,
// then the byte). Longer runs are cut after 128 copies; the end-of-data byte 128 closes the data, so
// empty input gives just that byte. False (and an empty buffer) only when the buffer cannot be allocated.
bool EncodeRunLength(std::span<const uint8_t> data, std::vector<uint8_t>& outputbuffer);

}  // namespace paginor
