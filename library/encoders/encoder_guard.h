#pragma once

#include <cstdint>
#include <exception>
#include <vector>

namespace paginor {

// Runs one encoding step that fills outputbuffer and tells whether it produced the encoding. A refusal
// or any failure inside the step (an allocation that cannot be made, a compressor error) leaves the
// buffer empty, its memory released, and gives false: encoders never raise an error to their caller.
template <class Step>
bool GuardEncoding(std::vector<uint8_t>& outputbuffer, Step step) {
  try {
    if (step()) return true;
  } catch (const std::exception&) {
  }
  outputbuffer = std::vector<uint8_t>();
  return false;
}

}  // namespace paginor
