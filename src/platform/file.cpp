#include "platform/file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace atb {

bool readWholeFile(const std::string& path, std::string& contents)
{
    if (path.empty()) return false;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && !S_ISDIR(info.st_mode);
    contents.clear();
    char buffer[1 << 16];
    while (ok) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0)
            contents.append(buffer, static_cast<size_t>(n));
        else if (n == 0)
            break;
        else if (errno != EINTR)
            ok = false;
    }
    ::close(fd);
    return ok;
}

} // namespace atb
