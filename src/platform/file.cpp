#include "platform/file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace atb {

bool readWholeFile(const std::string& path, std::string& contents)
{
    contents.clear();
    if (path.empty()) return false;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    // A folder opens but cannot be read as a program.
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && !S_ISDIR(info.st_mode);
    char buffer[1 << 16];
    while (ok) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno != EINTR) ok = false;
            continue;
        }
        // A source without end (/dev/zero) or far too large is refused.
        if (contents.size() + static_cast<size_t>(n) > MaxFileBytes) ok = false;
        else contents.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    if (!ok) contents.clear();
    return ok;
}

} // namespace atb
