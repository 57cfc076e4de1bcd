// libFuzzer target: arbitrary bytes run as a whole session on fake services.
#include "fuzz/harness.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    atb::fuzz::checkRun({reinterpret_cast<const char*>(data), size});
    return 0;
}
