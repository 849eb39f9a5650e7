// Fuzz target: the PNG decoder on arbitrary bytes.
#include "picture_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return paginor::FuzzDecoder(paginor::DecodePng, data, size);
}
