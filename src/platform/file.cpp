#include "platform/file.h"

#include <fstream>
#include <iterator>

namespace atb {

bool readWholeFile(const std::string& path, std::string& contents)
{
    if (path.empty()) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    contents.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    // A directory opens but cannot be read.
    return !in.bad();
}

} // namespace atb
