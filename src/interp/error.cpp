#include "interp/error.h"

namespace atb {

void raiseError(ErrorKind kind) { throw BasicError{kind}; }

const char* errorWord(ErrorKind kind)
{
    switch (kind) {
    case ErrorKind::What: return "WHAT?";
    case ErrorKind::How: return "HOW?";
    case ErrorKind::Sorry: return "SORRY";
    }
    return "WHAT?";
}

} // namespace atb
