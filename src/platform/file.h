#pragma once

#include <cstddef>
#include <string>

namespace atb {

// No program comes near this; a source without end (/dev/zero) stops here.
constexpr size_t MaxFileBytes = size_t{64} << 20;

// Reads a whole file as bytes; false when it cannot be opened or read (a
// folder, a read error) or holds more than MaxFileBytes.
bool readWholeFile(const std::string& path, std::string& contents);

} // namespace atb
