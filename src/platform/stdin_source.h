// Standard input as a byte source shared by line input and key polling, so
// bytes read by one are never read twice by the other.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace atb {

class StdinSource {
public:
    // The longest typed line; a longer one is split after this many bytes.
    static constexpr size_t MaxLineBytes = 4096;

    explicit StdinSource(int fd = 0) : fd_(fd) {}
    // Reads one line, blocking; without its line end (LF, CR LF or CR), and
    // at most MaxLineBytes. At the end of input it gives what was read,
    // possibly nothing.
    std::string readLine();
    // Takes bytes that have already arrived (one buffer at most), without
    // waiting.
    std::string takeAvailable();
    bool atEnd() const { return eof_ && next_ == end_; }

private:
    bool fill(bool wait);
    int fd_;
    char buffer_[4096];
    size_t next_ = 0, end_ = 0;
    bool eof_ = false;
    bool pendingLf_ = false; // a CR ended the last line; skip an LF right after it
};

} // namespace atb
