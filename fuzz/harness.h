// What the fuzz targets check, kept apart from libFuzzer so that the seed
// corpus and every input that once found a fault also run as plain tests.
// Each check aborts with a message on stderr when it fails.
#pragma once

#include <string_view>

namespace atb::fuzz {

// Loads the bytes as a program file and checks the store against a plain
// model of the line splitting and normalising rules.
void checkLoad(std::string_view bytes);

// Runs the bytes as a whole session on fake services with a jump budget and
// checks that it ends in a time report or one of the three error reports.
// Bytes after the last 0x1E are typed lines (split at LF), otherwise a fixed
// script is typed.
void checkRun(std::string_view bytes);

} // namespace atb::fuzz
