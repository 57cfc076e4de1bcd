#pragma once

#include <string>

namespace atb {

// Reads a whole file as bytes; false when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::string& contents);

} // namespace atb
