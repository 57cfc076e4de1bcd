// libFuzzer target: arbitrary bytes as a program file, loaded only.
#include "fuzz/harness.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    atb::fuzz::checkLoad({reinterpret_cast<const char*>(data), size});
    return 0;
}
