#pragma once

#include "interp/interpreter.h"

#include <optional>
#include <string_view>

namespace atb {

// A text between two equal quotes (double or single) at the cursor; a quote
// never closed takes the rest of the line. Nothing when no quote stands there.
std::optional<std::string_view> readStringLiteral(Interpreter& in);

// The decimal text of a value, into a buffer of at least 12 bytes.
std::string_view decimalText(int32_t value, char (&buffer)[12]);

} // namespace atb
