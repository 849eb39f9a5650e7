#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace paginor::demo {

// The longest value ReadSetting gives: what fits a 256-character buffer with its terminator.
inline constexpr size_t SettingCapacity = 255;

// Reads one value of an INI settings file as profile strings are read: the first value of key in a
// section named section (names compared without regard to case), without surrounding blanks
// and cut to SettingCapacity characters; "" when the file, the section or the key is missing.
std::string ReadSetting(const std::string& file, std::string_view section, std::string_view key);

}  // namespace paginor::demo
