#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace paginor {

// Reads the whole of a picture file. False for a path that is not a regular file (a directory, a device,
// a pipe that would never end), a file that cannot be read, and one larger than any picture allowed.
bool ReadPictureFile(const std::string& file, std::vector<uint8_t>& bytes);

}  // namespace paginor
