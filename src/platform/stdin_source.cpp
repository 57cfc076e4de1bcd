#include "platform/stdin_source.h"

#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace atb {

bool StdinSource::fill(bool wait)
{
    if (next_ < end_) return true;
    if (eof_) return false;
    if (!wait) {
        pollfd p{fd_, POLLIN, 0};
        int r = ::poll(&p, 1, 0);
        if (r <= 0) return false;
    }
    for (;;) {
        ssize_t n = ::read(fd_, buffer_, sizeof buffer_);
        if (n > 0) {
            next_ = 0;
            end_ = static_cast<size_t>(n);
            return true;
        }
        if (n < 0 && errno == EINTR) continue;
        eof_ = true; // the end, or an input that cannot be read at all
        return false;
    }
}

std::string StdinSource::readLine()
{
    std::string line;
    while (fill(true)) {
        // A line never grows past MaxLineBytes: the bytes after that begin
        // the next line, so input without line ends (/dev/zero) still gives
        // lines and cannot fill the memory.
        if (line.size() >= MaxLineBytes) return line;
        char ch = buffer_[next_++];
        if (pendingLf_) {
            pendingLf_ = false;
            if (ch == '\n') continue;
        }
        if (ch == '\n') return line;
        if (ch == '\r') {
            pendingLf_ = true;
            return line;
        }
        line += ch;
    }
    return line;
}

std::string StdinSource::takeAvailable()
{
    // One buffer at most: a source that is never empty (/dev/zero, a busy
    // pipe) must not keep a key snapshot from ending.
    std::string bytes;
    if (fill(false)) {
        bytes.assign(buffer_ + next_, end_ - next_);
        next_ = end_;
    }
    return bytes;
}

} // namespace atb
