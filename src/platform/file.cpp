#include "platform/file.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace atb {

bool readWholeFile(const std::string& path, std::string& contents)
{
    contents.clear();
    if (path.empty()) return false;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = true;
    char buffer[1 << 16];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false; // a folder opens but cannot be read
            break;
        }
        if (contents.size() + static_cast<size_t>(n) > MaxFileBytes) {
            ok = false;
            break;
        }
        contents.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    if (!ok) contents.clear();
    return ok;
}

} // namespace atb
