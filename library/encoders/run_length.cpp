#include "encoders/run_length.h"

#include "encoders/encoder_guard.h"

namespace paginor {

bool EncodeRunLength(std::span<const uint8_t> data, std::vector<uint8_t>& outputbuffer) {
  return GuardEncoding(outputbuffer, [&] {
    constexpr size_t MaximumRun = 128;
    constexpr uint8_t EndOfData = 128;
    outputbuffer.clear();
    // Two bytes per group, at most one group per input byte. Reserved, not filled: only the bytes
    // written are touched.
    outputbuffer.reserve(2 * data.size() + 1);
    size_t start = 0;
    while (start < data.size()) {
      const uint8_t current = data[start];
      size_t copies = 1;
      while (copies < MaximumRun && start + copies < data.size() && data[start + copies] == current) ++copies;
      outputbuffer.push_back(copies == 1 ? 0 : static_cast<uint8_t>(257 - copies));
      outputbuffer.push_back(current);
      start += copies;
    }
    outputbuffer.push_back(EndOfData);
    return true;
  });
}

}  // namespace paginor
