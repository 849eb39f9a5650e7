#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace paginor {

// Reads the whole of a picture file. False for a path that is not a regular file (a directory, a device,
// a pipe that would never end), a file that cannot be read, and one larger than any picture allowed;
// why, when given, then says which, with the system's error text.
bool ReadPictureFile(const std::string& file, std::vector<uint8_t>& bytes, std::string* why = nullptr);

}  // namespace paginor
