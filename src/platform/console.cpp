#include "platform/platform.h"

namespace atb {

// Blanks go out in chunks, so a huge count never builds a huge text.
void Console::printBlanks(int64_t n)
{
    static constexpr char Blanks[] =
        "                                                                "
        "                                                                ";
    constexpr int64_t Chunk = sizeof Blanks - 1;
    while (n > 0) {
        int64_t k = n < Chunk ? n : Chunk;
        print(std::string_view(Blanks, static_cast<size_t>(k)));
        n -= k;
    }
}

} // namespace atb
