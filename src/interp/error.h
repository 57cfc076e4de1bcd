// Every error of a running program is final: raiseError unwinds to the
// driver, which prints the report and ends the run.
#pragma once

namespace atb {

enum class ErrorKind { What = 1, How = 2, Sorry = 3 };

struct BasicError {
    ErrorKind kind;
};

[[noreturn]] void raiseError(ErrorKind kind);

// "WHAT?", "HOW?" or "SORRY".
const char* errorWord(ErrorKind kind);

} // namespace atb
